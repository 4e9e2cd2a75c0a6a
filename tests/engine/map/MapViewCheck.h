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
    const int l_tile = map.getCell(x, y) & map.getValueMask();
    return l_tile >= 0 && l_tile < view.getAtlasTileCount() ? l_tile : -1;
}

inline ::testing::AssertionResult windowShown(const Map::MapView& view, const Map::TileMap& map,
                                              const TexelReader& texelAt) {
    const int l_tileWidth = 1 << map.getTileShiftX();
    const int l_tileHeight = 1 << map.getTileShiftY();
    const int l_firstColumn = view.getX() >> map.getTileShiftX();
    const int l_firstRow = view.getY() >> map.getTileShiftY();
    for (int l_row = 0; l_row < view.getRowsVisible(); ++l_row) {
        for (int l_column = 0; l_column < view.getColsVisible(); ++l_column) {
            const int l_x = (view.getTexX() + l_column * l_tileWidth) % view.getTextureWidth();
            const int l_y = (view.getTexY() + l_row * l_tileHeight) % view.getTextureHeight();
            const int l_tile = expectedTile(map, view, l_firstColumn + l_column, l_firstRow + l_row);
            for (const auto& l_at : {std::pair<int, int>{0, 0}, {l_tileWidth - 1, l_tileHeight - 1}}) {
                const AtlasTexel l_texel = texelAt(l_x + l_at.first, l_y + l_at.second);
                const bool l_right =
                    l_texel.tile == l_tile && (l_tile < 0 ? l_texel.i == 0 && l_texel.j == 0
                                                          : l_texel.i == l_at.first && l_texel.j == l_at.second);
                if (!l_right) {
                    return ::testing::AssertionFailure()
                           << "map cell (" << l_firstColumn + l_column << ", " << l_firstRow + l_row
                           << ") should show tile " << l_tile << ", texel (" << l_x + l_at.first << ", "
                           << l_y + l_at.second << ") holds tile " << l_texel.tile << " texel (" << l_texel.i << ", "
                           << l_texel.j << ")";
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
