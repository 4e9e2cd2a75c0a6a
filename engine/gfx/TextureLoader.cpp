#include "engine/gfx/TextureLoader.h"

#include <stb_image.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "engine/gfx/FileRead.h"
#include "engine/gfx/Gfx.h"

namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using Pixels = std::unique_ptr<stbi_uc, StbFree>;

gfx::TextureFormat formatFor(int channels) {
    switch (channels) {
        case 1:
            return gfx::TextureFormat::R8;
        case 2:
            return gfx::TextureFormat::RG8;
        case 3:
            return gfx::TextureFormat::RGB8;
        default:
            return gfx::TextureFormat::RGBA8;
    }
}

bool fitsTexture(int width, int height) {
    constexpr int kLargest = std::numeric_limits<uint16_t>::max();
    return width > 0 && height > 0 && width <= kLargest && height <= kLargest;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

namespace gfx {

TextureHandle createTextureFromFile(const std::string& path, SamplerFlags flags, TextureInfo* info) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes) || bytes.size() > size_t(std::numeric_limits<int>::max())) {
        return TextureHandle();
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_set_flip_vertically_on_load_thread(0);
    Pixels pixels(stbi_load_from_memory(bytes.data(), int(bytes.size()), &width, &height, &channels, 0));
    if (!pixels || !fitsTexture(width, height)) {
        return TextureHandle();
    }
    TextureFormat format = formatFor(channels);
    TextureHandle texture = createTexture2D(uint16_t(width), uint16_t(height), format, flags, pixels.get());
    if (texture.valid() && info != nullptr) {
        *info = calcTextureSize(uint16_t(width), uint16_t(height), 1, format);
    }
    return texture;
}

}  // namespace gfx

namespace Game {

TextureRecord loadTexture(const std::string& path, gfx::SamplerFlags flags) {
    TextureRecord record;
    if (!endsWith(path, ".tga") && !endsWith(path, ".png")) {
        record.handle = gfx::createTextureFromFile(path, flags, &record.info);
        return record;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_set_flip_vertically_on_load_thread(1);
    Pixels pixels(stbi_load(path.c_str(), &width, &height, &channels, 0));
    if (!pixels || !fitsTexture(width, height)) {
        return record;
    }
    gfx::TextureFormat format = formatFor(channels);
    uint16_t w = uint16_t(width);
    if (path.find(".3D.") != std::string::npos) {
        // s * s <= height, so the slices never read past the picture.
        uint16_t s = uint16_t(std::sqrt(double(height)));
        record.handle = gfx::createTexture3D(w, s, s, format, flags, pixels.get());
        record.info = gfx::calcTextureSize(w, s, s, format);
    } else {
        uint16_t h = uint16_t(height);
        record.handle = gfx::createTexture2D(w, h, format, flags, pixels.get());
        record.info = gfx::calcTextureSize(w, h, 1, format);
    }
    if (!record.handle.valid()) {
        record.info = gfx::TextureInfo();
    }
    return record;
}

TextureRecord createEmptyTexture(uint16_t width, uint16_t height, gfx::SamplerFlags flags) {
    TextureRecord record;
    record.handle = gfx::createTexture2D(width, height, gfx::TextureFormat::RGBA8, flags);
    if (record.handle.valid()) {
        record.info = gfx::calcTextureSize(width, height, 1, gfx::TextureFormat::RGBA8);
    }
    return record;
}

}  // namespace Game
