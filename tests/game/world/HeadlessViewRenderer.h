#pragma once
#include <cstdint>
#include <vector>

#include "game/world/IGameViewRenderer.h"

namespace WorldTest {

// The game view's renderer for a world without a window: it draws nothing, and the level's map
// view writes its tiles nowhere, from a blank atlas of 8 x 4 tiles of 32 pixels.
class HeadlessViewRenderer : public Zelmo::IGameViewRenderer, Map::IMapRenderer {
public:
    Map::IMapRenderer& mapRenderer() override { return *this; }
    void init(AppContext&, Map::MapView&, int) override {}
    void render(const Util::FrameGeometry&) override {}

    Game::TextureRecord createTileTexture(uint16_t width, uint16_t height) override { return record(width, height); }
    Game::TextureRecord loadAtlas(const std::string&) override { return record(8 * 32, 4 * 32); }
    bool readTexture(const Game::TextureRecord& texture, std::vector<uint8_t>& texels) override {
        texels.assign(texture.info.storageSize, 0);
        return true;
    }
    void updateTexture(const Game::TextureRecord&, int, int, int, int, const uint8_t*) override {}
    void frame() override {}
    void destroyTexture(const Game::TextureRecord&) override {}

private:
    Game::TextureRecord record(uint16_t width, uint16_t height) {
        Game::TextureRecord made;
        made.handle.idx = m_nextHandle++;
        made.info = gfx::calcTextureSize(width, height, 1, gfx::TextureFormat::RGBA8);
        return made;
    }

    uint16_t m_nextHandle = 1;
};

}  // namespace WorldTest
