#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "engine/vg/Context.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/vector/AnimId.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameViewRenderer.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/engine/gfx/RecordingTest.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;
using Zelmo::MazeMapSys;

// Level 0 has no regions; level 1 is a 10 x 10 maze cut into 3 x 3 regions of 4 x 4 cells.
const char* const kMinimapLevels = "tests/game/world/data/minimap";
constexpr int kSoundMapOpens = 31;

// The wall a terminal hangs on, in the maze's exit order, from the way its animation turns it.
int sideOf(const MazeMapSys::Terminal& terminal) {
    return int(terminal.entity.get<Zelmo::AnimationComp>().animation) - int(AnimIds::MAP_NODE_N);
}

std::pair<int, int> cellOf(const MazeMapSys::Terminal& terminal) {
    const Zelmo::MazeMapDisplayComp& shown = terminal.entity.get<Zelmo::MazeMapDisplayComp>();
    return {shown.cellX, shown.cellY};
}

// The direction a player presses to face a terminal on each side, and to turn away from it.
const char* const kToward[4] = {"DN", "UP", "RT", "LF"};
const char* const kAway[4] = {"UP", "DN", "LF", "RT"};

const Maze::Node* nodeAt(const GameLogic& logic, int x, int y) {
    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(logic.mazeData().getStartNode(), nodes);
    for (const Maze::Node* node : nodes) {
        if (node->getPosition()[0] == x && node->getPosition()[1] == y) return node;
    }
    return nullptr;
}

// Puts the player in the terminal's cell against its wall, in the middle of the wall, and
// turns it toward the terminal or away with a tap of a direction.
void standBy(WorldHarness& harness, const MazeMapSys::Terminal& terminal, bool facing = true) {
    GameLogic& logic = harness.logic();
    const int side = sideOf(terminal);
    const auto [cellX, cellY] = cellOf(terminal);
    const float edges[4][2] = {{0.0f, -0.5f}, {0.0f, 0.5f}, {0.5f, 0.0f}, {-0.5f, 0.0f}};
    int x = cellX, y = cellY;
    logic.cellToWorld(x, y, edges[side][0], edges[side][1]);
    ecs::Entity player = logic.player();
    const Zelmo::CBoxComp& box = player.get<Zelmo::CBoxComp>();
    if (side == 0) y -= box.y;
    if (side == 1) y -= box.y + box.h;
    if (side == 2) x -= box.x + box.w;
    if (side == 3) x -= box.x;
    Zelmo::PVAComp& at = player.get<Zelmo::PVAComp>();
    at.x = float(x);
    at.y = float(y);
    const char* const direction = (facing ? kToward : kAway)[side];
    harness.send("START_MOVE", direction);
    harness.step();
    harness.send("STOP_MOVE", direction);
    int inX = x, inY = y;
    logic.worldToCell(inX, inY);
    ASSERT_EQ(std::make_pair(inX, inY), cellOf(terminal)) << "the player stands in the terminal's cell";
}

class Terminals : public ::testing::Test {
protected:
    GameLogic& logic() { return harness.logic(); }
    const std::vector<MazeMapSys::Terminal>& terminals() { return logic().mazeMapSys().terminals(); }

    bool mapShown() { return logic().mazeMapDisplaySys().shown(); }
    long opened() { return std::count(harness.sound().played.begin(), harness.sound().played.end(), kSoundMapOpens); }

    WorldHarness harness{kMinimapLevels};
};

TEST_F(Terminals, ALevelWithoutRegionsHasOnlyTheOneByTheStart) {
    harness.startLevel(0);
    ASSERT_EQ(terminals().size(), 1u);
    EXPECT_EQ(sideOf(terminals()[0]), 2);
    EXPECT_EQ(cellOf(terminals()[0]), std::make_pair(2, 4));
}

TEST_F(Terminals, EachRegionGetsOneAtMostBesidesTheStarts) {
    harness.startLevel(1);
    ASSERT_GE(terminals().size(), 2u);
    EXPECT_LE(terminals().size(), 10u);
    EXPECT_EQ(cellOf(terminals()[0]), std::make_pair(5, 9));
    std::set<std::pair<int, int>> regions;
    for (size_t i = 1; i < terminals().size(); ++i) {
        const auto [x, y] = cellOf(terminals()[i]);
        EXPECT_TRUE(regions.insert({x / 4, y / 4}).second) << "a second terminal in region of cell " << x << ", " << y;
    }
}

