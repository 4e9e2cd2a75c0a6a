#include "engine/gfx/Gfx.h"
#include "engine/map/IMapRenderer.h"

namespace Map {

namespace {

class GfxMapRenderer : public IMapRenderer {
public:
    Game::TextureRecord createTileTexture(uint16_t width, uint16_t height) override {
        return Game::createEmptyTexture(width, height, gfx::Sampler::Default);
    }

    Game::TextureRecord loadAtlas(const std::string& path) override {
        return Game::loadTexture(path, gfx::Sampler::Point | gfx::Sampler::Clamp);
    }

    bool readTexture(const Game::TextureRecord& texture, std::vector<uint8_t>& texels) override {
        texels.resize(gfx::textureInfo(texture.handle).storageSize);
        return !texels.empty() && gfx::readTexture(texture.handle, texels.data());
    }

    void updateTexture(const Game::TextureRecord& texture, int x, int y, int width, int height,
                       const uint8_t* rgba) override {
        gfx::updateTexture2D(texture.handle, uint16_t(x), uint16_t(y), uint16_t(width), uint16_t(height), rgba);
    }

    void frame() override { gfx::frame(); }

    void destroyTexture(const Game::TextureRecord& texture) override { gfx::destroy(texture.handle); }
};

}  // namespace

IMapRenderer& gfxMapRenderer() {
    static GfxMapRenderer s_renderer;
    return s_renderer;
}

}  // namespace Map
