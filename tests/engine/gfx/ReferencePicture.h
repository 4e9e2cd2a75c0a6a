#pragma once

// Pictures held against committed references: how alike they are (the peak signal-to-noise
// ratio over red, green and blue) and how bright (the mean of the three channels). A changed
// renderer must keep the look, not the exact pixels; a picture that drifted is kept next to the
// test's other pictures to look at.
//
// With ZELMO_WRITE_REFERENCES set, the references are written from the pictures instead (a new
// look chosen on purpose): the test then fails, so that a run that wrote them is never taken for
// a passing one.

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tests/engine/gfx/PicturePng.h"

struct PictureLikeness {
    double psnr = 0.0;  // dB; infinity for equal pictures
    double brightness = 0.0;
    double referenceBrightness = 0.0;

    // The brightness relative to the reference's, 0 when both are equal.
    double brightnessChange() const {
        return referenceBrightness > 0.0 ? brightness / referenceBrightness - 1.0 : brightness;
    }
};

// The floor a picture must reach: alike to the eye, with the same light.
inline constexpr double kReferenceLeastPsnr = 38.0;
inline constexpr double kReferenceBrightnessTolerance = 0.02;

// Mean of red, green and blue over all pixels, 0 to 255.
inline double meanBrightness(const std::vector<uint8_t>& rgba) {
    double sum = 0.0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) sum += double(rgba[i]) + rgba[i + 1] + rgba[i + 2];
    return rgba.empty() ? 0.0 : sum / double(rgba.size() / 4 * 3);
}

// Both pictures RGBA, of one size and row order.
inline PictureLikeness likeness(const std::vector<uint8_t>& picture, const std::vector<uint8_t>& reference) {
    PictureLikeness result;
    double squares = 0.0;
    for (size_t i = 0; i + 3 < picture.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) {
            const double d = double(picture[i + c]) - double(reference[i + c]);
            squares += d * d;
        }
    }
    const double mse = squares / double(picture.size() / 4 * 3);
    result.psnr = mse > 0.0 ? 10.0 * std::log10(255.0 * 255.0 / mse) : INFINITY;
    result.brightness = meanBrightness(picture);
    result.referenceBrightness = meanBrightness(reference);
    return result;
}

// The reference's RGBA pixels, bottom row first as pictures are read back; empty when the file
// is missing or of another size.
inline std::vector<uint8_t> loadReference(const std::string& path, int width, int height) {
    int w = 0, h = 0, channels = 0;
    stbi_set_flip_vertically_on_load(1);
    uint8_t* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
    stbi_set_flip_vertically_on_load(0);
    std::vector<uint8_t> rgba;
    if (pixels != nullptr && w == width && h == height) rgba.assign(pixels, pixels + size_t(w) * h * 4);
    stbi_image_free(pixels);
    return rgba;
}

// Holds the picture (RGBA, bottom row first) against the reference file: at least
// kReferenceLeastPsnr dB and a mean brightness within kReferenceBrightnessTolerance of it.
// The picture is kept under its file's name for ZELMO_PICTURES.
inline void expectLikeReference(const std::string& path, const std::vector<uint8_t>& picture, int width, int height) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    keepPicture(name, picture, width, height);
    if (std::getenv("ZELMO_WRITE_REFERENCES") != nullptr) {
        writePicturePng(path, picture, width, height);
        ADD_FAILURE() << "wrote the reference " << path << " (ZELMO_WRITE_REFERENCES is set)";
        return;
    }
    const std::vector<uint8_t> reference = loadReference(path, width, height);
    ASSERT_FALSE(reference.empty()) << path << " is missing or not " << width << " x " << height;
    const PictureLikeness like = likeness(picture, reference);
    std::cout << "[ reference ] " << name << ": PSNR " << like.psnr << " dB, brightness " << like.brightness
              << " against " << like.referenceBrightness << " (" << like.brightnessChange() * 100.0 << " %)\n";
    EXPECT_GE(like.psnr, kReferenceLeastPsnr) << name;
    EXPECT_LE(std::fabs(like.brightnessChange()), kReferenceBrightnessTolerance) << name;
}
