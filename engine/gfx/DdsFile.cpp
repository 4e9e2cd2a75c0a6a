// DDS: "DDS ", a 124-byte header, for DXGI formats a 20-byte extension, then the images in the
// renderer's own layout (layer, face, mip level; rows tightly packed).

#include "engine/gfx/DdsFile.h"

#include <cstring>
#include <initializer_list>
#include <iterator>

#include "engine/gfx/ContainerParts.h"

namespace gfx {
namespace {

constexpr uint8_t kMagic[4] = {'D', 'D', 'S', ' '};
constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;

constexpr uint32_t kFlagMipCount = 0x20000;
constexpr uint32_t kPixelAlpha = 0x1;
constexpr uint32_t kPixelFourCc = 0x4;
constexpr uint32_t kPixelRgb = 0x40;
constexpr uint32_t kPixelLuminance = 0x20000;
constexpr uint32_t kCaps2Cube = 0x200;
constexpr uint32_t kCaps2AllFaces = 0xfc00;
constexpr uint32_t kCaps2Volume = 0x200000;

constexpr uint32_t kDimension1D = 2;
constexpr uint32_t kDimension2D = 3;
constexpr uint32_t kDimension3D = 4;
constexpr uint32_t kMiscCube = 0x4;

constexpr uint32_t fourCc(const char (&code)[5]) {
    return uint32_t(uint8_t(code[0])) | uint32_t(uint8_t(code[1])) << 8 | uint32_t(uint8_t(code[2])) << 16 |
           uint32_t(uint8_t(code[3])) << 24;
}

struct Header {
    uint32_t size, flags, height, width, pitchOrLinearSize, depth, mipMapCount;
    uint32_t pixelFormatSize, pixelFlags, fourCc, rgbBitCount, rMask, gMask, bMask, aMask;
    uint32_t caps, caps2;
};

struct Extension {
    uint32_t dxgiFormat, resourceDimension, miscFlag, arraySize, miscFlags2;
};

struct Coded {
    uint32_t code;
    TextureFormat format;
};

// Pre-multiplied alpha (DXT2, DXT4) is a promise about the texels, not a different encoding.
constexpr Coded kFourCcs[] = {
    {fourCc("DXT1"), TextureFormat::BC1}, {fourCc("DXT2"), TextureFormat::BC2}, {fourCc("DXT3"), TextureFormat::BC2},
    {fourCc("DXT4"), TextureFormat::BC3}, {fourCc("DXT5"), TextureFormat::BC3}, {fourCc("ATI1"), TextureFormat::BC4},
    {fourCc("BC4U"), TextureFormat::BC4}, {fourCc("ATI2"), TextureFormat::BC5}, {fourCc("BC5U"), TextureFormat::BC5},
};

constexpr Coded kDxgiFormats[] = {
    {28, TextureFormat::RGBA8}, {87, TextureFormat::BGRA8}, {61, TextureFormat::R8},  {49, TextureFormat::RG8},
    {71, TextureFormat::BC1},   {74, TextureFormat::BC2},   {77, TextureFormat::BC3}, {80, TextureFormat::BC4},
    {83, TextureFormat::BC5},   {98, TextureFormat::BC7},
};

// Uncompressed formats by their channel masks, alpha 0 where the file has none.
struct Masks {
    uint32_t bits, r, g, b, a;
    TextureFormat format;
};

constexpr Masks kMasks[] = {
    {32, 0xff, 0xff00, 0xff0000, 0xff000000, TextureFormat::RGBA8},
    {32, 0xff, 0xff00, 0xff0000, 0, TextureFormat::RGBA8},
    {32, 0xff0000, 0xff00, 0xff, 0xff000000, TextureFormat::BGRA8},
    {32, 0xff0000, 0xff00, 0xff, 0, TextureFormat::BGRA8},
    {24, 0xff, 0xff00, 0xff0000, 0, TextureFormat::RGB8},
    {16, 0xff, 0xff00, 0, 0, TextureFormat::RG8},
    {16, 0xff, 0, 0, 0xff00, TextureFormat::RG8},  // luminance and alpha
    {8, 0xff, 0, 0, 0, TextureFormat::R8},
};

bool readFields(ByteReader& reader, std::initializer_list<uint32_t*> fields) {
    for (uint32_t* field : fields) {
        if (!reader.readU32(*field)) {
            return false;
        }
    }
    return true;
}

bool readHeader(ByteReader& reader, Header& header, std::string& fault) {
    uint32_t unused = 0;
    bool whole = reader.skip(sizeof kMagic) &&
                 readFields(reader, {&header.size, &header.flags, &header.height, &header.width,
                                     &header.pitchOrLinearSize, &header.depth, &header.mipMapCount}) &&
                 reader.skip(11 * 4) &&
                 readFields(reader, {&header.pixelFormatSize, &header.pixelFlags, &header.fourCc, &header.rgbBitCount,
                                     &header.rMask, &header.gMask, &header.bMask, &header.aMask, &header.caps,
                                     &header.caps2, &unused, &unused, &unused});
    if (!whole) {
        fault = "truncated header";
        return false;
    }
    if (header.size != kHeaderSize || header.pixelFormatSize != kPixelFormatSize) {
        fault = "header size " + std::to_string(header.size) + " and pixel format size " +
                std::to_string(header.pixelFormatSize) + " are not 124 and 32";
        return false;
    }
    return true;
}

std::string fourCcText(uint32_t code) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        char c = char((code >> (8 * i)) & 0xff);
        if (c < ' ' || c > '~') {
            return hex(code);
        }
        text += c;
    }
    return "\"" + text + "\"";
}

