#pragma once
#include "engine/map/MapView.h"
#include "engine/shell/Renderer.h"

class AppContext;

namespace Zelmo {

// The renderer side of the in-game picture, as the game logic reaches it: the window's renderer
// draws the level through the GPU, and a stand-in without a GPU lets the world run headless.
class IGameViewRenderer : public Game::IRenderer {
public:
    // Per level, after the game view has started the level: the resources of the level's
    // picture over its map view. The previous level's go first.
    virtual void init(AppContext& context, Map::MapView& mapView, int level) = 0;
};

}  // namespace Zelmo
