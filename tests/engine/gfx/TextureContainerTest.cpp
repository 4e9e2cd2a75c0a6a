#include <gmock/gmock.h>

#include <algorithm>

#include "ContainerFiles.h"
#include "engine/gfx/TextureContainer.h"

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace containers;

namespace {

void expectSameDesc(const gfx::TextureDesc& actual, const gfx::TextureDesc& expected) {
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.format, expected.format);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.depth, expected.depth);
    EXPECT_EQ(actual.numLayers, expected.numLayers);
    EXPECT_EQ(actual.numMips, expected.numMips);
}

bool read(const Bytes& file, gfx::ContainerImage& image, std::string& fault) {
    // A copy of exactly the file's length, so that the sanitizer build catches any read past it.
    Bytes exact(file);
    exact.shrink_to_fit();
    return gfx::readTextureContainer(exact.data(), exact.size(), image, fault);
}

gfx::TextureDesc rgba4x4(uint8_t mips = 3) {
    return shape(gfx::TextureKind::Flat, gfx::TextureFormat::RGBA8, 4, 4, 1, 1, mips);
}

gfx::TextureDesc cube4x4() { return shape(gfx::TextureKind::Cube, gfx::TextureFormat::RGBA8, 4, 4, 1, 1, 1); }

}  // namespace

TEST(TextureContainer, EachLayoutComesOutInTheRenderersOrder) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        ASSERT_TRUE(gfx::isTextureContainer(layout.file.data(), layout.file.size()));
        gfx::ContainerImage image;
        std::string fault;
        ASSERT_TRUE(read(layout.file, image, fault)) << fault;
        expectSameDesc(image.desc, layout.desc);
        EXPECT_EQ(image.texels, patternTexels(layout.desc));
    }
}

TEST(TextureContainer, KtxVariantsReadTheSame) {
    const gfx::TextureDesc desc = rgba4x4();
    const Bytes texels = patternTexels(desc);
    Bytes bigEndian = ktxFile(desc, texels);
    for (size_t field = Ktx::Endianness; field < Ktx::FirstLevel; field += 4) {
        std::reverse(bigEndian.begin() + ptrdiff_t(field), bigEndian.begin() + ptrdiff_t(field) + 4);
    }
    for (size_t level = 0, at = Ktx::FirstLevel; level < 3; ++level) {
        std::reverse(bigEndian.begin() + ptrdiff_t(at), bigEndian.begin() + ptrdiff_t(at) + 4);
        at += 4 + size_t(16 >> (2 * level)) * 4;
    }
    Bytes unsized = patched(ktxFile(desc, texels), Ktx::GlInternalFormat, 0x1908);  // GL_RGBA
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"key/value data skipped", ktxFile(desc, texels, std::string(12, 'k'))},
        {"big-endian header", bigEndian},
        {"unsized internal format", unsized},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gfx::ContainerImage image;
        std::string fault;
        ASSERT_TRUE(read(c.file, image, fault)) << fault;
        expectSameDesc(image.desc, desc);
        EXPECT_EQ(image.texels, texels);
    }
}

TEST(TextureContainer, ZeroMeansOneWhereTheFormatsSaySo) {
    gfx::TextureDesc line = shape(gfx::TextureKind::Flat, gfx::TextureFormat::R8, 8, 1, 1, 1, 1);
    Bytes ktx = patched(patched(ktxFile(line, patternTexels(line)), Ktx::Height, 0), Ktx::Mips, 0);
    Bytes dds = patched(ddsFile(line, patternTexels(line)), Dds::Mips, 0);
    for (const Bytes& file : {ktx, dds}) {
        gfx::ContainerImage image;
        std::string fault;
        ASSERT_TRUE(read(file, image, fault)) << fault;
        expectSameDesc(image.desc, line);
    }
}

