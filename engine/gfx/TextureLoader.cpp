#include "engine/gfx/TextureLoader.h"

#include <stb_image.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "engine/gfx/FileRead.h"
#include "engine/gfx/Gfx.h"
#include "engine/gfx/TextureContainer.h"

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

void report(const std::string& path, const std::string& fault) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), fault.c_str());
}

const char* kindName(gfx::TextureKind kind) {
    switch (kind) {
        case gfx::TextureKind::Flat:
            return "2-D";
        case gfx::TextureKind::Volume:
            return "3-D";
        case gfx::TextureKind::Cube:
            return "cube map";
    }
    return "?";
}

// The file's bytes are dropped once parsed, the parsed texels once the renderer has them.
gfx::TextureHandle createFromContainer(const std::string& path, std::vector<uint8_t> bytes, gfx::SamplerFlags flags,
                                       gfx::TextureInfo* info) {
    gfx::ContainerImage image;
    std::string fault;
    bool parsed = gfx::readTextureContainer(bytes.data(), bytes.size(), image, fault);
    bytes = std::vector<uint8_t>();
    if (!parsed) {
        report(path, fault);
        return gfx::TextureHandle();
    }
    const gfx::TextureDesc& desc = image.desc;
    if (!gfx::textureFormatSupported(desc.format)) {
        report(path, std::string("format ") + gfx::formatName(desc.format) + " is not supported by the renderer");
        return gfx::TextureHandle();
    }
    image.desc.flags = flags;
    gfx::TextureHandle texture = gfx::createTexture(desc, image.texels.data(), image.texels.size());
    if (!texture.valid()) {
        report(path, std::string("the renderer could not make a ") + std::to_string(desc.width) + " x " +
                         std::to_string(desc.height) + " x " + std::to_string(desc.depth) + " " + kindName(desc.kind) +
                         " texture in " + gfx::formatName(desc.format) + " (layers: " + std::to_string(desc.numLayers) +
                         ", mip levels: " + std::to_string(desc.numMips) + ")");
    } else if (info != nullptr) {
        *info = gfx::calcTextureSize(desc);
    }
    return texture;
}

}  // namespace

namespace gfx {

TextureHandle createTextureFromFile(const std::string& path, SamplerFlags flags, TextureInfo* info) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        return TextureHandle();
    }
    if (isTextureContainer(bytes.data(), bytes.size())) {
        return createFromContainer(path, std::move(bytes), flags, info);
    }
    if (bytes.size() > size_t(std::numeric_limits<int>::max())) {
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