TEST_F(Terminals, HangOnClosedWallsOfCellsThePlayerCanReach) {
    harness.startLevel(1);
    // The start room is off the maze's paths, and no way leads into it from the right.
    const Maze::Node* rightOfStart = nodeAt(logic(), 6, 9);
    ASSERT_NE(rightOfStart, nullptr);
    EXPECT_TRUE(rightOfStart->isExitClosed(3));
    for (size_t i = 1; i < terminals().size(); ++i) {
        const MazeMapSys::Terminal& terminal = terminals()[i];
        const auto [x, y] = cellOf(terminal);
        const int side = sideOf(terminal);
        const Maze::Node* node = nodeAt(logic(), x, y);
        ASSERT_NE(node, nullptr) << "terminal in cell " << x << ", " << y << " off the maze's paths";
        EXPECT_TRUE(node->isExitClosed(side)) << "terminal on an open side " << side << " of " << x << ", " << y;
        const int nx = x + (side == 2) - (side == 3), ny = y + (side == 1) - (side == 0);
        const bool outside = nx < 0 || ny < 0 || nx >= 10 || ny >= 10;
        EXPECT_TRUE(outside || logic().isFreeCell(nx, ny)) << "terminal toward a special cell " << nx << ", " << ny;
        // Its box reaches out of the wall into the cell.
        int left = x, bottom = y, right = x, top = y;
        logic().cellToWorld(left, bottom, -0.5f, -0.5f);
        logic().cellToWorld(right, top, 0.5f, 0.5f);
        const IntBox& box = terminal.box;
        EXPECT_TRUE(box.x < right && box.x + box.w > left && box.y < top && box.y + box.h > bottom)
            << "terminal of " << x << ", " << y << " out of reach";
    }
}

TEST_F(Terminals, TheMapOpensOnlyForAPlayerStandingStillAndFacingOne) {
    harness.startLevel(1);
    struct Case {
        const char* what;
        bool facing;
        bool running;
        bool shown;
    };
    const Case cases[] = {
        {"standing, facing it", true, false, true},
        {"standing, turned away", false, false, false},
        {"running at it", true, true, false},
    };
    for (const MazeMapSys::Terminal& terminal : terminals()) {
        for (const Case& c : cases) {
            const int side = sideOf(terminal);
            standBy(harness, terminal, c.facing);
            if (c.running) harness.send("START_MOVE", kToward[side]);
            harness.step();
            EXPECT_EQ(mapShown(), c.shown) << c.what << ", side " << side;
            harness.send("START_MOVE", kToward[side]);
            harness.step();
            harness.send("STOP_MOVE", kToward[side]);
        }
    }
}

TEST_F(Terminals, TheMapClosesOnTheFirstStepAndFinishesClosingUndrawn) {
    harness.startLevel(1);
    const MazeMapSys::Terminal& terminal = terminals().back();
    standBy(harness, terminal);
    harness.step();
    ASSERT_TRUE(mapShown());
    EXPECT_EQ(opened(), 1);
    harness.step(40);
    EXPECT_TRUE(mapShown());
    EXPECT_EQ(opened(), 1);

    harness.send("START_MOVE", kToward[sideOf(terminal)]);
    harness.step();
    EXPECT_FALSE(mapShown());
    EXPECT_EQ(opened(), 1);
    // Closing takes just under half a second, drawn or not.
    harness.step(30);
    EXPECT_TRUE(logic().mazeMapDisplaySys().drawing());
    harness.step(2);
    EXPECT_FALSE(logic().mazeMapDisplaySys().drawing());
}

// The overlay's vertex as the renderer receives it.
struct OverlayVertex {
    float x, y;
    float u, v;
    uint32_t abgr;
};

