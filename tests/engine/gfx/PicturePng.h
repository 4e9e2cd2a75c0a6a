#pragma once

// Pictures read back from the renderer, written out for a person to look at.

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// Writes RGBA rows given bottom row first (as read back) as a PNG the right way up.
inline void writePicturePng(const std::string& path, const std::vector<uint8_t>& bottomUp, int width, int height) {
    std::vector<uint8_t> topDown(bottomUp.size());
    const size_t row = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(&bottomUp[size_t(height - 1 - y) * row], row, &topDown[size_t(y) * row]);
    }
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, 4, topDown.data(), int(row)), 0) << path;
}

// Writes the picture under that name into the folder that ZELMO_PICTURES names, if it names one.
inline void keepPicture(const std::string& name, const std::vector<uint8_t>& bottomUp, int width, int height) {
    const char* folder = std::getenv("ZELMO_PICTURES");
    if (folder != nullptr) writePicturePng(std::string(folder) + "/" + name, bottomUp, width, height);
}
