#pragma once
// Checks that a map view's texture shows its window: every visible tile in its ring slot, whole
// and upright, read through a function that gives the texel at a texture position.
#include <gtest/gtest.h>

#include <functional>

#include "engine/map/MapView.h"
#include "engine/map/TileMap.h"
#include "tests/engine/map/FakeMapRenderer.h"

using TexelReader = std::function<AtlasTexel(int x, int y)>;

// The tile the view should show for map cell (x, y): blank outside the map or the atlas.
inline int expectedTile(const Map::TileMap& map, const Map::MapView& view, int x, int y) {
    if (!map.contains(x, y)) return -1;
    const int tile = map.getCell(x, y) & map.getValueMask();
    return tile >= 0 && tile < view.getAtlasTileCount() ? tile : -1;
}

inline ::testing::AssertionResult windowShown(const Map::MapView& view, const Map::TileMap& map,
                                              const TexelReader& texelAt) {
    const int tileWidth = 1 << map.getTileShiftX();
    const int tileHeight = 1 << map.getTileShiftY();
    const int firstColumn = view.getX() >> map.getTileShiftX();
    const int firstRow = view.getY() >> map.getTileShiftY();
    for (int row = 0; row < view.getRowsVisible(); ++row) {
        for (int column = 0; column < view.getColsVisible(); ++column) {
            const int x = (view.getTexX() + column * tileWidth) % view.getTextureWidth();
            const int y = (view.getTexY() + row * tileHeight) % view.getTextureHeight();
            const int tile = expectedTile(map, view, firstColumn + column, firstRow + row);
            for (const auto& at : {std::pair<int, int>{0, 0}, {tileWidth - 1, tileHeight - 1}}) {
                const AtlasTexel texel = texelAt(x + at.first, y + at.second);
                const bool right = texel.tile == tile && (tile < 0 ? texel.i == 0 && texel.j == 0
                                                                   : texel.i == at.first && texel.j == at.second);
                if (!right) {
                    return ::testing::AssertionFailure()
                           << "map cell (" << firstColumn + column << ", " << firstRow + row << ") should show tile "
                           << tile << ", texel (" << x + at.first << ", " << y + at.second << ") holds tile "
                           << texel.tile << " texel (" << texel.i << ", " << texel.j << ")";
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult windowShown(const Map::MapView& view, const Map::TileMap& map,
                                              const FakeMapRenderer& renderer) {
    return windowShown(view, map, [&](int x, int y) { return renderer.texelAt(view.getTexture(), x, y); });
}
