#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/PathFinderComp.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotSteering.h"
#include "tests/game/world/HandMaze.h"
#include "tests/game/world/Room.h"
#include "tests/game/world/WorldHarness.h"

// The walk behaviours: on a small maze carved by hand, the robot moved cell by cell to wherever
// it was sent; in a walled room for the spinner; across whole shipped levels.
namespace {

using WorldTest::HandCell;
using WorldTest::HandMaze;
using WorldTest::WorldHarness;
using Zelmo::GameLogic;
using Zelmo::PVAComp;
using Zelmo::RobotComp;

constexpr int kMazeWalker = 1;
constexpr int kFootFollower = 2;
constexpr int kPathWalker = 3;
constexpr int kFootAndPathWalker = 6;
constexpr int kFish = 15;
constexpr int kWallBouncer = 5;

struct WalkCase {
    const char* what;
    Zelmo::WalkMode mode;
    std::array<int, 4> weights;
    int deadEndLimit;
    HandCell start;
    int lastDirection;
    std::vector<HandCell> entered;
    int decisions = -1;  // -1: one for each cell entered
    int type = kMazeWalker;
    // Sets the scene once the robot stands at its start.
    std::function<void(const ecs::Entity& robot)> stage = nullptr;
};

TEST_F(HandMaze, WalksEnterTheCellsTheirRulesGive) {
    const auto underWay = [](const ecs::Entity& robot) {
        PVAComp& pva = robot.get<PVAComp>();
        pva.speed.from = pva.speed.to = robot.get<RobotComp>().speed;
    };
    const WalkCase cases[] = {
        {"the maze walk with no turn weights goes straight on, follows bends and turns back in a dead end",
         Zelmo::mazeWalk,
         {0, 0, 0, 0},
         0,
         {0, 0},
         4,
         {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}, {0, 1}}},
        {"the maze walk keeps out of a dead end one corridor deep",
         Zelmo::mazeWalk,
         {0, 100, 0, 0},
         2,
         {2, 1},
         2,
         {{2, 2}}},
        {"with no dead-end limit it takes the turn its weight asks for",
         Zelmo::mazeWalk,
         {0, 100, 0, 0},
         0,
         {2, 1},
         2,
         {{3, 1}, {3, 2}, {4, 2}, {4, 3}}},
        {"the edge walk keeps its left hand on the wall",
         Zelmo::edgeWalk,
         {20, 20, 40, 40},
         2,
         {0, 0},
         4,
         {{0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 3}, {2, 2}, {2, 1}, {3, 1}}},
        {"a stationary robot, even one under way, stops and never leaves its cell",
         Zelmo::stationaryWalk,
         {20, 20, 40, 40},
         2,
         {2, 1},
         2,
         {},
         6,
         kMazeWalker,
         underWay},
        {"a robot that stands and follows, with nobody to follow, stops at a junction",
         Zelmo::standFollowWalk,
         {0, 0, 0, 0},
         0,
         {2, 1},
         2,
         {},
         6,
         kMazeWalker,
         underWay},
        {"and walks a corridor on to the next junction, where it stands again",
         Zelmo::standFollowWalk,
         {0, 0, 0, 0},
         0,
         {0, 1},
         2,
         {{0, 2}, {1, 2}, {2, 2}},
         6},
        {"it takes the player's footsteps, then walks the corridor they leave it in to its end",
         Zelmo::standFollowWalk,
         {0, 0, 0, 0},
         0,
         {2, 1},
         0,
         {{3, 1}, {3, 2}, {4, 2}, {4, 3}},
         6,
         kFootFollower,
         [this](const ecs::Entity&) {
             layFootsteps({{{2, 1}, 4}, {{3, 1}, 2}, {{3, 2}, 4}});
         }},
        {"a hunter that has just followed footsteps keeps on down its corridor before it searches",
         Zelmo::footAndStarWalk,
         {0, 0, 0, 0},
         0,
         {3, 1},
         4,
         {{3, 2}},
         1,
         kFootAndPathWalker,
         [this](const ecs::Entity& robot) {
             robot.get<RobotComp>().followedLastTime = true;
             place(logic().player(), {0, 0});
         }},
        // The player stands in the loop's corridor, as near the junction above as the one below:
        // the way in is from the first of them in exit order.
        {"then it searches a path and follows it to the player",
         Zelmo::footAndStarWalk,
         {0, 0, 0, 0},
         0,
         {3, 2},
         2,
         {{3, 1}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}},
         11,
         kFootAndPathWalker,
         [this](const ecs::Entity&) {
             place(logic().player(), {0, 0});
         }},
        {"a fish swims by the corridor whose end lies nearest its target, and never turns back",
         Zelmo::fishWalk,
         {20, 20, 40, 40},
         2,
         {0, 0},
         0,
         {{0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 3}},
         -1,
         kFish,
         [this](const ecs::Entity& robot) {
             RobotComp& state = robot.get<RobotComp>();
             state.fishTargetX = m_originX + 4;
             state.fishTargetY = m_originY + 3;
             state.wanderTimer = 10000.0f;
         }},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.what);
        ecs::Entity robot = robotAt(c.type, c.start, c.lastDirection);
        RobotComp& state = robot.get<RobotComp>();
        state.mazeWeights = c.weights;
        state.deadEndLimit = c.deadEndLimit;
        if (c.stage) c.stage(robot);
        const int decisions = c.decisions < 0 ? int(c.entered.size()) : c.decisions;
        EXPECT_EQ(walk(robot, c.mode, decisions), c.entered);
        robot.kill();
    }
}

