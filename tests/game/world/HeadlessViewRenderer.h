#pragma once
#include "game/world/IGameViewRenderer.h"
#include "tests/engine/map/FakeMapRenderer.h"

namespace WorldTest {

// The game view's renderer for a world without a window: it draws nothing, and the level's map
// view keeps its tiles in memory.
class HeadlessViewRenderer : public Zelmo::IGameViewRenderer {
public:
    HeadlessViewRenderer() { m_maps.setAtlas(8, 4, 32, 32); }

    Map::IMapRenderer& mapRenderer() override { return m_maps; }
    void init(AppContext&, Map::MapView&, int) override {}
    void render(const Util::FrameGeometry&) override {}

private:
    FakeMapRenderer m_maps;
};

}  // namespace WorldTest
