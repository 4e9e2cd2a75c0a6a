// KTX version 1: a 64-byte header, key/value data, then each mip level as a 32-bit size followed
// by its images (every layer, face and slice), uncompressed rows padded to four bytes.

#include "engine/gfx/KtxFile.h"

#include <cstring>

#include "engine/gfx/ContainerParts.h"

namespace gfx {
namespace {

constexpr uint8_t kIdentifier[12] = {0xab, 0x4b, 0x54, 0x58, 0x20, 0x31, 0x31, 0xbb, 0x0d, 0x0a, 0x1a, 0x0a};
constexpr uint32_t kSameEndian = 0x04030201;
constexpr uint32_t kOtherEndian = 0x01020304;

// OpenGL's numbers for the formats the renderer has.
constexpr uint32_t kUnsignedByte = 0x1401;
constexpr uint32_t kRed = 0x1903;
constexpr uint32_t kRg = 0x8227;
constexpr uint32_t kRgb = 0x1907;
constexpr uint32_t kRgba = 0x1908;
constexpr uint32_t kBgra = 0x80e1;

struct Header {
    uint32_t glType, glTypeSize, glFormat, glInternalFormat, glBaseInternalFormat;
    uint32_t pixelWidth, pixelHeight, pixelDepth;
    uint32_t numberOfArrayElements, numberOfFaces, numberOfMipmapLevels, bytesOfKeyValueData;
};

struct Uncompressed {
    uint32_t glFormat;
    uint32_t sizedInternal;  // the unsized internal format is glFormat itself
    TextureFormat format;
};

// BGRA8 is stored as RGBA8 and given in B, G, R, A order.
constexpr Uncompressed kUncompressed[] = {
    {kRed, 0x8229, TextureFormat::R8},     {kRg, 0x822b, TextureFormat::RG8},     {kRgb, 0x8051, TextureFormat::RGB8},
    {kRgba, 0x8058, TextureFormat::RGBA8}, {kBgra, 0x8058, TextureFormat::BGRA8},
};

struct Compressed {
    uint32_t glInternalFormat;
    TextureFormat format;
};

constexpr Compressed kCompressed[] = {
    {0x83f0, TextureFormat::BC1}, {0x83f1, TextureFormat::BC1}, {0x83f2, TextureFormat::BC2},
    {0x83f3, TextureFormat::BC3}, {0x8dbb, TextureFormat::BC4}, {0x8dbd, TextureFormat::BC5},
    {0x8e8c, TextureFormat::BC7},
};

bool readHeader(ByteReader& reader, Header& header, std::string& fault) {
    uint32_t endianness = 0;
    if (!reader.skip(sizeof kIdentifier) || !reader.readU32(endianness)) {
        fault = "truncated header";
        return false;
    }
    if (endianness != kSameEndian && endianness != kOtherEndian) {
        fault = "endianness " + hex(endianness) + " is neither byte order";
        return false;
    }
    reader.setBigEndian(endianness == kOtherEndian);
    uint32_t* fields[] = {&header.glType,           &header.glTypeSize,           &header.glFormat,
                          &header.glInternalFormat, &header.glBaseInternalFormat, &header.pixelWidth,
                          &header.pixelHeight,      &header.pixelDepth,           &header.numberOfArrayElements,
                          &header.numberOfFaces,    &header.numberOfMipmapLevels, &header.bytesOfKeyValueData};
    for (uint32_t* field : fields) {
        if (!reader.readU32(*field)) {
            fault = "truncated header";
            return false;
        }
    }
    return true;
}

bool formatOf(const Header& header, TextureFormat& format, std::string& fault) {
    if (header.glType == 0 && header.glFormat == 0) {
        for (const Compressed& entry : kCompressed) {
            if (entry.glInternalFormat == header.glInternalFormat) {
                format = entry.format;
                return true;
            }
        }
        fault = "unsupported format: glInternalFormat " + hex(header.glInternalFormat);
        return false;
    }
    if (header.glType == kUnsignedByte) {
        for (const Uncompressed& entry : kUncompressed) {
            if (entry.glFormat == header.glFormat &&
                (header.glInternalFormat == entry.sizedInternal || header.glInternalFormat == entry.glFormat ||
                 (entry.glFormat == kBgra && header.glInternalFormat == kRgba))) {
                format = entry.format;
                return true;
            }
        }
    }
    fault = "unsupported format: glType " + hex(header.glType) + ", glFormat " + hex(header.glFormat) +
            ", glInternalFormat " + hex(header.glInternalFormat);
    return false;
}

bool shapeOf(const Header& header, ContainerShape& shape, std::string& fault) {
    if (header.numberOfFaces != 1 && header.numberOfFaces != 6) {
        fault = "a cube map needs six faces, the file has " + std::to_string(header.numberOfFaces);
        return false;
    }
    if (header.pixelDepth > 0 && (header.numberOfFaces == 6 || header.numberOfArrayElements > 0)) {
        fault = "a 3-D texture in faces or array elements";
        return false;
    }
    shape.kind = header.numberOfFaces == 6 ? TextureKind::Cube
                 : header.pixelDepth > 0   ? TextureKind::Volume
                                           : TextureKind::Flat;
    // 0 marks a dimension the texture does not have, and no mip levels one to be made at load.
    shape.width = header.pixelWidth;
    shape.height = header.pixelHeight == 0 ? 1 : header.pixelHeight;
    shape.depth = header.pixelDepth == 0 ? 1 : header.pixelDepth;
    shape.numLayers = header.numberOfArrayElements == 0 ? 1 : header.numberOfArrayElements;
    shape.numMips = header.numberOfMipmapLevels == 0 ? 1 : header.numberOfMipmapLevels;
    if (header.pixelWidth == 0) {
        fault = "width 0";
        return false;
    }
    return true;
}

// Copies one level of every layer and face into its place in the layout, dropping row padding.
bool readLevel(ByteReader& reader, const TextureDesc& desc, bool nonArrayCube, uint8_t level, uint64_t levelOffset,
               ContainerImage& image, std::string& fault) {
    const std::string name = "mip level " + std::to_string(level);
    uint32_t imageSizeField = 0;
    if (!reader.readU32(imageSizeField)) {
        fault = "truncated: " + name + " is missing";
        return false;
    }
    uint16_t width = mipSize(desc.width, level);
    uint16_t height = mipSize(desc.height, level);
    uint16_t depth = mipSize(desc.depth, level);
    bool blocks = isBlockCompressed(desc.format);
    uint64_t packedRow = rowSize(desc.format, width);
    uint64_t fileRow = blocks ? packedRow : (packedRow + 3) / 4 * 4;
    uint64_t rows = uint64_t(blocks ? (height + 3) / 4 : height) * depth;
    uint64_t fileImage = fileRow * rows;
    uint32_t slices = uint32_t(desc.numLayers) * faceCount(desc);
    // A cube map that is not an array gives the size of one face and pads each face to four bytes.
    uint64_t expected = nonArrayCube ? fileImage : fileImage * slices;
    uint64_t sliceStride = nonArrayCube ? (fileImage + 3) / 4 * 4 : fileImage;
    if (imageSizeField != expected) {
        fault =
            name + " says " + std::to_string(imageSizeField) + " bytes, its images take " + std::to_string(expected);
        return false;
    }
    uint64_t levelBytes = sliceStride * (slices - 1) + fileImage;
    if (levelBytes > reader.remaining()) {
        fault = "truncated: " + name + " needs " + std::to_string(levelBytes) + " bytes, " +
                std::to_string(reader.remaining()) + " are left";
        return false;
    }
    uint64_t faceBytes = faceSize(desc);
    for (uint32_t slice = 0; slice < slices; ++slice) {
        const uint8_t* source = reader.here() + slice * sliceStride;
        uint8_t* dest = image.texels.data() + slice * faceBytes + levelOffset;
        for (uint64_t row = 0; row < rows; ++row) {
            std::memcpy(dest + row * packedRow, source + row * fileRow, size_t(packedRow));
        }
    }
    reader.skip(size_t(levelBytes));
    return true;
}

}  // namespace

bool isKtx(const uint8_t* bytes, size_t size) {
    return size >= sizeof kIdentifier && std::memcmp(bytes, kIdentifier, sizeof kIdentifier) == 0;
}

bool readKtx(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault) {
    ByteReader reader(bytes, size);
    Header header{};
    ContainerShape shape;
    if (!readHeader(reader, header, fault) || !formatOf(header, shape.format, fault) ||
        !shapeOf(header, shape, fault) || !describeTexture(shape, image.desc, fault)) {
        return false;
    }
    if (!reader.skip(header.bytesOfKeyValueData)) {
        fault = "truncated: key/value data of " + std::to_string(header.bytesOfKeyValueData) + " bytes, " +
                std::to_string(reader.remaining()) + " are left";
        return false;
    }
    const TextureDesc& desc = image.desc;
    // The file holds at least the texels without padding: checked before they are allocated.
    if (storageSize(desc) > reader.remaining()) {
        fault = "truncated: the images need " + std::to_string(storageSize(desc)) + " bytes, " +
                std::to_string(reader.remaining()) + " are left";
        return false;
    }
    image.texels.assign(size_t(storageSize(desc)), 0);
    bool nonArrayCube = header.numberOfFaces == 6 && header.numberOfArrayElements == 0;
    uint64_t levelOffset = 0;
    for (uint8_t level = 0; level < desc.numMips; ++level) {
        reader.alignToFour();
        if (!readLevel(reader, desc, nonArrayCube, level, levelOffset, image, fault)) {
            image.texels.clear();
            return false;
        }
        levelOffset +=
            imageSize(desc.format, mipSize(desc.width, level), mipSize(desc.height, level), mipSize(desc.depth, level));
    }
    return true;
}

}  // namespace gfx