TEST_F(HandMaze, AMazeWalkWithNoTurnWeightsNeverTurnsWhereItCanGoStraightOn) {
    ecs::Entity robot = robotAt(kMazeWalker, {2, 0}, 4);
    RobotComp& state = robot.get<RobotComp>();
    state.mazeWeights = {0, 0, 0, 0};
    state.deadEndLimit = 0;
    for (int i = 0; i < 300; ++i) {
        place(robot, {2, 0});
        state.lastDirection = 4;
        Zelmo::mazeWalk(logic(), robot, false);
        ASSERT_EQ(state.lastDirection, 4) << "decision " << i;
    }
}

TEST_F(HandMaze, ARandomWalkHeadsForTheTileItChose) {
    ecs::Entity robot = robotAt(kMazeWalker, {2, 1}, 0);
    RobotComp& state = robot.get<RobotComp>();
    const PVAComp& pva = robot.get<PVAComp>();
    int chosen = 0;
    for (int i = 0; i < 100; ++i) {
        const int startX = Zelmo::tileUnderX(logic(), pva.x), startY = Zelmo::tileUnderY(logic(), pva.y);
        Zelmo::randomWalk(logic(), robot, false);
        const int dx = state.targetTileX - startX, dy = state.targetTileY - startY;
        if (dx == 0 && dy == 0) continue;
        chosen += 1;
        // Positions move by (sin h, cos h) per pixel of speed; tiles grow with world y.
        const double h = double(pva.heading) * 3.14159265358979 / 180.0;
        EXPECT_GT(std::sin(h) * dx + std::cos(h) * dy, 0.0) << "(" << dx << ", " << dy << ") heading " << pva.heading;
    }
    EXPECT_GT(chosen, 90);
}

