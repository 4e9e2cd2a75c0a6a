#include <gtest/gtest.h>

#include <memory>

#include "engine/map/MapView.h"
#include "engine/util/Random.h"
#include "tests/engine/map/FakeMapRenderer.h"
#include "tests/engine/map/MapViewCheck.h"

namespace {

// A 40 x 30 map of 32-pixel tiles (1280 x 960 pixels) whose neighbouring cells all differ, seen
// through the worked example's 640 x 448 window over an atlas of 8 x 4 tiles.
class MapViewTest : public ::testing::Test {
protected:
    MapViewTest() : m_map(40, 30, 5, 5, 0, 0, 0) {
        for (int l_y = 0; l_y < m_map.getHeight(); ++l_y) {
            for (int l_x = 0; l_x < m_map.getWidth(); ++l_x) m_map.setCell({l_x, l_y, (l_x * 7 + l_y * 13) % 32});
        }
        m_renderer.setAtlas(8, 4, 32, 32);
    }

    std::unique_ptr<Map::MapView> makeView(int x, int y, int width = 640, int height = 448, int budget = 7000) {
        Map::MapViewParams l_params;
        l_params.x = x;
        l_params.y = y;
        l_params.width = width;
        l_params.height = height;
        l_params.atlasName = "data/tiles.png";
        l_params.maxTileUpdatesPerFrame = budget;
        return std::make_unique<Map::MapView>(m_map, l_params, m_renderer);
    }

