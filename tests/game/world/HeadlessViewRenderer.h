#pragma once
#include "game/world/IGameViewRenderer.h"

namespace WorldTest {

// The game view's renderer for a world without a window: it draws nothing.
class HeadlessViewRenderer : public Zelmo::IGameViewRenderer {
public:
    void init(AppContext&, Map::MapView&, int) override {}
    void render(const Util::FrameGeometry&) override {}
};

}  // namespace WorldTest
