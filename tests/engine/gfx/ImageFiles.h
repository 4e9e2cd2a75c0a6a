#pragma once

// Small images written at test time, so each test knows every texel it loads.

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdint>
#include <string>
#include <vector>

// Texel (x, y) of a picture whose row 0 is the top row of the file: channel c is x + 16 y + 64 c.
inline std::vector<uint8_t> patternImage(int width, int height, int channels) {
    std::vector<uint8_t> pixels(size_t(width) * height * channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                pixels[(size_t(y) * width + x) * channels + c] = uint8_t(x + 16 * y + 64 * c);
            }
        }
    }
    return pixels;
}

inline std::string writeImage(const std::string& name, int width, int height, int channels) {
    std::string path = ::testing::TempDir() + name;
    std::vector<uint8_t> pixels = patternImage(width, height, channels);
    int ok = 0;
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".tga") == 0) {
        stbi_write_tga_with_rle = 0;
        ok = stbi_write_tga(path.c_str(), width, height, channels, pixels.data());
    } else if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
        ok = stbi_write_bmp(path.c_str(), width, height, channels, pixels.data());
    } else {
        ok = stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels);
    }
    EXPECT_NE(ok, 0) << path;
    return path;
}