    Map::TileMap m_map;
    FakeMapRenderer m_renderer;
};

TEST_F(MapViewTest, WorkedExampleSizesAndTheFirstFill) {
    auto l_view = makeView(0, 0);
    EXPECT_EQ(m_renderer.atlasPath, "data/tiles.png");
    EXPECT_EQ(l_view->getTextureWidth(), 672);
    EXPECT_EQ(l_view->getTextureHeight(), 480);
    EXPECT_EQ(l_view->getTexture().info.width, 672);
    EXPECT_EQ(l_view->getTexture().info.height, 480);
    EXPECT_EQ(l_view->getColsVisible(), 21);
    EXPECT_EQ(l_view->getRowsVisible(), 15);
    EXPECT_EQ(l_view->getMaxX(), 1280 - 672);
    EXPECT_EQ(l_view->getMaxY(), 960 - 480);
    EXPECT_EQ(l_view->getAtlasTileCount(), 32);
    EXPECT_EQ(m_renderer.uploads, 21 * 15);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, FirstFillFromAClampedStartDrawsTheWholeWindow) {
    for (const auto& l_start : {std::pair<int, int>{-100, -50}, {-5, 300}, {300, -1}, {5000, 4000}}) {
        m_renderer.resetCounts();
        auto l_view = makeView(l_start.first, l_start.second);
        SCOPED_TRACE(testing::Message() << "start (" << l_start.first << ", " << l_start.second << ")");
        EXPECT_EQ(l_view->getX(), std::max(0, std::min(l_start.first, l_view->getMaxX())));
        EXPECT_EQ(l_view->getY(), std::max(0, std::min(l_start.second, l_view->getMaxY())));
        EXPECT_EQ(m_renderer.uploads, 21 * 15);
        EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    }
}

struct Move {
    int dx;
    int dy;
    int uploads;  // tiles drawn by the move
};

TEST_F(MapViewTest, ScrollingDrawsOnlyTheEnteringColumnsAndRows) {
    auto l_view = makeView(320, 256);
    // Each move starts where the last one ended; the window keeps inside the map throughout.
    const Move kMoves[] = {
        {7, 3, 0},                    // within a tile: nothing enters
        {32, 0, 15},                  // one column right
        {-32, 0, 15},                 // one column left
        {0, 32, 21},                  // one row down
        {0, -32, 21},                 // one row up
        {32, 32, 15 + 21},            // one of each
        {-64, -64, 2 * 15 + 2 * 21},  // two of each back
        {160, 0, 5 * 15},
        {0, 96, 3 * 21},
        {-96, -32, 3 * 15 + 21},
    };
    for (const Move& l_move : kMoves) {
        m_renderer.resetCounts();
        const int l_x = l_view->getX() + l_move.dx;
        const int l_y = l_view->getY() + l_move.dy;
        l_view->scrollTo(l_x, l_y, false);
        SCOPED_TRACE(testing::Message() << "move (" << l_move.dx << ", " << l_move.dy << ")");
        EXPECT_EQ(l_view->getX(), l_x);
        EXPECT_EQ(l_view->getY(), l_y);
        EXPECT_EQ(m_renderer.uploads, l_move.uploads);
        EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    }
}

TEST_F(MapViewTest, AJumpFartherThanTheWindowRedrawsItOnce) {
    auto l_view = makeView(0, 0, 320, 224);
    ASSERT_EQ(l_view->getColsVisible(), 11);
    ASSERT_EQ(l_view->getRowsVisible(), 8);
    m_renderer.resetCounts();
    l_view->scrollTo(900, 700, false);
    EXPECT_EQ(m_renderer.uploads, 11 * 8 + 8 * 11);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    l_view->scrollTo(3, 2, false);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, ARandomWalkKeepsEveryTileInItsSlot) {
    auto l_view = makeView(100, 100);
    Util::Random l_random;
    l_random.seed(2024, 7);
    for (int l_step = 0; l_step < 400; ++l_step) {
        const bool l_jump = l_random.nextInt(20) == 0;
        const int l_range = l_jump ? 1400 : 90;
        const int l_x = l_view->getX() + int(l_random.nextInt(uint32_t(2 * l_range))) - l_range;
        const int l_y = l_view->getY() + int(l_random.nextInt(uint32_t(2 * l_range))) - l_range;
        l_view->scrollTo(l_x, l_y, l_step % 3 == 0);
        ASSERT_TRUE(windowShown(*l_view, m_map, m_renderer)) << "step " << l_step;
    }
}

TEST_F(MapViewTest, CentredScrollNamesTheWindowCentre) {
    auto l_view = makeView(0, 0);
    l_view->scrollTo(600, 500, true);
    EXPECT_EQ(l_view->getX(), 600 - 320);
    EXPECT_EQ(l_view->getY(), 500 - 224);
}

TEST_F(MapViewTest, AScrollBeyondTheEdgeIsClampedAndScrollingBackDrawsNothing) {
    auto l_view = makeView(608, 480);
    m_renderer.resetCounts();
    l_view->scrollTo(708, 580, false);
    EXPECT_EQ(l_view->getX(), 608);
    EXPECT_EQ(l_view->getY(), 480);
    l_view->scrollTo(608, 480, false);
    EXPECT_EQ(m_renderer.uploads, 0);
    l_view->scrollTo(-50, -70, false);
    EXPECT_EQ(l_view->getX(), 0);
    EXPECT_EQ(l_view->getY(), 0);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, TheBudgetEndsTheFrameBeforeALineWouldReachIt) {
    auto l_view = makeView(0, 0, 640, 448, 50);
    // The first fill: 21 columns of 15 tiles, a frame after every third column.
    EXPECT_EQ(m_renderer.uploadsAtFrames, (std::vector<int>{45, 90, 135, 180, 225, 270, 315}));
    m_renderer.resetCounts();
    l_view->scrollTo(4 * 32, 0, false);
    // 45 + 15 >= 50 after the third column; the fourth starts a new count.
    EXPECT_EQ(m_renderer.uploadsAtFrames, std::vector<int>{45});
    EXPECT_EQ(m_renderer.uploads, 60);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, FlushesEndTheFrameAfterEveryBudgetOfTiles) {
    auto l_view = makeView(0, 0, 640, 448, 50);
    m_renderer.resetCounts();
    std::vector<Map::TileChange> l_changes;
    for (int l_i = 0; l_i < 120; ++l_i) l_changes.push_back({l_i % 20, l_i / 20, 5});
    m_map.setCells(l_changes);
    EXPECT_EQ(m_renderer.uploadsAtFrames, (std::vector<int>{50, 100}));
    EXPECT_EQ(m_renderer.uploads, 120);
}

TEST_F(MapViewTest, ChangesInTheWindowAreDrawnInTheirWrappedSlots) {
    auto l_view = makeView(0, 0);
    l_view->scrollTo(5 * 32 + 9, 3 * 32 + 4, false);
    ASSERT_NE(l_view->getTexX(), 0);
    ASSERT_NE(l_view->getTexY(), 0);
    m_renderer.resetCounts();
    m_map.setCells({{5, 3, 30}, {25, 17, 29}, {14, 10, 1}});
    EXPECT_EQ(m_renderer.uploads, 3);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, ChangesOutsideTheWindowAreDroppedAndDrawnWhenScrolledIn) {
    auto l_view = makeView(0, 0);
    m_renderer.resetCounts();
    m_map.setCells({{30, 2, 31}, {2, 25, 31}});
    EXPECT_EQ(m_renderer.uploads, 0);
    l_view->scrollTo(400, 0, false);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    l_view->scrollTo(0, 400, false);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, ASingleCellChangeIsDrawnAtOnce) {
    auto l_view = makeView(0, 0);
    m_renderer.resetCounts();
    m_map.setCell({4, 4, 17});
    EXPECT_EQ(m_renderer.uploads, 1);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, WithoutImmediateChangesWaitForTheFlush) {
    auto l_view = makeView(0, 0);
    l_view->setImmediate(false);
    m_renderer.resetCounts();
    m_map.setCells({{1, 1, 18}});
    m_map.setCell({2, 1, 19});
    EXPECT_EQ(m_renderer.uploads, 0);
    EXPECT_FALSE(windowShown(*l_view, m_map, m_renderer));
    l_view->flushChanges();
    EXPECT_EQ(m_renderer.uploads, 2);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    l_view->flushChanges();
    EXPECT_EQ(m_renderer.uploads, 2);
}

TEST_F(MapViewTest, FlagBitsDoNotChooseTheTile) {
    Map::TileMap l_map(30, 20, 5, 5, 0x300, 0, 0);
    for (int l_x = 0; l_x < 30; ++l_x) l_map.setCell({l_x, 3, 0x100 | (l_x % 32)});
    Map::MapViewParams l_params;
    l_params.width = 640;
    l_params.height = 448;
    Map::MapView l_view(l_map, l_params, m_renderer);
    l_map.setCells({{2, 2, 0x200 | 9}});
    EXPECT_EQ(m_renderer.texelAt(l_view.getTexture(), 2 * 32, 2 * 32).tile, 9);
    EXPECT_TRUE(windowShown(l_view, l_map, m_renderer));
}

TEST_F(MapViewTest, AMapSmallerThanTheTextureStaysAtTheOriginWithBlankBeyond) {
    Map::TileMap l_map(10, 8, 5, 5, 0, 0, 0);
    for (int l_x = 0; l_x < 10; ++l_x) l_map.setCell({l_x, 7, l_x + 1});
    Map::MapViewParams l_params;
    l_params.x = 40;
    l_params.y = 30;
    l_params.width = 640;
    l_params.height = 448;
    Map::MapView l_view(l_map, l_params, m_renderer);
    EXPECT_LT(l_view.getMaxX(), 0);
    EXPECT_EQ(l_view.getX(), 0);
    EXPECT_EQ(l_view.getY(), 0);
    EXPECT_TRUE(windowShown(l_view, l_map, m_renderer));
    m_renderer.resetCounts();
    l_view.scrollTo(200, 150, true);
    EXPECT_EQ(l_view.getX(), 0);
    EXPECT_EQ(l_view.getY(), 0);
    EXPECT_EQ(m_renderer.uploads, 0);
}

TEST_F(MapViewTest, AWindowOfPartTilesIsRoundedUpToWholeTiles) {
    auto l_view = makeView(0, 0, 650, 450);
    EXPECT_EQ(l_view->getViewWidth(), 672);
    EXPECT_EQ(l_view->getViewHeight(), 480);
    EXPECT_EQ(l_view->getTextureWidth(), 704);
    EXPECT_EQ(l_view->getTextureHeight(), 512);
    EXPECT_EQ(l_view->getColsVisible(), 22);
    EXPECT_EQ(l_view->getRowsVisible(), 16);
    for (const auto& l_to : {std::pair<int, int>{100, 70}, {330, 200}, {31, 450}, {0, 0}}) {
        l_view->scrollTo(l_to.first, l_to.second, false);
        EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
    }
}

TEST_F(MapViewTest, AnEmptyWindowStillKeepsOneTile) {
    auto l_view = makeView(64, 64, -10, 0);
    EXPECT_EQ(l_view->getTextureWidth(), 32);
    EXPECT_EQ(l_view->getTextureHeight(), 32);
    l_view->scrollTo(200, 96, false);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

class MapViewAtlasFormatTest : public MapViewTest, public ::testing::WithParamInterface<gfx::TextureFormat> {};

TEST_P(MapViewAtlasFormatTest, AtlasesOfOtherFormatsAreConvertedToRgba) {
    m_renderer.setAtlas(8, 4, 32, 32, 0, GetParam());
    auto l_view = makeView(0, 0);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

INSTANTIATE_TEST_SUITE_P(Formats, MapViewAtlasFormatTest,
                         ::testing::Values(gfx::TextureFormat::RGB8, gfx::TextureFormat::BGRA8));

TEST_F(MapViewTest, OneChannelAtlasesBecomeGrey) {
    m_renderer.setAtlas(8, 4, 32, 32, 0, gfx::TextureFormat::R8);
    auto l_view = makeView(0, 0);
    const uint8_t* l_texel = &m_renderer.textures.at(l_view->getTexture().handle.idx)[0];
    const uint8_t l_grey = uint8_t(m_map.getCell(0, 0) + 1);
    EXPECT_EQ(std::vector<uint8_t>(l_texel, l_texel + 4), (std::vector<uint8_t>{l_grey, l_grey, l_grey, 255}));
}

TEST_F(MapViewTest, TilesBeyondTheAtlasAreDrawnBlank) {
    m_renderer.setAtlas(4, 2, 32, 32);
    auto l_view = makeView(0, 0);
    EXPECT_EQ(l_view->getAtlasTileCount(), 8);
    m_map.setCells({{1, 1, -5}, {2, 1, 8}, {3, 1, 7}});
    EXPECT_EQ(m_renderer.texelAt(l_view->getTexture(), 32, 32).tile, -1);
    EXPECT_EQ(m_renderer.texelAt(l_view->getTexture(), 64, 32).tile, -1);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, AtlasEdgesNarrowerThanATileAreNotTiles) {
    m_renderer.setAtlas(8, 4, 32, 32, 20);
    auto l_view = makeView(0, 0);
    EXPECT_EQ(l_view->getAtlasTileCount(), 32);
    EXPECT_TRUE(windowShown(*l_view, m_map, m_renderer));
}

TEST_F(MapViewTest, QuadAndCentreFollowTheScroll) {
    auto l_view = makeView(100, 50);
    int l_cx = 0;
    int l_cy = 0;
    l_view->getCentre(l_cx, l_cy);
    EXPECT_EQ(l_cx, 336 + 100);
    EXPECT_EQ(l_cy, 240 + 50);

    PosTexCoordVertex l_quad[4];
    l_view->buildQuad(l_quad, 640, 480, false);
    // texX = 0: the window starts 100 & 31 = 4 texels in, centred by (672 - 640) / 2.
    const float l_uA = 4.0f / 672 + 16.0f / 672;
    const float l_uB = 640.0f / 672 + l_uA;
    const float l_vA = 18.0f / 480;
    const float l_vB = 480.0f / 480 + l_vA;
    const float kExpected[4][5] = {
        {-320, 240, 0, l_uA, l_vB}, {-320, -240, 0, l_uA, l_vA}, {320, 240, 0, l_uB, l_vB}, {320, -240, 0, l_uB, l_vA}};
    for (int l_i = 0; l_i < 4; ++l_i) {
        SCOPED_TRACE(l_i);
        EXPECT_FLOAT_EQ(l_quad[l_i].x, kExpected[l_i][0]);
        EXPECT_FLOAT_EQ(l_quad[l_i].y, kExpected[l_i][1]);
        EXPECT_FLOAT_EQ(l_quad[l_i].z, kExpected[l_i][2]);
        EXPECT_FLOAT_EQ(l_quad[l_i].u, kExpected[l_i][3]);
        EXPECT_FLOAT_EQ(l_quad[l_i].v, kExpected[l_i][4]);
    }

    l_view->buildQuad(l_quad, 640, 480, true);
    EXPECT_FLOAT_EQ(l_quad[0].u, l_uA + 0.5f / 672);
    EXPECT_FLOAT_EQ(l_quad[0].v, l_vB - 0.5f / 480);
    EXPECT_FLOAT_EQ(l_quad[3].u, l_uB - 0.5f / 672);
    EXPECT_FLOAT_EQ(l_quad[3].v, l_vA + 0.5f / 480);

    // Two columns right: the ring's origin moves two slots, the coordinates with it.
    l_view->scrollTo(164, 50, false);
    EXPECT_EQ(l_view->getTexX(), 64);
    l_view->buildQuad(l_quad, 640, 480, false);
    EXPECT_FLOAT_EQ(l_quad[0].u, (4.0f + 64) / 672 + 16.0f / 672);
}

TEST_F(MapViewTest, OddQuadSizesUseWholeHalves) {
    auto l_view = makeView(0, 0);
    PosTexCoordVertex l_quad[4];
    l_view->buildQuad(l_quad, 641, 479, false);
    EXPECT_FLOAT_EQ(l_quad[0].x, -320);
    EXPECT_FLOAT_EQ(l_quad[0].y, 239);
}

TEST_F(MapViewTest, TheViewWatchesTheMapUntilDestroyedAndFreesBothTextures) {
    auto l_view = makeView(0, 0);
    EXPECT_EQ(m_map.getWatchers(), std::vector<Map::I_MapWatcher*>{l_view.get()});
    EXPECT_EQ(m_renderer.textures.size(), 2u);
    l_view.reset();
    EXPECT_TRUE(m_map.getWatchers().empty());
    EXPECT_TRUE(m_renderer.textures.empty());
    EXPECT_EQ(m_renderer.destroyed, 2);
}

using MapViewDeathTest = MapViewTest;

TEST_F(MapViewDeathTest, AnAtlasThatDoesNotLoadIsFatal) {
    m_renderer.failAtlasLoad();
    EXPECT_EXIT(makeView(0, 0), ::testing::ExitedWithCode(1), "^Failed to load: data/tiles.png\n$");
}

TEST_F(MapViewDeathTest, AnAtlasWithoutAWholeTileIsFatal) {
    m_renderer.setAtlas(0, 0, 32, 32, 20);
    EXPECT_EXIT(makeView(0, 0), ::testing::ExitedWithCode(1),
                "^Tile atlas data/tiles.png holds no whole 32 x 32 tile\n$");
}

TEST_F(MapViewDeathTest, AWindowTooLargeForATextureIsFatal) {
    EXPECT_EXIT(makeView(0, 0, 70000, 448), ::testing::ExitedWithCode(1),
                "^Failed to create the map texture of 70048 x 480\n$");
}

}  // namespace
