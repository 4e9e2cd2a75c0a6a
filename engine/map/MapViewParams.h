#pragma once
#include <string>

namespace Map {

// How a map view starts.
struct MapViewParams {
    int x = 0;  // map pixel at the window's top-left corner
    int y = 0;
    int width = 0;  // the visible window in pixels
    int height = 0;
    // The part of the window the screen shows, around its centre; 0 when it shows all of it.
    int shownWidth = 0;
    int shownHeight = 0;
    std::string atlasName;  // path of the tile atlas image
    // Tile uploads after which the view ends the renderer's frame; the game passes 7000.
    int maxTileUpdatesPerFrame = 7000;
};

}  // namespace Map
