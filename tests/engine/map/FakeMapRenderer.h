#pragma once
// A map renderer that keeps its textures in memory and counts what the view asks of it, so the
// view's texture contents can be checked texel by texel without a GPU.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "engine/map/IMapRenderer.h"

// Atlas texel (i, j) of tile t (i across, j down the tile from texture row 0) holds
// {t + 1, i, j, 255}, so a texel names its tile and its place in it; blank texels are all 0.
struct AtlasTexel {
    int tile;  // -1 for blank
    int i;
    int j;
};

class FakeMapRenderer : public Map::IMapRenderer {
public:
    // The atlas loadAtlas hands out: tilesAcross x tilesDown tiles of tileWidth x tileHeight, plus
    // `extra` texels on the right and top edges that belong to no whole tile.
    void setAtlas(int tilesAcross, int tilesDown, int tileWidth, int tileHeight, int extra = 0,
                  gfx::TextureFormat format = gfx::TextureFormat::RGBA8) {
        m_atlasWidth = tilesAcross * tileWidth + extra;
        m_atlasHeight = tilesDown * tileHeight + extra;
        m_atlasFormat = format;
        m_atlasTexels.assign(size_t(m_atlasWidth) * m_atlasHeight * 4, 0);
        for (int y = 0; y < tilesDown * tileHeight; ++y) {
            for (int x = 0; x < tilesAcross * tileWidth; ++x) {
                uint8_t* p = &m_atlasTexels[(size_t(y) * m_atlasWidth + x) * 4];
                p[0] = uint8_t((y / tileHeight) * tilesAcross + x / tileWidth + 1);
                p[1] = uint8_t(x % tileWidth);
                p[2] = uint8_t(y % tileHeight);
                p[3] = 255;
            }
        }
    }
    void failAtlasLoad() { m_atlasLoads = false; }

    Game::TextureRecord createTileTexture(uint16_t width, uint16_t height) override {
        return add(width, height, gfx::TextureFormat::RGBA8, std::vector<uint8_t>(size_t(width) * height * 4, 0xee));
    }

    Game::TextureRecord loadAtlas(const std::string& path) override {
        atlasPath = path;
        if (!m_atlasLoads) return Game::TextureRecord();
        return add(uint16_t(m_atlasWidth), uint16_t(m_atlasHeight), m_atlasFormat, inFormat(m_atlasTexels));
    }

    bool readTexture(const Game::TextureRecord& texture, std::vector<uint8_t>& texels) override {
        texels = textures.at(texture.handle.idx);
        return true;
    }

    void updateTexture(const Game::TextureRecord& texture, int x, int y, int width, int height,
                       const uint8_t* rgba) override {
        std::vector<uint8_t>& texels = textures.at(texture.handle.idx);
        const int textureWidth = texture.info.width;
        EXPECT_TRUE(x >= 0 && y >= 0 && x + width <= textureWidth && y + height <= texture.info.height)
            << "upload at (" << x << ", " << y << ") leaves the texture";
        for (int row = 0; row < height; ++row) {
            std::memcpy(&texels[(size_t(y + row) * textureWidth + x) * 4], rgba + size_t(row) * width * 4,
                        size_t(width) * 4);
        }
        ++uploads;
    }

    void frame() override { uploadsAtFrames.push_back(uploads); }

    void destroyTexture(const Game::TextureRecord& texture) override {
        textures.erase(texture.handle.idx);
        ++destroyed;
    }

    void resetCounts() {
        uploads = 0;
        uploadsAtFrames.clear();
    }

    // What the render texture holds at texel (x, y).
    AtlasTexel texelAt(const Game::TextureRecord& texture, int x, int y) const {
        const uint8_t* p = &textures.at(texture.handle.idx)[(size_t(y) * texture.info.width + x) * 4];
        return {int(p[0]) - 1, p[1], p[2]};
    }

    std::map<uint16_t, std::vector<uint8_t>> textures;
    std::string atlasPath;
    int uploads = 0;
    std::vector<int> uploadsAtFrames;  // the upload count at each frame
    int destroyed = 0;

private:
    Game::TextureRecord add(uint16_t width, uint16_t height, gfx::TextureFormat format, std::vector<uint8_t> texels) {
        Game::TextureRecord record;
        record.handle.idx = m_nextHandle++;
        record.info = gfx::calcTextureSize(width, height, 1, format);
        textures[record.handle.idx] = std::move(texels);
        return record;
    }

    // The RGBA atlas in the loaded format; channels a format lacks are dropped.
    std::vector<uint8_t> inFormat(const std::vector<uint8_t>& rgba) const {
        const size_t count = rgba.size() / 4;
        std::vector<uint8_t> out;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = &rgba[i * 4];
            switch (m_atlasFormat) {
                case gfx::TextureFormat::R8:
                    out.push_back(p[0]);
                    break;
                case gfx::TextureFormat::RG8:
                    out.insert(out.end(), {p[0], p[1]});
                    break;
                case gfx::TextureFormat::RGB8:
                    out.insert(out.end(), {p[0], p[1], p[2]});
                    break;
                case gfx::TextureFormat::RGBA8:
                    out.insert(out.end(), {p[0], p[1], p[2], p[3]});
                    break;
                case gfx::TextureFormat::BGRA8:
                    out.insert(out.end(), {p[2], p[1], p[0], p[3]});
                    break;
                case gfx::TextureFormat::BC1:
                case gfx::TextureFormat::BC2:
                case gfx::TextureFormat::BC3:
                case gfx::TextureFormat::BC4:
                case gfx::TextureFormat::BC5:
                case gfx::TextureFormat::BC7:
                    break;  // no texels: the view must refuse such an atlas before reading it
            }
        }
        return out;
    }

    uint16_t m_nextHandle = 1;
    int m_atlasWidth = 0;
    int m_atlasHeight = 0;
    gfx::TextureFormat m_atlasFormat = gfx::TextureFormat::RGBA8;
    std::vector<uint8_t> m_atlasTexels;
    bool m_atlasLoads = true;
};
