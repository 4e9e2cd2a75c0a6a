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
        for (int y = 0; y < m_map.getHeight(); ++y) {
            for (int x = 0; x < m_map.getWidth(); ++x) m_map.setCell({x, y, (x * 7 + y * 13) % 32});
        }
        m_renderer.setAtlas(8, 4, 32, 32);
    }

    std::unique_ptr<Map::MapView> makeView(int x, int y, int width = 640, int height = 448, int budget = 7000) {
        Map::MapViewParams params;
        params.x = x;
        params.y = y;
        params.width = width;
        params.height = height;
        params.atlasName = "data/tiles.png";
        params.maxTileUpdatesPerFrame = budget;
        return std::make_unique<Map::MapView>(m_map, params, m_renderer);
    }

    Map::TileMap m_map;
    FakeMapRenderer m_renderer;
};

TEST_F(MapViewTest, WorkedExampleSizesAndTheFirstFill) {
    auto view = makeView(0, 0);
    EXPECT_EQ(m_renderer.atlasPath, "data/tiles.png");
    EXPECT_EQ(view->getTextureWidth(), 672);
    EXPECT_EQ(view->getTextureHeight(), 480);
    EXPECT_EQ(view->getTexture().info.width, 672);
    EXPECT_EQ(view->getTexture().info.height, 480);
    EXPECT_EQ(view->getColsVisible(), 21);
    EXPECT_EQ(view->getRowsVisible(), 15);
    EXPECT_EQ(view->getMaxX(), 1280 - 672);
    EXPECT_EQ(view->getMaxY(), 960 - 480);
    EXPECT_EQ(view->getAtlasTileCount(), 32);
    EXPECT_EQ(m_renderer.uploads, 21 * 15);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, FirstFillFromAClampedStartDrawsTheWholeWindow) {
    for (const auto& start : {std::pair<int, int>{-100, -50}, {-5, 300}, {300, -1}, {5000, 4000}}) {
        m_renderer.resetCounts();
        auto view = makeView(start.first, start.second);
        SCOPED_TRACE(testing::Message() << "start (" << start.first << ", " << start.second << ")");
        EXPECT_EQ(view->getX(), std::max(0, std::min(start.first, view->getMaxX())));
        EXPECT_EQ(view->getY(), std::max(0, std::min(start.second, view->getMaxY())));
        EXPECT_EQ(m_renderer.uploads, 21 * 15);
        EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    }
}

struct Move {
    int dx;
    int dy;
    int uploads;  // tiles drawn by the move
};

TEST_F(MapViewTest, ScrollingDrawsOnlyTheEnteringColumnsAndRows) {
    auto view = makeView(320, 256);
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
    for (const Move& move : kMoves) {
        m_renderer.resetCounts();
        const int x = view->getX() + move.dx;
        const int y = view->getY() + move.dy;
        view->scrollTo(x, y, false);
        SCOPED_TRACE(testing::Message() << "move (" << move.dx << ", " << move.dy << ")");
        EXPECT_EQ(view->getX(), x);
        EXPECT_EQ(view->getY(), y);
        EXPECT_EQ(m_renderer.uploads, move.uploads);
        EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    }
}

TEST_F(MapViewTest, AJumpFartherThanTheWindowRedrawsItOnce) {
    auto view = makeView(0, 0, 320, 224);
    ASSERT_EQ(view->getColsVisible(), 11);
    ASSERT_EQ(view->getRowsVisible(), 8);
    m_renderer.resetCounts();
    view->scrollTo(900, 700, false);
    EXPECT_EQ(m_renderer.uploads, 11 * 8 + 8 * 11);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    view->scrollTo(3, 2, false);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, ARandomWalkKeepsEveryTileInItsSlot) {
    auto view = makeView(100, 100);
    Util::Random random;
    random.seed(2024, 7);
    for (int step = 0; step < 400; ++step) {
        const bool jump = random.nextInt(20) == 0;
        const int range = jump ? 1400 : 90;
        const int x = view->getX() + int(random.nextInt(uint32_t(2 * range))) - range;
        const int y = view->getY() + int(random.nextInt(uint32_t(2 * range))) - range;
        view->scrollTo(x, y, step % 3 == 0);
        ASSERT_TRUE(windowShown(*view, m_map, m_renderer)) << "step " << step;
    }
}

