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
    const int width = 8 * kTile;
    const int height = 4 * kTile;
    std::vector<uint8_t> picture(size_t(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &picture[(size_t(height - 1 - row) * width + x) * 4];
            p[0] = uint8_t((row / kTile) * 8 + x / kTile + 1);
            p[1] = uint8_t(x % kTile);
            p[2] = uint8_t(row % kTile);
            p[3] = 255;
        }
    }
    const std::string path = ::testing::TempDir() + "map-view-atlas.png";
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, 4, picture.data(), width * 4), 0);
    return path;
}

std::unique_ptr<Map::TileMap> generatedLevel() {
    Maze::LevelParams params = MazeTest::levelParams(4242, 15, {{12, 10}, {3, 3}, {2, 2, 2, 2}}, {1, 0, 9, 8});
    params.tileShiftX = kTileShift;
    params.tileShiftY = kTileShift;
    return Maze::buildLevelMap(params);
}

// What the game stamps once the view exists: the margins and a door run.
void stampLevel(Map::TileMap& map) {
    std::vector<Map::TileChange> changes;
    for (int y = 0; y < map.getHeight(); ++y) {
        for (int x = 0; x < map.getWidth(); ++x) {
            if (x < 2 || y < 2 || x >= map.getWidth() - 2 || y >= map.getHeight() - 2) {
                changes.push_back({x, y, 31});
            }
        }
    }
    map.setCells(changes);
    map.setCells({{7, 2, 17}, {8, 2, 19}, {9, 2, 18}});
}

::testing::AssertionResult readBackShowsWindow(const Map::MapView& view, const Map::TileMap& map) {
    std::vector<uint8_t> texels(gfx::textureInfo(view.getTexture().handle).storageSize);
    if (texels.empty() || !gfx::readTexture(view.getTexture().handle, texels.data())) {
        return ::testing::AssertionFailure() << "the render texture cannot be read back";
    }
    return windowShown(view, map, [&](int x, int y) {
        const uint8_t* p = &texels[(size_t(y) * size_t(view.getTextureWidth()) + size_t(x)) * 4];
        return AtlasTexel{int(p[0]) - 1, p[1], p[2]};
    });
}

// The game's window at zoom 1 (1024 less a tile), centred on a start near the top-left corner,
// then a walk at punch speed to the far corner and a few jumps back.
void scrollAcrossALevel() {
    std::unique_ptr<Map::TileMap> map = generatedLevel();
    Map::MapViewParams params;
    params.width = 1024 - kTile;
    params.height = 1024 - kTile;
    params.x = 150 - params.width / 2;
    params.y = 120 - params.height / 2;
    params.atlasName = writeAtlas();
    Map::MapView view(*map, params);
    ASSERT_TRUE(readBackShowsWindow(view, *map));
    stampLevel(*map);
    ASSERT_TRUE(readBackShowsWindow(view, *map));

    int x = 150;
    int y = 120;
    for (int step = 1; step <= 150; ++step) {
        x += 12;
        y += 9;
        view.scrollTo(x, y, true);
        if (step % 15 == 0) {
            ASSERT_TRUE(readBackShowsWindow(view, *map)) << "step " << step;
        }
    }
    for (const auto& to : {std::pair<int, int>{40, 1500}, {1700, 30}, {0, 0}, {900, 700}}) {
        view.scrollTo(to.first, to.second, true);
        ASSERT_TRUE(readBackShowsWindow(view, *map)) << "jump to (" << to.first << ", " << to.second << ")";
    }
}

using MapViewRecordingTest = RecordingTest;

TEST_F(MapViewRecordingTest, ScrollingAGeneratedLevelLeavesNoBlankOrShiftedTile) { scrollAcrossALevel(); }

TEST_F(MapViewRecordingTest, DestructionReleasesBothTextures) {
    std::unique_ptr<Map::TileMap> map = generatedLevel();
    Map::MapViewParams params;
    params.width = 320;
    params.height = 224;
    params.atlasName = writeAtlas();
    auto view = std::make_unique<Map::MapView>(*map, params);
    const gfx::TextureHandle texture = view->getTexture().handle;
    ASSERT_TRUE(gfx::textureInfo(texture).storageSize > 0);
    view.reset();
    EXPECT_EQ(gfx::textureInfo(texture).storageSize, 0u);
}

using MapViewGlTest = GlTest;

TEST_F(MapViewGlTest, ScrollingAGeneratedLevelLeavesNoBlankOrShiftedTile) { scrollAcrossALevel(); }

}  // namespace