class MinimapDrawing : public RecordingTest {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    // The triangles the map's frame drew in a colour (any alpha).
    std::vector<std::array<OverlayVertex, 3>> drawMap(uint32_t rgb) {
        vg::Context overlay(200);
        overlay.beginFrame(float(kWidth), float(kHeight), 1.0f);
        harness.logic().mazeMapDisplaySys().draw(overlay, kWidth, kHeight, kWidth, kHeight);
        EXPECT_TRUE(overlay.endFrame());
        gfx::frame();
        std::vector<std::array<OverlayVertex, 3>> triangles;
        const gfx::ViewPass* pass = recording().pass(200);
        if (!pass) return triangles;
        for (uint32_t i = 0; i < pass->numDraws; ++i) {
            const gfx::Draw& draw = recording().draw(*pass, i);
            const std::vector<OverlayVertex> vertices = recording().vertices<OverlayVertex>(draw);
            const std::vector<uint16_t> indices = recording().indices(draw);
            for (size_t k = 0; k + 2 < indices.size(); k += 3) {
                std::array<OverlayVertex, 3> t{vertices.at(indices[k]), vertices.at(indices[k + 1]),
                                               vertices.at(indices[k + 2])};
                if (std::all_of(t.begin(), t.end(),
                                [rgb](const OverlayVertex& v) { return (v.abgr & 0xffffff) == rgb; }))
                    triangles.push_back(t);
            }
        }
        return triangles;
    }

    static bool covers(const std::vector<std::array<OverlayVertex, 3>>& triangles, float x, float y) {
        for (const auto& t : triangles) {
            const float d1 = (x - t[1].x) * (t[0].y - t[1].y) - (t[0].x - t[1].x) * (y - t[1].y);
            const float d2 = (x - t[2].x) * (t[1].y - t[2].y) - (t[1].x - t[2].x) * (y - t[2].y);
            const float d3 = (x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (y - t[0].y);
            const bool anyBelow = std::min({d1, d2, d3}) < 0.0f;
            const bool anyAbove = std::max({d1, d2, d3}) > 0.0f;
            if (!(anyBelow && anyAbove)) return true;
        }
        return false;
    }

    WorldHarness harness{kMinimapLevels};
};

TEST_F(MinimapDrawing, NothingIsDrawnWhileTheMapIsClosed) {
    harness.startLevel(1);
    harness.step();
    EXPECT_TRUE(drawMap(0x00ff00).empty());
}

TEST_F(MinimapDrawing, TheOpenMapsGreenWallsAreTheMazesClosedSides) {
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const MazeMapSys::Terminal& terminal = logic.mazeMapSys().terminals().back();
    standBy(harness, terminal);
    harness.step(32);
    ASSERT_TRUE(logic.mazeMapDisplaySys().shown());
    const auto green = drawMap(0x00ff00);
    ASSERT_FALSE(green.empty());

    // Fully open, the map leaves a margin of 10 % of the window, half on each side; row 0 is at
    // the bottom.
    const float cellWidth = kWidth * 0.9f / 10.0f, cellHeight = kHeight * 0.9f / 10.0f;
    const float left = kWidth * 0.05f, bottom = kHeight * 0.05f;
    auto overlayY = [&](float y) { return float(kHeight) - (y * cellHeight + bottom); };
    // The special cells are rooms outside the maze's paths.
    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(logic.mazeData().getStartNode(), nodes);
    ASSERT_EQ(nodes.size() + logic.mazeData().getExcludedCells().size(), 100u);
    for (const Maze::Node* node : nodes) {
        const float x = float(node->getPosition()[0]), y = float(node->getPosition()[1]);
        EXPECT_EQ(covers(green, (x + 0.5f) * cellWidth + left, overlayY(y)), node->isExitClosed(0))
            << "wall toward row y - 1 of " << x << ", " << y;
        EXPECT_EQ(covers(green, x * cellWidth + left, overlayY(y + 0.5f)), node->isExitClosed(3))
            << "wall toward column x - 1 of " << x << ", " << y;
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(covers(green, (float(i) + 0.5f) * cellWidth + left, overlayY(10.0f))) << "top border at " << i;
        EXPECT_TRUE(covers(green, 10.0f * cellWidth + left, overlayY(float(i) + 0.5f))) << "right border at " << i;
    }
    // The rooms are outlined in red.
    const auto red = drawMap(0x0000af);
    for (const Maze::Position& room : logic.mazeData().getExcludedCells()) {
        const float x = float(room[0]), y = float(room[1]);
        EXPECT_TRUE(covers(red, (x + 0.5f) * cellWidth + left, overlayY(y))) << x << ", " << y;
        EXPECT_TRUE(covers(red, (x + 1.0f) * cellWidth + left, overlayY(y + 0.5f))) << x << ", " << y;
    }
}

TEST_F(MinimapDrawing, TheGroundUnderTheMapIsAsOpaqueAsTheOptionSays) {
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const MazeMapSys::Terminal& terminal = logic.mazeMapSys().terminals().back();
    standBy(harness, terminal);
    harness.step(32);
    // The option's values in order: 50 %, 75 %, 100 %, 25 %, 0 %.
    const std::pair<int, uint32_t> cases[] = {{0, 127}, {2, 255}, {4, 0}};
    for (const auto& [choice, alpha] : cases) {
        Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "MAP_OPACITY", std::to_string(choice));
        uint32_t most = 0;
        for (const auto& triangle : drawMap(0x808080)) {
            for (const OverlayVertex& v : triangle) most = std::max(most, v.abgr >> 24);
        }
        EXPECT_EQ(most, alpha) << "option value " << choice;
    }
}