TEST_F(HandMaze, APathFollowerFindsItsWayAlongABentCorridorToTheStopAhead) {
    const HandCell junction{2, 1}, goal{3, 2};
    struct Case {
        const char* what;
        HandCell start;
        int lastDirection;
        HandCell next;
    } cases[] = {
        {"from the junction into the corridor that bends away", junction, 1, {3, 1}},
        {"on along the corridor", {3, 1}, 4, goal},
        {"back round the bend it has just passed", {4, 2}, 4, goal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ecs::Entity robot = robotAt(kPathWalker, junction, 0);
        place(logic().player(), goal);
        Zelmo::PathFinderComp& finder = robot.get<Zelmo::PathFinderComp>();
        for (int i = 0; i < 20 && finder.finder.state() != Zelmo::PathState::Found; ++i) {
            Zelmo::starWalk(logic(), robot, false);
        }
        ASSERT_EQ(finder.finder.state(), Zelmo::PathState::Found);
        ASSERT_EQ((HandCell{finder.path.back().x - m_originX, finder.path.back().y - m_originY}), goal);
        // The stop's own direction is used once; afterwards the way there is worked out from the
        // maze wherever the robot stands.
        finder.next = int(finder.path.size()) - 1;
        finder.path.back().direction = 0;
        place(robot, c.start);
        robot.get<RobotComp>().lastDirection = c.lastDirection;
        EXPECT_EQ(walk(robot, Zelmo::starWalk, 1), std::vector<HandCell>{c.next});
    }
}

// A fish heads for a free cell in another quarter of the maze; in a maze whose other quarters
// are all taken by the start, the lift and a prisoner it stays where it is.
TEST(FishWalk, StaysWhenNoOtherQuarterHasAFreeCell) {
    WorldHarness harness("tests/game/world/data/fishpond");
    harness.startLevel(0);
    GameLogic& logic = harness.logic();
    int x = 0, y = 0;
    logic.cellToWorld(x, y, 0.0f, 0.0f);
    ecs::Entity fish = logic.createRobot(kFish, x, y);
    RobotComp& state = fish.get<RobotComp>();
    state.wanderTimer = -1.0f;
    Zelmo::fishWalk(logic, fish, false);
    EXPECT_EQ(state.fishTargetX, 0);
    EXPECT_EQ(state.fishTargetY, 0);
    EXPECT_EQ(state.lastDirection, 0) << "not steered anywhere";
}

// A spinner runs on its slant until it meets a wall, then glances off it as a ball would: a side
// wall turns its run across, a wall above or below its run up or down; whether it turns as soon as
// a wall deflects it or first slides along the wall up to its deflection limit.
void expectSpinnerGlancesOffWalls(int deflectionLimit) {
    WorldHarness harness;
    WorldTest::Room room(harness);
    using WorldTest::Room;
    // Walls whose faces say which way they stand: tile 12 a wall running up and down, tile 3 one
    // running across.
    for (int i = Room::kFirst; i <= Room::kLast; ++i) {
        room.setTile(Room::kFirst - 1, i, 12);
        room.setTile(Room::kLast + 1, i, 12);
        room.setTile(i, Room::kFirst - 1, 3);
        room.setTile(i, Room::kLast + 1, 3);
    }
    const float nearLeft = Room::edge(Room::kFirst) + 24.0f, nearRight = Room::edge(Room::kLast + 1) - 24.0f;
    const float nearBottom = nearLeft, nearTop = nearRight, middle = Room::middle();
    struct Case {
        const char* what;
        float x;
        float y;
        int heading;
        int after;
    } cases[] = {
        {"up and right into the right wall", nearRight, middle, 45, 315},
        {"down and right into the right wall", nearRight, middle, 135, 225},
        {"down and left into the left wall", nearLeft, middle, 225, 135},
        {"up and left into the left wall", nearLeft, middle, 315, 45},
        {"up and right into the top wall", middle, nearTop, 45, 135},
        {"up and left into the top wall", middle, nearTop, 315, 225},
        {"down and right into the bottom wall", middle, nearBottom, 135, 45},
        {"down and left into the bottom wall", middle, nearBottom, 225, 315},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ecs::Entity spinner = harness.logic().createRobot(kWallBouncer, 0, 0);
        PVAComp& pva = spinner.get<PVAComp>();
        RobotComp& state = spinner.get<RobotComp>();
        pva.x = pva.nextX = c.x;
        pva.y = pva.nextY = c.y;
        pva.heading = state.heading = c.heading;
        pva.speed.from = pva.speed.to = state.speed;
        state.deflectionLimit = deflectionLimit;
        // The wall turns it along itself for an update or more before it chooses its new slant.
        for (int i = 0; i < deflectionLimit + 60 && state.heading == c.heading; ++i) harness.step();
        EXPECT_EQ(state.heading, c.after);
        EXPECT_FALSE(room.probesBlocked(spinner)) << "it stays in the room";
        spinner.kill();
        harness.step();
    }
}

TEST(WallBounce, ASpinnerGlancesOffWallsAsABallWould) {
    {
        SCOPED_TRACE("turning at once");
        expectSpinnerGlancesOffWalls(0);
    }
    // Short of the room's corners, which would stop its slide.
    SCOPED_TRACE("after a slide along the wall");
    expectSpinnerGlancesOffWalls(20);
}

struct WalkingRobots : ecs::System {
    WalkingRobots() : System(ecs::componentMask<RobotComp>()) {}
};

// Every shipped level run for twenty seconds of play: the robots that walk on their own get about
// the maze, and none ends up outside it.
TEST(RobotWalks, RobotsGetAboutEveryShippedLevel) {
    WalkingRobots robots;  // outlives the world it joins
    WorldHarness harness;
    for (int level = 1; level <= 8; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        harness.startLevel(level);
        GameLogic& logic = harness.logic();
        logic.world().addSystem(robots);
        logic.world().refresh();
        struct Walker {
            ecs::Entity robot;
            Zelmo::RobotCell start;
            bool left = false;
        };
        std::vector<Walker> walkers;
        for (const ecs::Entity& robot : robots.entities()) {
            // Standing robots wait for the player's footsteps, which nobody lays here.
            const RobotComp& state = robot.get<RobotComp>();
            if (state.speed == 0.0f || state.walk == &Zelmo::standFollowWalk) continue;
            const PVAComp& pva = robot.get<PVAComp>();
            walkers.push_back({robot, Zelmo::cellOf(logic, pva.x, pva.y)});
        }
        std::string command;
        int steps = 0;
        for (; steps < 1250 && command.empty(); ++steps) {
            logic.player().get<Zelmo::PlayerComp>().health = 1000.0f;
            command = harness.step();
            for (Walker& walker : walkers) {
                if (!walker.robot.isValid()) continue;
                const PVAComp& pva = walker.robot.get<PVAComp>();
                const Zelmo::RobotCell now = Zelmo::cellOf(logic, pva.x, pva.y);
                walker.left = walker.left || now.x != walker.start.x || now.y != walker.start.y;
            }
        }
        EXPECT_EQ(command, "") << "after " << steps << " updates";
        int left = 0, alive = 0;
        const IntBox bounds = logic.mazeBounds();
        for (const Walker& walker : walkers) {
            if (!walker.robot.isValid()) continue;
            alive += 1;
            left += walker.left;
            const PVAComp& pva = walker.robot.get<PVAComp>();
            EXPECT_GE(pva.x, float(bounds.x));
            EXPECT_GE(pva.y, float(bounds.y));
            EXPECT_LE(pva.x, float(bounds.x + bounds.w));
            EXPECT_LE(pva.y, float(bounds.y + bounds.h));
        }
        EXPECT_EQ(left, alive) << "walking robots that left their first cell";
        logic.world().removeSystem(robots);
    }
}

}  // namespace