TEST_F(MapViewTest, CentredScrollNamesTheWindowCentre) {
    auto view = makeView(0, 0);
    view->scrollTo(600, 500, true);
    EXPECT_EQ(view->getX(), 600 - 320);
    EXPECT_EQ(view->getY(), 500 - 224);
}

TEST_F(MapViewTest, AScrollBeyondTheEdgeIsClampedAndScrollingBackDrawsNothing) {
    auto view = makeView(608, 480);
    m_renderer.resetCounts();
    view->scrollTo(708, 580, false);
    EXPECT_EQ(view->getX(), 608);
    EXPECT_EQ(view->getY(), 480);
    view->scrollTo(608, 480, false);
    EXPECT_EQ(m_renderer.uploads, 0);
    view->scrollTo(-50, -70, false);
    EXPECT_EQ(view->getX(), 0);
    EXPECT_EQ(view->getY(), 0);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

// The screen shows 320 x 240 around the window's centre: the window runs past the map's edges
// until that part meets them, and no further.
TEST_F(MapViewTest, AShownPartSmallerThanTheWindowReachesTheMapsEdges) {
    Map::MapViewParams params;
    params.width = 640;
    params.height = 448;
    params.shownWidth = 320;
    params.shownHeight = 240;
    params.atlasName = "data/tiles.png";
    Map::MapView view(m_map, params, m_renderer);
    EXPECT_EQ(view.getMinX(), -(672 - 320) / 2);
    EXPECT_EQ(view.getMinY(), -(480 - 240) / 2);
    int x = 0, y = 0;
    view.scrollTo(-5000, -5000, true);
    view.getCentre(x, y);
    EXPECT_EQ(x - 160, 0);
    EXPECT_EQ(y - 120, 0);
    EXPECT_TRUE(windowShown(view, m_map, m_renderer));
    view.scrollTo(5000, 5000, true);
    view.getCentre(x, y);
    EXPECT_EQ(x + 160, 1280);
    EXPECT_EQ(y + 120, 960);
    EXPECT_TRUE(windowShown(view, m_map, m_renderer));
}

TEST_F(MapViewTest, TheBudgetEndsTheFrameBeforeALineWouldReachIt) {
    auto view = makeView(0, 0, 640, 448, 50);
    // The first fill: 21 columns of 15 tiles, a frame after every third column.
    EXPECT_EQ(m_renderer.uploadsAtFrames, (std::vector<int>{45, 90, 135, 180, 225, 270, 315}));
    m_renderer.resetCounts();
    view->scrollTo(4 * 32, 0, false);
    // 45 + 15 >= 50 after the third column; the fourth starts a new count.
    EXPECT_EQ(m_renderer.uploadsAtFrames, std::vector<int>{45});
    EXPECT_EQ(m_renderer.uploads, 60);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, FlushesEndTheFrameAfterEveryBudgetOfTiles) {
    auto view = makeView(0, 0, 640, 448, 50);
    m_renderer.resetCounts();
    std::vector<Map::TileChange> changes;
    for (int i = 0; i < 120; ++i) changes.push_back({i % 20, i / 20, 5});
    m_map.setCells(changes);
    EXPECT_EQ(m_renderer.uploadsAtFrames, (std::vector<int>{50, 100}));
    EXPECT_EQ(m_renderer.uploads, 120);
}

TEST_F(MapViewTest, ChangesInTheWindowAreDrawnInTheirWrappedSlots) {
    auto view = makeView(0, 0);
    view->scrollTo(5 * 32 + 9, 3 * 32 + 4, false);
    ASSERT_NE(view->getTexX(), 0);
    ASSERT_NE(view->getTexY(), 0);
    m_renderer.resetCounts();
    m_map.setCells({{5, 3, 30}, {25, 17, 29}, {14, 10, 1}});
    EXPECT_EQ(m_renderer.uploads, 3);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, ChangesOutsideTheWindowAreDroppedAndDrawnWhenScrolledIn) {
    auto view = makeView(0, 0);
    m_renderer.resetCounts();
    m_map.setCells({{30, 2, 31}, {2, 25, 31}});
    EXPECT_EQ(m_renderer.uploads, 0);
    view->scrollTo(400, 0, false);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    view->scrollTo(0, 400, false);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, ASingleCellChangeIsDrawnAtOnce) {
    auto view = makeView(0, 0);
    m_renderer.resetCounts();
    m_map.setCell({4, 4, 17});
    EXPECT_EQ(m_renderer.uploads, 1);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, WithoutImmediateChangesWaitForTheFlush) {
    auto view = makeView(0, 0);
    view->setImmediate(false);
    m_renderer.resetCounts();
    m_map.setCells({{1, 1, 18}});
    m_map.setCell({2, 1, 19});
    EXPECT_EQ(m_renderer.uploads, 0);
    EXPECT_FALSE(windowShown(*view, m_map, m_renderer));
    view->flushChanges();
    EXPECT_EQ(m_renderer.uploads, 2);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    view->flushChanges();
    EXPECT_EQ(m_renderer.uploads, 2);
}

TEST_F(MapViewTest, FlagBitsDoNotChooseTheTile) {
    Map::TileMap map(30, 20, 5, 5, 0x300, 0, 0);
    for (int x = 0; x < 30; ++x) map.setCell({x, 3, 0x100 | (x % 32)});
    Map::MapViewParams params;
    params.width = 640;
    params.height = 448;
    Map::MapView view(map, params, m_renderer);
    map.setCells({{2, 2, 0x200 | 9}});
    EXPECT_EQ(m_renderer.texelAt(view.getTexture(), 2 * 32, 2 * 32).tile, 9);
    EXPECT_TRUE(windowShown(view, map, m_renderer));
}

TEST_F(MapViewTest, AMapSmallerThanTheTextureStaysAtTheOriginWithBlankBeyond) {
    Map::TileMap map(10, 8, 5, 5, 0, 0, 0);
    for (int x = 0; x < 10; ++x) map.setCell({x, 7, x + 1});
    Map::MapViewParams params;
    params.x = 40;
    params.y = 30;
    params.width = 640;
    params.height = 448;
    Map::MapView view(map, params, m_renderer);
    EXPECT_LT(view.getMaxX(), 0);
    EXPECT_EQ(view.getX(), 0);
    EXPECT_EQ(view.getY(), 0);
    EXPECT_TRUE(windowShown(view, map, m_renderer));
    m_renderer.resetCounts();
    view.scrollTo(200, 150, true);
    EXPECT_EQ(view.getX(), 0);
    EXPECT_EQ(view.getY(), 0);
    EXPECT_EQ(m_renderer.uploads, 0);
}

TEST_F(MapViewTest, AWindowOfPartTilesIsRoundedUpToWholeTiles) {
    auto view = makeView(0, 0, 650, 450);
    EXPECT_EQ(view->getViewWidth(), 672);
    EXPECT_EQ(view->getViewHeight(), 480);
    EXPECT_EQ(view->getTextureWidth(), 704);
    EXPECT_EQ(view->getTextureHeight(), 512);
    EXPECT_EQ(view->getColsVisible(), 22);
    EXPECT_EQ(view->getRowsVisible(), 16);
    for (const auto& to : {std::pair<int, int>{100, 70}, {330, 200}, {31, 450}, {0, 0}}) {
        view->scrollTo(to.first, to.second, false);
        EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
    }
}

TEST_F(MapViewTest, AnEmptyWindowStillKeepsOneTile) {
    auto view = makeView(64, 64, -10, 0);
    EXPECT_EQ(view->getTextureWidth(), 32);
    EXPECT_EQ(view->getTextureHeight(), 32);
    view->scrollTo(200, 96, false);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

class MapViewAtlasFormatTest : public MapViewTest, public ::testing::WithParamInterface<gfx::TextureFormat> {};

TEST_P(MapViewAtlasFormatTest, AtlasesOfOtherFormatsAreConvertedToRgba) {
    m_renderer.setAtlas(8, 4, 32, 32, 0, GetParam());
    auto view = makeView(0, 0);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

INSTANTIATE_TEST_SUITE_P(Formats, MapViewAtlasFormatTest,
                         ::testing::Values(gfx::TextureFormat::RGB8, gfx::TextureFormat::BGRA8));

TEST_F(MapViewTest, OneChannelAtlasesBecomeGrey) {
    m_renderer.setAtlas(8, 4, 32, 32, 0, gfx::TextureFormat::R8);
    auto view = makeView(0, 0);
    const uint8_t* texel = &m_renderer.textures.at(view->getTexture().handle.idx)[0];
    const uint8_t grey = uint8_t(m_map.getCell(0, 0) + 1);
    EXPECT_EQ(std::vector<uint8_t>(texel, texel + 4), (std::vector<uint8_t>{grey, grey, grey, 255}));
}

TEST_F(MapViewTest, TilesBeyondTheAtlasAreDrawnBlank) {
    m_renderer.setAtlas(4, 2, 32, 32);
    auto view = makeView(0, 0);
    EXPECT_EQ(view->getAtlasTileCount(), 8);
    m_map.setCells({{1, 1, -5}, {2, 1, 8}, {3, 1, 7}});
    EXPECT_EQ(m_renderer.texelAt(view->getTexture(), 32, 32).tile, -1);
    EXPECT_EQ(m_renderer.texelAt(view->getTexture(), 64, 32).tile, -1);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, AtlasEdgesNarrowerThanATileAreNotTiles) {
    m_renderer.setAtlas(8, 4, 32, 32, 20);
    auto view = makeView(0, 0);
    EXPECT_EQ(view->getAtlasTileCount(), 32);
    EXPECT_TRUE(windowShown(*view, m_map, m_renderer));
}

TEST_F(MapViewTest, QuadAndCentreFollowTheScroll) {
    auto view = makeView(100, 50);
    int cx = 0;
    int cy = 0;
    view->getCentre(cx, cy);
    EXPECT_EQ(cx, 336 + 100);
    EXPECT_EQ(cy, 240 + 50);

    PosTexCoordVertex quad[4];
    view->buildQuad(quad, 640, 480, false);
    // texX = 0: the window starts 100 & 31 = 4 texels in, centred by (672 - 640) / 2.
    const float uA = 4.0f / 672 + 16.0f / 672;
    const float uB = 640.0f / 672 + uA;
    const float vA = 18.0f / 480;
    const float vB = 480.0f / 480 + vA;
    const float kExpected[4][5] = {
        {-320, 240, 0, uA, vB}, {-320, -240, 0, uA, vA}, {320, 240, 0, uB, vB}, {320, -240, 0, uB, vA}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(quad[i].x, kExpected[i][0]);
        EXPECT_FLOAT_EQ(quad[i].y, kExpected[i][1]);
        EXPECT_FLOAT_EQ(quad[i].z, kExpected[i][2]);
        EXPECT_FLOAT_EQ(quad[i].u, kExpected[i][3]);
        EXPECT_FLOAT_EQ(quad[i].v, kExpected[i][4]);
    }

    view->buildQuad(quad, 640, 480, true);
    EXPECT_FLOAT_EQ(quad[0].u, uA + 0.5f / 672);
    EXPECT_FLOAT_EQ(quad[0].v, vB - 0.5f / 480);
    EXPECT_FLOAT_EQ(quad[3].u, uB - 0.5f / 672);
    EXPECT_FLOAT_EQ(quad[3].v, vA + 0.5f / 480);

    // Two columns right: the ring's origin moves two slots, the coordinates with it.
    view->scrollTo(164, 50, false);
    EXPECT_EQ(view->getTexX(), 64);
    view->buildQuad(quad, 640, 480, false);
    EXPECT_FLOAT_EQ(quad[0].u, (4.0f + 64) / 672 + 16.0f / 672);
}

TEST_F(MapViewTest, OddQuadSizesUseWholeHalves) {
    auto view = makeView(0, 0);
    PosTexCoordVertex quad[4];
    view->buildQuad(quad, 641, 479, false);
    EXPECT_FLOAT_EQ(quad[0].x, -320);
    EXPECT_FLOAT_EQ(quad[0].y, 239);
}

TEST_F(MapViewTest, TheViewWatchesTheMapUntilDestroyedAndFreesBothTextures) {
    auto view = makeView(0, 0);
    EXPECT_EQ(m_map.getWatchers(), std::vector<Map::IMapWatcher*>{view.get()});
    EXPECT_EQ(m_renderer.textures.size(), 2u);
    view.reset();
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

TEST_F(MapViewDeathTest, ABlockCompressedAtlasIsFatal) {
    m_renderer.setAtlas(2, 2, 32, 32, 0, gfx::TextureFormat::BC1);
    EXPECT_EXIT(makeView(0, 0), ::testing::ExitedWithCode(1),
                "^Tile atlas data/tiles.png must be one uncompressed 2-D picture\n$");
}

TEST_F(MapViewDeathTest, AWindowTooLargeForATextureIsFatal) {
    EXPECT_EXIT(makeView(0, 0, 70000, 448), ::testing::ExitedWithCode(1),
                "^Failed to create the map texture of 70048 x 480\n$");
}

}  // namespace