// The minimap on OpenGL, drawn over the game's picture at the end of the frame as the window
// shows it. With ZELMO_PICTURES set to a folder, the open map is written there as a PNG.
class MinimapGl : public GlTest {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr gfx::ViewId kOverlayView = 200;

    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_target = gfx::createFrameBuffer(kWidth, kHeight, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
        gfx::setWindowTarget(m_target);
        harness = std::make_unique<WorldHarness>(kMinimapLevels, 1, WorldHarness::Picture::Drawn);
        overlay = std::make_unique<vg::Context>(kOverlayView);
    }

    void TearDown() override {
        overlay.reset();
        harness.reset();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        gfx::destroy(m_target);
        GlTest::TearDown();
    }

    // Updates and draws as the main loop does, the overlay last; gives the last frame's pixels,
    // RGBA, the bottom row first.
    std::vector<uint8_t> show(int frames) {
        auto& renderer = static_cast<Zelmo::GameViewRenderer&>(harness->logic().viewRenderer());
        for (int i = 0; i < frames; ++i) {
            harness->step();
            overlay->beginFrame(float(kWidth), float(kHeight), 1.0f);
            renderer.render(Util::FrameGeometry{kWidth, kHeight, kWidth, kHeight, kWidth, kHeight});
            harness->logic().mazeMapDisplaySys().draw(*overlay, kWidth, kHeight, kWidth, kHeight);
            EXPECT_TRUE(overlay->endFrame());
            gfx::frame();
        }
        return readBack(m_target, kWidth, kHeight);
    }

    // Pixels of the map's pure green.
    static int greenPixels(const std::vector<uint8_t>& rgba) {
        int count = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4) count += rgba[i + 1] > 200 && rgba[i] < 80 && rgba[i + 2] < 80;
        return count;
    }

    std::unique_ptr<WorldHarness> harness;
    std::unique_ptr<vg::Context> overlay;

private:
    gfx::FrameBufferHandle m_target;
};

TEST_F(MinimapGl, APlayerFacingATerminalSeesTheMazePlanAndOneStepAwayItCloses) {
    harness->startLevel(1);
    GameLogic& logic = harness->logic();
    const int before = greenPixels(show(3));
    const MazeMapSys::Terminal& terminal = logic.mazeMapSys().terminals().back();
    standBy(*harness, terminal);
    // Open, and the ring halfway through a pulse.
    const std::vector<uint8_t> open = show(70);
    keepPicture("minimap-open.png", open, kWidth, kHeight);
    const int shown = greenPixels(open);
    EXPECT_GT(shown, before + 5000) << "green walls over the play field";

    harness->send("START_MOVE", kToward[sideOf(terminal)]);
    EXPECT_LT(greenPixels(show(40)), before + 500) << "the map gone after the closing";
}

}  // namespace
