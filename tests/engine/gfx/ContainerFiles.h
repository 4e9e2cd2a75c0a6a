#pragma once

// KTX (version 1) and DDS files made at test time from a texture description and its texels in
// the renderer's layout, so each test knows every byte it loads. Fields sit at fixed offsets,
// for tests that break a file on purpose.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/gfx/Texture.h"

namespace containers {

using Bytes = std::vector<uint8_t>;

// Byte offsets of header fields.
namespace Ktx {
constexpr size_t Endianness = 12, GlType = 16, GlFormat = 24, GlInternalFormat = 28, Width = 36, Height = 40,
                 Depth = 44, ArrayElements = 48, Faces = 52, Mips = 56, KeyValueBytes = 60, FirstLevel = 64;
}
namespace Dds {
constexpr size_t Size = 4, Flags = 8, Height = 12, Width = 16, Depth = 24, Mips = 28, PixelFlags = 80, FourCc = 84,
                 BitCount = 88, Caps2 = 112, DxgiFormat = 128, Dimension = 132, MiscFlag = 136, ArraySize = 140,
                 LegacyData = 128, Dx10Data = 148;
}

inline uint32_t readU32(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

inline void putU32(Bytes& bytes, size_t offset, uint32_t value) {
    if (bytes.size() < offset + 4) {
        bytes.resize(offset + 4, 0);
    }
    std::memcpy(bytes.data() + offset, &value, 4);
}

inline void appendU32(Bytes& bytes, uint32_t value) { putU32(bytes, bytes.size(), value); }

inline Bytes patched(Bytes bytes, size_t offset, uint32_t value) {
    putU32(bytes, offset, value);
    return bytes;
}

inline Bytes cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

inline gfx::TextureDesc shape(gfx::TextureKind kind, gfx::TextureFormat format, uint16_t width, uint16_t height,
                              uint16_t depth, uint16_t layers, uint8_t mips) {
    gfx::TextureDesc desc;
    desc.kind = kind;
    desc.format = format;
    desc.width = width;
    desc.height = height;
    desc.depth = depth;
    desc.numLayers = layers;
    desc.numMips = mips;
    return desc;
}

// Every image of the layout starts from its own value: byte b of image (slice, level) is
// 50 slice + 11 level + b, so a face, layer or level read from the wrong place shows.
inline Bytes patternTexels(const gfx::TextureDesc& desc) {
    Bytes texels;
    uint32_t slices = uint32_t(desc.numLayers) * gfx::faceCount(desc);
    for (uint32_t slice = 0; slice < slices; ++slice) {
        for (uint8_t level = 0; level < desc.numMips; ++level) {
            uint64_t size = gfx::imageSize(desc.format, gfx::mipSize(desc.width, level),
                                           gfx::mipSize(desc.height, level), gfx::mipSize(desc.depth, level));
            for (uint64_t b = 0; b < size; ++b) {
                texels.push_back(uint8_t(50 * slice + 11 * level + b));
            }
        }
    }
    return texels;
}

// OpenGL's numbers for a format: type, format and internal format (0, 0, internal when compressed).
inline void glNumbers(gfx::TextureFormat format, uint32_t& type, uint32_t& glFormat, uint32_t& internal) {
    const uint32_t numbers[][3] = {
        {0x1401, 0x1903, 0x8229}, {0x1401, 0x8227, 0x822b}, {0x1401, 0x1907, 0x8051}, {0x1401, 0x1908, 0x8058},
        {0x1401, 0x80e1, 0x8058}, {0, 0, 0x83f1},           {0, 0, 0x83f2},           {0, 0, 0x83f3},
        {0, 0, 0x8dbb},           {0, 0, 0x8dbd},           {0, 0, 0x8e8c},
    };
    type = numbers[int(format)][0];
    glFormat = numbers[int(format)][1];
    internal = numbers[int(format)][2];
}

// A KTX file of the texels: levels outermost, uncompressed rows padded to four bytes; volumes
// and arrays count their depth and elements, a one-layer texture says 0 elements.
inline Bytes ktxFile(const gfx::TextureDesc& desc, const Bytes& texels, const std::string& keyValues = "") {
    const uint8_t identifier[12] = {0xab, 0x4b, 0x54, 0x58, 0x20, 0x31, 0x31, 0xbb, 0x0d, 0x0a, 0x1a, 0x0a};
    Bytes file(identifier, identifier + 12);
    uint32_t type = 0, glFormat = 0, internal = 0;
    glNumbers(desc.format, type, glFormat, internal);
    bool cube = desc.kind == gfx::TextureKind::Cube;
    for (uint32_t field :
         {0x04030201u, type, 1u, glFormat, internal, glFormat == 0 ? internal : glFormat, uint32_t(desc.width),
          uint32_t(desc.height), desc.kind == gfx::TextureKind::Volume ? uint32_t(desc.depth) : 0u,
          desc.numLayers > 1 ? uint32_t(desc.numLayers) : 0u, cube ? 6u : 1u, uint32_t(desc.numMips),
          uint32_t(keyValues.size())}) {
        appendU32(file, field);
    }
    file.insert(file.end(), keyValues.begin(), keyValues.end());
    bool blocks = gfx::isBlockCompressed(desc.format);
    uint32_t slices = uint32_t(desc.numLayers) * gfx::faceCount(desc);
    uint64_t faceBytes = gfx::faceSize(desc);
    uint64_t levelOffset = 0;
    for (uint8_t level = 0; level < desc.numMips; ++level) {
        uint16_t w = gfx::mipSize(desc.width, level), h = gfx::mipSize(desc.height, level);
        uint16_t d = gfx::mipSize(desc.depth, level);
        uint64_t packedRow = gfx::rowSize(desc.format, w);
        uint64_t fileRow = blocks ? packedRow : (packedRow + 3) / 4 * 4;
        uint64_t rows = uint64_t(blocks ? (h + 3) / 4 : h) * d;
        bool oneFace = cube && desc.numLayers == 1;
        appendU32(file, uint32_t(fileRow * rows * (oneFace ? 1 : slices)));
        for (uint32_t slice = 0; slice < slices; ++slice) {
            for (uint64_t row = 0; row < rows; ++row) {
                auto source = texels.begin() + ptrdiff_t(slice * faceBytes + levelOffset + row * packedRow);
                file.insert(file.end(), source, source + ptrdiff_t(packedRow));
                file.resize(file.size() + size_t(fileRow - packedRow), 0);
            }
        }
        levelOffset += gfx::imageSize(desc.format, w, h, d);
    }
    return file;
}

// A DDS file of the texels. Legacy headers name BC1 to BC5 by FourCC and uncompressed formats
// by channel masks; the DXGI extension is used when asked and for arrays and BC7.
inline Bytes ddsFile(const gfx::TextureDesc& desc, const Bytes& texels, bool dx10 = false) {
    dx10 = dx10 || desc.numLayers > 1 || desc.format == gfx::TextureFormat::BC7;
    Bytes file = {'D', 'D', 'S', ' '};
    file.resize(Dds::LegacyData, 0);
    putU32(file, Dds::Size, 124);
    putU32(file, Dds::Flags, 0x1007 | 0x20000 | (desc.kind == gfx::TextureKind::Volume ? 0x800000 : 0));
    putU32(file, Dds::Height, desc.height);
    putU32(file, Dds::Width, desc.width);
    putU32(file, Dds::Depth, desc.depth);
    putU32(file, Dds::Mips, desc.numMips);
    putU32(file, 76, 32);  // pixel format size
    putU32(file, 108, 0x1000);
    uint32_t caps2 = desc.kind == gfx::TextureKind::Cube     ? 0xfe00
                     : desc.kind == gfx::TextureKind::Volume ? 0x200000
                                                             : 0;
    putU32(file, Dds::Caps2, caps2);
    const uint32_t fourCcs[] = {0x31545844, 0x33545844, 0x35545844, 0x31495441,
                                0x32495441};  // DXT1 DXT3 DXT5 ATI1 ATI2
    const uint32_t dxgi[] = {61, 49, 0, 28, 87, 71, 74, 77, 80, 83, 98};
    const uint32_t masks[][5] = {{8, 0xff, 0, 0, 0},
                                 {16, 0xff, 0xff00, 0, 0},
                                 {24, 0xff, 0xff00, 0xff0000, 0},
                                 {32, 0xff, 0xff00, 0xff0000, 0xff000000},
                                 {32, 0xff0000, 0xff00, 0xff, 0xff000000}};
    int format = int(desc.format);
    if (dx10) {
        putU32(file, Dds::PixelFlags, 0x4);
        putU32(file, Dds::FourCc, 0x30315844);  // DX10
        putU32(file, Dds::DxgiFormat, dxgi[format]);
        putU32(file, Dds::Dimension, desc.kind == gfx::TextureKind::Volume ? 4 : 3);
        putU32(file, Dds::MiscFlag, desc.kind == gfx::TextureKind::Cube ? 4 : 0);
        putU32(file, Dds::ArraySize, desc.numLayers);
        putU32(file, 144, 0);
    } else if (gfx::isBlockCompressed(desc.format)) {
        putU32(file, Dds::PixelFlags, 0x4);
        putU32(file, Dds::FourCc, fourCcs[format - int(gfx::TextureFormat::BC1)]);
    } else {
        putU32(file, Dds::PixelFlags, 0x40 | (masks[format][4] != 0 ? 0x1 : 0));
        for (int i = 0; i < 5; ++i) {
            putU32(file, Dds::BitCount + 4 * size_t(i), masks[format][i]);
        }
    }
    file.insert(file.end(), texels.begin(), texels.end());
    return file;
}

inline std::string writeFile(const std::string& name, const Bytes& bytes) {
    std::string path = ::testing::TempDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

// The layouts every reader and the renderer are tried with, each as a file and its texels.
struct Layout {
    std::string name;
    gfx::TextureDesc desc;
    Bytes file;
};

inline std::vector<Layout> layouts() {
    using gfx::TextureFormat;
    using gfx::TextureKind;
    auto ktx = [](std::string name, gfx::TextureDesc desc) {
        return Layout{std::move(name), desc, ktxFile(desc, patternTexels(desc))};
    };
    auto dds = [](std::string name, gfx::TextureDesc desc, bool dx10 = false) {
        return Layout{std::move(name), desc, ddsFile(desc, patternTexels(desc), dx10)};
    };
    return {
        ktx("2d-mips.ktx", shape(TextureKind::Flat, TextureFormat::RGB8, 5, 3, 1, 1, 3)),
        ktx("array.ktx", shape(TextureKind::Flat, TextureFormat::RGBA8, 4, 4, 1, 3, 2)),
        ktx("cube.ktx", shape(TextureKind::Cube, TextureFormat::RG8, 4, 4, 1, 1, 3)),
        ktx("cube-array.ktx", shape(TextureKind::Cube, TextureFormat::R8, 2, 2, 1, 2, 1)),
        ktx("volume.ktx", shape(TextureKind::Volume, TextureFormat::RGBA8, 4, 2, 3, 1, 2)),
        ktx("bgra.ktx", shape(TextureKind::Flat, TextureFormat::BGRA8, 3, 3, 1, 1, 1)),
        ktx("bc1-mips.ktx", shape(TextureKind::Flat, TextureFormat::BC1, 8, 8, 1, 1, 4)),
        ktx("bc5-array.ktx", shape(TextureKind::Flat, TextureFormat::BC5, 8, 4, 1, 2, 2)),
        dds("2d-mips.dds", shape(TextureKind::Flat, TextureFormat::BGRA8, 4, 2, 1, 1, 3)),
        dds("rgb.dds", shape(TextureKind::Flat, TextureFormat::RGB8, 3, 2, 1, 1, 1)),
        dds("cube-bc3.dds", shape(TextureKind::Cube, TextureFormat::BC3, 8, 8, 1, 1, 2)),
        dds("volume.dds", shape(TextureKind::Volume, TextureFormat::R8, 4, 4, 4, 1, 3)),
        dds("array-bc7.dds", shape(TextureKind::Flat, TextureFormat::BC7, 4, 4, 1, 3, 1)),
        dds("cube-array.dds", shape(TextureKind::Cube, TextureFormat::RGBA8, 2, 2, 1, 2, 2)),
        dds("dx10-bc4.dds", shape(TextureKind::Flat, TextureFormat::BC4, 4, 8, 1, 1, 2), true),
        dds("dx10-volume.dds", shape(TextureKind::Volume, TextureFormat::RG8, 2, 2, 2, 1, 1), true),
    };
}

}  // namespace containers
