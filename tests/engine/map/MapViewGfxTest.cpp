// The map view on the real renderer layer: its recording back end (always) and OpenGL under an X
// server. A generated level is scrolled from a start near its left and top edges, and the render
// texture is read back and checked tile by tile.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <memory>

#include "engine/gfx/Gfx.h"
#include "engine/map/MapView.h"
#include "engine/maze/LevelMap.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/RecordingTest.h"
#include "tests/engine/map/MapViewCheck.h"
#include "tests/engine/maze/LevelParamsFixture.h"

namespace {

constexpr int kTileShift = 5;
constexpr int kTile = 1 << kTileShift;

// An atlas of 8 x 4 tiles encoded as FakeMapRenderer's is. PNG files load upside down, so the
// tile rows are written bottom up to land in texture row order.
std::string writeAtlas() {
    const int l_width = 8 * kTile;
    const int l_height = 4 * kTile;
    std::vector<uint8_t> l_picture(size_t(l_width) * l_height * 4);
    for (int l_row = 0; l_row < l_height; ++l_row) {
        for (int l_x = 0; l_x < l_width; ++l_x) {
            uint8_t* l_p = &l_picture[(size_t(l_height - 1 - l_row) * l_width + l_x) * 4];
            l_p[0] = uint8_t((l_row / kTile) * 8 + l_x / kTile + 1);
            l_p[1] = uint8_t(l_x % kTile);
            l_p[2] = uint8_t(l_row % kTile);
            l_p[3] = 255;
        }
    }
    const std::string l_path = ::testing::TempDir() + "map-view-atlas.png";
    EXPECT_NE(stbi_write_png(l_path.c_str(), l_width, l_height, 4, l_picture.data(), l_width * 4), 0);
    return l_path;
}

std::unique_ptr<Map::TileMap> generatedLevel() {
    Maze::LevelParams l_params = MazeTest::levelParams(4242, 15, {{12, 10}, {3, 3}, {2, 2, 2, 2}}, {1, 0, 9, 8});
    l_params.tileShiftX = kTileShift;
    l_params.tileShiftY = kTileShift;
    return Maze::buildLevelMap(l_params);
}

// What the game stamps once the view exists: the margins and a door run.
void stampLevel(Map::TileMap& map) {
    std::vector<Map::TileChange> l_changes;
    for (int l_y = 0; l_y < map.getHeight(); ++l_y) {
        for (int l_x = 0; l_x < map.getWidth(); ++l_x) {
            if (l_x < 2 || l_y < 2 || l_x >= map.getWidth() - 2 || l_y >= map.getHeight() - 2) {
                l_changes.push_back({l_x, l_y, 31});
            }
        }
    }
    map.setCells(l_changes);
    map.setCells({{7, 2, 17}, {8, 2, 19}, {9, 2, 18}});
}

::testing::AssertionResult readBackShowsWindow(const Map::MapView& view, const Map::TileMap& map) {
    std::vector<uint8_t> l_texels(gfx::textureInfo(view.getTexture().handle).storageSize);
    if (l_texels.empty() || !gfx::readTexture(view.getTexture().handle, l_texels.data())) {
        return ::testing::AssertionFailure() << "the render texture cannot be read back";
    }
    return windowShown(view, map, [&](int x, int y) {
        const uint8_t* l_p = &l_texels[(size_t(y) * size_t(view.getTextureWidth()) + size_t(x)) * 4];
        return AtlasTexel{int(l_p[0]) - 1, l_p[1], l_p[2]};
    });
}

// The game's window at zoom 1 (1024 less a tile), centred on a start near the top-left corner,
// then a walk at punch speed to the far corner and a few jumps back.
void scrollAcrossALevel() {
    std::unique_ptr<Map::TileMap> l_map = generatedLevel();
    Map::MapViewParams l_params;
    l_params.width = 1024 - kTile;
    l_params.height = 1024 - kTile;
    l_params.x = 150 - l_params.width / 2;
    l_params.y = 120 - l_params.height / 2;
    l_params.atlasName = writeAtlas();
    Map::MapView l_view(*l_map, l_params);
    ASSERT_TRUE(readBackShowsWindow(l_view, *l_map));
    stampLevel(*l_map);
    ASSERT_TRUE(readBackShowsWindow(l_view, *l_map));

    int l_x = 150;
    int l_y = 120;
    for (int l_step = 1; l_step <= 150; ++l_step) {
        l_x += 12;
        l_y += 9;
        l_view.scrollTo(l_x, l_y, true);
        if (l_step % 15 == 0) {
            ASSERT_TRUE(readBackShowsWindow(l_view, *l_map)) << "step " << l_step;
        }
    }
    for (const auto& l_to : {std::pair<int, int>{40, 1500}, {1700, 30}, {0, 0}, {900, 700}}) {
        l_view.scrollTo(l_to.first, l_to.second, true);
        ASSERT_TRUE(readBackShowsWindow(l_view, *l_map)) << "jump to (" << l_to.first << ", " << l_to.second << ")";
    }
}

using MapViewRecordingTest = RecordingTest;

TEST_F(MapViewRecordingTest, ScrollingAGeneratedLevelLeavesNoBlankOrShiftedTile) { scrollAcrossALevel(); }

TEST_F(MapViewRecordingTest, DestructionReleasesBothTextures) {
    std::unique_ptr<Map::TileMap> l_map = generatedLevel();
    Map::MapViewParams l_params;
    l_params.width = 320;
    l_params.height = 224;
    l_params.atlasName = writeAtlas();
    auto l_view = std::make_unique<Map::MapView>(*l_map, l_params);
    const gfx::TextureHandle l_texture = l_view->getTexture().handle;
    ASSERT_TRUE(gfx::textureInfo(l_texture).storageSize > 0);
    l_view.reset();
    EXPECT_EQ(gfx::textureInfo(l_texture).storageSize, 0u);
}

using MapViewGlTest = GlTest;

TEST_F(MapViewGlTest, ScrollingAGeneratedLevelLeavesNoBlankOrShiftedTile) { scrollAcrossALevel(); }

}  // namespace
