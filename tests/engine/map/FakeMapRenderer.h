#pragma once
// A map renderer that keeps its textures in memory and counts what the view asks of it, so the
// view's texture contents can be checked texel by texel without a GPU.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "engine/map/I_MapRenderer.h"

// Atlas texel (i, j) of tile t (i across, j down the tile from texture row 0) holds
// {t + 1, i, j, 255}, so a texel names its tile and its place in it; blank texels are all 0.
struct AtlasTexel {
    int tile;  // -1 for blank
    int i;
    int j;
};

class FakeMapRenderer : public Map::I_MapRenderer {
public:
    // The atlas loadAtlas hands out: tilesAcross x tilesDown tiles of tileWidth x tileHeight, plus
    // `extra` texels on the right and top edges that belong to no whole tile.
    void setAtlas(int tilesAcross, int tilesDown, int tileWidth, int tileHeight, int extra = 0,
                  gfx::TextureFormat format = gfx::TextureFormat::RGBA8) {
        m_atlasWidth = tilesAcross * tileWidth + extra;
        m_atlasHeight = tilesDown * tileHeight + extra;
        m_atlasFormat = format;
        m_atlasTexels.assign(size_t(m_atlasWidth) * m_atlasHeight * 4, 0);
        for (int l_y = 0; l_y < tilesDown * tileHeight; ++l_y) {
            for (int l_x = 0; l_x < tilesAcross * tileWidth; ++l_x) {
                uint8_t* l_p = &m_atlasTexels[(size_t(l_y) * m_atlasWidth + l_x) * 4];
                l_p[0] = uint8_t((l_y / tileHeight) * tilesAcross + l_x / tileWidth + 1);
                l_p[1] = uint8_t(l_x % tileWidth);
                l_p[2] = uint8_t(l_y % tileHeight);
                l_p[3] = 255;
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
        std::vector<uint8_t>& l_texels = textures.at(texture.handle.idx);
        const int l_textureWidth = texture.info.width;
        EXPECT_TRUE(x >= 0 && y >= 0 && x + width <= l_textureWidth && y + height <= texture.info.height)
            << "upload at (" << x << ", " << y << ") leaves the texture";
        for (int l_row = 0; l_row < height; ++l_row) {
            std::memcpy(&l_texels[(size_t(y + l_row) * l_textureWidth + x) * 4], rgba + size_t(l_row) * width * 4,
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
        const uint8_t* l_p = &textures.at(texture.handle.idx)[(size_t(y) * texture.info.width + x) * 4];
        return {int(l_p[0]) - 1, l_p[1], l_p[2]};
    }

    std::map<uint16_t, std::vector<uint8_t>> textures;
    std::string atlasPath;
    int uploads = 0;
    std::vector<int> uploadsAtFrames;  // the upload count at each frame
    int destroyed = 0;

private:
    Game::TextureRecord add(uint16_t width, uint16_t height, gfx::TextureFormat format, std::vector<uint8_t> texels) {
        Game::TextureRecord l_record;
        l_record.handle.idx = m_nextHandle++;
        l_record.info = gfx::calcTextureSize(width, height, 1, format);
        textures[l_record.handle.idx] = std::move(texels);
        return l_record;
    }

    // The RGBA atlas in the loaded format; channels a format lacks are dropped.
    std::vector<uint8_t> inFormat(const std::vector<uint8_t>& rgba) const {
        const size_t l_count = rgba.size() / 4;
        std::vector<uint8_t> l_out;
        for (size_t l_i = 0; l_i < l_count; ++l_i) {
            const uint8_t* l_p = &rgba[l_i * 4];
            switch (m_atlasFormat) {
                case gfx::TextureFormat::R8:
                    l_out.push_back(l_p[0]);
                    break;
                case gfx::TextureFormat::RG8:
                    l_out.insert(l_out.end(), {l_p[0], l_p[1]});
                    break;
                case gfx::TextureFormat::RGB8:
                    l_out.insert(l_out.end(), {l_p[0], l_p[1], l_p[2]});
                    break;
                case gfx::TextureFormat::RGBA8:
                    l_out.insert(l_out.end(), {l_p[0], l_p[1], l_p[2], l_p[3]});
                    break;
                case gfx::TextureFormat::BGRA8:
                    l_out.insert(l_out.end(), {l_p[2], l_p[1], l_p[0], l_p[3]});
                    break;
            }
        }
        return l_out;
    }

    uint16_t m_nextHandle = 1;
    int m_atlasWidth = 0;
    int m_atlasHeight = 0;
    gfx::TextureFormat m_atlasFormat = gfx::TextureFormat::RGBA8;
    std::vector<uint8_t> m_atlasTexels;
    bool m_atlasLoads = true;
};