TEST(TextureContainer, BrokenFilesAreRefusedWithWhatIsWrong) {
    const gfx::TextureDesc rgba = rgba4x4();
    const Bytes ktx = ktxFile(rgba, patternTexels(rgba));
    const Bytes dds = ddsFile(rgba, patternTexels(rgba));
    const Bytes ddsCube = ddsFile(cube4x4(), patternTexels(cube4x4()));
    const Bytes dx10 = ddsFile(rgba, patternTexels(rgba), true);
    struct Case {
        const char* name;
        Bytes file;
        const char* fault;
    };
    const Case cases[] = {
        {"ktx header cut short", cut(ktx, 40), "truncated header"},
        {"ktx last level cut short", cut(ktx, ktx.size() - 1), "truncated: mip level 2 needs 4 bytes, 3 are left"},
        {"ktx level size missing", cut(ktx, ktx.size() - 8), "truncated: mip level 2 is missing"},
        {"ktx texels cut short", cut(ktx, 100), "truncated: the images need 84 bytes, 36 are left"},
        {"ktx level size that does not add up", patched(ktx, Ktx::FirstLevel, 60),
         "mip level 0 says 60 bytes, its images take 64"},
        {"ktx mip count beyond the image", patched(ktx, Ktx::Mips, 4), "mip count 4 is beyond a 4 x 4 x 1 image"},
        {"ktx three faces", patched(ktx, Ktx::Faces, 3), "a cube map needs six faces, the file has 3"},
        {"ktx cube faces not square", patched(patched(ktx, Ktx::Faces, 6), Ktx::Height, 2),
         "cube map faces of 4 x 2 are not square"},
        {"ktx volume with faces", patched(patched(ktx, Ktx::Faces, 6), Ktx::Depth, 2), "a 3-D texture in faces"},
        {"ktx key/value data past the end", patched(ktx, Ktx::KeyValueBytes, 0xfffffff0u),
         "truncated: key/value data of 4294967280 bytes"},
        {"ktx width 0", patched(ktx, Ktx::Width, 0), "width 0"},
        {"ktx width too large", patched(ktx, Ktx::Width, 70000), "width 70000 is outside 1 to 65535"},
        {"ktx layer count too large", patched(ktx, Ktx::ArrayElements, 0x10000), "layer count 65536"},
        {"ktx byte order unknown", patched(ktx, Ktx::Endianness, 0x01010101), "endianness 0x1010101"},
        {"ktx float texels", patched(patched(ktx, Ktx::GlType, 0x1406), Ktx::GlInternalFormat, 0x8814),
         "unsupported format: glType 0x1406, glFormat 0x1908, glInternalFormat 0x8814"},
        {"ktx sRGB texels", patched(ktx, Ktx::GlInternalFormat, 0x8c43), "unsupported format"},
        {"ktx unknown compression",
         patched(patched(patched(ktx, Ktx::GlType, 0), Ktx::GlFormat, 0), Ktx::GlInternalFormat, 0x9274),
         "unsupported format: glInternalFormat 0x9274"},
        {"dds header cut short", cut(dds, 100), "truncated header"},
        {"dds texels cut short", cut(dds, dds.size() - 1), "truncated: the images need 84 bytes, 83 are left"},
        {"dds mip count beyond the image", patched(dds, Dds::Mips, 5), "mip count 5 is beyond a 4 x 4 x 1 image"},
        {"dds cube with five faces", patched(ddsCube, Dds::Caps2, 0x7e00), "cube map without all six faces"},
        {"dds cube and volume", patched(ddsCube, Dds::Caps2, 0x20fe00), "both a cube map and a 3-D texture"},
        {"dds cube faces not square", patched(ddsCube, Dds::Height, 2), "cube map faces of 4 x 2 are not square"},
        {"dds header size wrong", patched(dds, Dds::Size, 100), "header size 100"},
        {"dds height 0", patched(dds, Dds::Height, 0), "height 0 is outside 1 to 65535"},
        {"dds volume of depth 0", patched(patched(dds, Dds::Caps2, 0x200000), Dds::Depth, 0), "depth 0"},
        {"dds unknown FourCC", patched(patched(dds, Dds::PixelFlags, 0x4), Dds::FourCc, 0x20435441),
         "unsupported format: FourCC \"ATC \""},
        {"dds numbered FourCC", patched(patched(dds, Dds::PixelFlags, 0x4), Dds::FourCc, 113),
         "unsupported format: FourCC 0x0071"},
        {"dds 16-bit colour", patched(dds, Dds::BitCount, 16), "unsupported format: 16 bits"},
        {"dds extension cut short", cut(dx10, 140), "truncated DXGI header"},
        {"dds float texels", patched(dx10, Dds::DxgiFormat, 10), "unsupported format: DXGI format 10"},
        {"dds no array elements", patched(dx10, Dds::ArraySize, 0), "layer count 0"},
        {"dds volume array", patched(patched(dx10, Dds::Dimension, 4), Dds::ArraySize, 2),
         "a 3-D texture in faces or 2 array elements"},
        {"dds buffer resource", patched(dx10, Dds::Dimension, 1), "resource dimension 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gfx::ContainerImage image;
        std::string fault;
        EXPECT_FALSE(read(c.file, image, fault));
        EXPECT_THAT(fault, HasSubstr(c.fault));
        EXPECT_EQ(fault.find('\n'), std::string::npos);
    }
}

TEST(TextureContainer, EveryCutOfAGoodFileIsRefusedWithoutReadingPastIt) {
    for (const Layout& layout : layouts()) {
        SCOPED_TRACE(layout.name);
        for (size_t size = 0; size < layout.file.size(); ++size) {
            gfx::ContainerImage image;
            std::string fault;
            ASSERT_FALSE(read(cut(layout.file, size), image, fault)) << "cut at " << size;
            EXPECT_THAT(image.texels, IsEmpty());
        }
    }
}