bool find(const Coded* begin, const Coded* end, uint32_t code, TextureFormat& format) {
    for (const Coded* entry = begin; entry != end; ++entry) {
        if (entry->code == code) {
            format = entry->format;
            return true;
        }
    }
    return false;
}

bool legacyFormat(const Header& header, TextureFormat& format, std::string& fault) {
    if (header.pixelFlags & kPixelFourCc) {
        if (find(std::begin(kFourCcs), std::end(kFourCcs), header.fourCc, format)) {
            return true;
        }
        fault = "unsupported format: FourCC " + fourCcText(header.fourCc);
        return false;
    }
    if (header.pixelFlags & (kPixelRgb | kPixelLuminance)) {
        uint32_t a = (header.pixelFlags & kPixelAlpha) ? header.aMask : 0;
        for (const Masks& entry : kMasks) {
            if (entry.bits == header.rgbBitCount && entry.r == header.rMask && entry.g == header.gMask &&
                entry.b == header.bMask && entry.a == a) {
                format = entry.format;
                return true;
            }
        }
    }
    fault = "unsupported format: " + std::to_string(header.rgbBitCount) + " bits, pixel flags " +
            hex(header.pixelFlags) + ", masks R " + hex(header.rMask) + " G " + hex(header.gMask) + " B " +
            hex(header.bMask) + " A " + hex(header.aMask);
    return false;
}

bool legacyShape(const Header& header, ContainerShape& shape, std::string& fault) {
    bool cube = header.caps2 & kCaps2Cube;
    bool volume = header.caps2 & kCaps2Volume;
    if (cube && (header.caps2 & kCaps2AllFaces) != kCaps2AllFaces) {
        fault = "cube map without all six faces (caps2 " + hex(header.caps2) + ")";
        return false;
    }
    if (cube && volume) {
        fault = "both a cube map and a 3-D texture";
        return false;
    }
    shape.kind = cube ? TextureKind::Cube : volume ? TextureKind::Volume : TextureKind::Flat;
    shape.depth = volume ? header.depth : 1;
    return true;
}

bool extendedShape(ByteReader& reader, ContainerShape& shape, uint32_t headerDepth, std::string& fault) {
    Extension extension{};
    if (!readFields(reader, {&extension.dxgiFormat, &extension.resourceDimension, &extension.miscFlag,
                             &extension.arraySize, &extension.miscFlags2})) {
        fault = "truncated DXGI header";
        return false;
    }
    if (!find(std::begin(kDxgiFormats), std::end(kDxgiFormats), extension.dxgiFormat, shape.format)) {
        fault = "unsupported format: DXGI format " + std::to_string(extension.dxgiFormat);
        return false;
    }
    bool cube = extension.miscFlag & kMiscCube;
    switch (extension.resourceDimension) {
        case kDimension1D:
        case kDimension2D:
            shape.kind = cube ? TextureKind::Cube : TextureKind::Flat;
            break;
        case kDimension3D:
            if (cube || extension.arraySize != 1) {
                fault = "a 3-D texture in faces or " + std::to_string(extension.arraySize) + " array elements";
                return false;
            }
            shape.kind = TextureKind::Volume;
            shape.depth = headerDepth;
            break;
        default:
            fault = "resource dimension " + std::to_string(extension.resourceDimension) + " is not 1-D, 2-D or 3-D";
            return false;
    }
    shape.numLayers = extension.arraySize;  // cube maps count whole cubes
    return true;
}

}  // namespace

bool isDds(const uint8_t* bytes, size_t size) {
    return size >= sizeof kMagic && std::memcmp(bytes, kMagic, sizeof kMagic) == 0;
}

bool readDds(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault) {
    ByteReader reader(bytes, size);
    Header header{};
    if (!readHeader(reader, header, fault)) {
        return false;
    }
    ContainerShape shape;
    shape.width = header.width;
    shape.height = header.height;
    shape.numMips = (header.flags & kFlagMipCount) && header.mipMapCount > 0 ? header.mipMapCount : 1;
    bool extended = (header.pixelFlags & kPixelFourCc) && header.fourCc == fourCc("DX10");
    bool shaped = extended ? extendedShape(reader, shape, header.depth, fault)
                           : legacyFormat(header, shape.format, fault) && legacyShape(header, shape, fault);
    if (!shaped || !describeTexture(shape, image.desc, fault)) {
        return false;
    }
    uint64_t storage = storageSize(image.desc);
    if (storage > reader.remaining()) {
        fault = "truncated: the images need " + std::to_string(storage) + " bytes, " +
                std::to_string(reader.remaining()) + " are left";
        return false;
    }
    image.texels.assign(reader.here(), reader.here() + storage);
    return true;
}

}  // namespace gfx
