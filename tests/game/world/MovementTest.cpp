#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Kind = Room::Kind;
using Zelmo::PVAComp;

constexpr int kUp = 0, kDown = 1, kLeft = 2, kRight = 3;
// Sub-cells are 8 pixels: a sub-step's length.
constexpr float kSubStep = 8.0f;

// Where a walker with the player's probes stands with its side's probes gap pixels off the
// room's wall on that side.
float offWall(int side, float gap) {
    switch (side) {
        case kUp:
            return Room::edge(Room::kLast + 1) - Room::reach(kUp) - gap;
        case kDown:
            return Room::edge(Room::kFirst) - Room::reach(kDown) + gap;
        case kLeft:
            return Room::edge(Room::kFirst) - Room::reach(kLeft) + gap;
        default:
            return Room::edge(Room::kLast + 1) - Room::reach(kRight) - gap;
    }
}

struct Scene {
    const char* name;
    Kind kind;
    int heading;
    float speed;
    int updates;
    // Builds what the scene needs and gives the walker's start.
    std::function<void(Room&, float& x, float& y)> setUp;
    std::function<void(const PVAComp& start, const PVAComp& end)> check;
};

void runScene(const Scene& scene) {
    SCOPED_TRACE(scene.name);
    WorldHarness harness;
    Room room(harness);
    float x = Room::middle(), y = Room::middle();
    scene.setUp(room, x, y);
    const ecs::Entity walker = room.walker(scene.kind, x, y, scene.heading, scene.speed);
    const PVAComp start = walker.get<PVAComp>();
    for (int i = 0; i < scene.updates; ++i) {
        harness.step();
        if (scene.kind != Kind::Piece) {
            ASSERT_FALSE(room.probesBlocked(walker)) << "inside a wall after update " << i;
        }
    }
    scene.check(start, walker.get<PVAComp>());
}

const Scene kScenes[] = {
    {"walking right into a wall stops against it", Kind::Player, 90, 4.0f, 150, [](Room&, float&, float&) {},
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_GE(end.x, offWall(kRight, 5.0f));
         EXPECT_LE(end.x, offWall(kRight, 0.0f));
         EXPECT_EQ(end.heading, 90);
         EXPECT_EQ(end.collisionValue, 3);
         EXPECT_FALSE(end.moved);
         EXPECT_GT(end.blockedCount, 30) << "the player does not turn back";
     }},
    {"heading 45 under a wall slides right along it", Kind::Player, 45, 4.0f, 1,
     [](Room&, float& x, float& y) {
         x = Room::middle() - 64.0f;
         y = offWall(kUp, 1.0f);
     },
     [](const PVAComp& start, const PVAComp& end) {
         EXPECT_EQ(end.heading, 89);
         EXPECT_GT(end.x, start.x);
         EXPECT_EQ(end.y, start.y);
         EXPECT_TRUE(end.moved);
     }},
    {"sliding along the top wall ends in the corner", Kind::Player, 45, 4.0f, 200,
     [](Room&, float& x, float& y) {
         x = Room::middle() - 64.0f;
         y = offWall(kUp, 1.0f);
     },
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_GE(end.x, offWall(kRight, 5.0f));
         EXPECT_GE(end.y, offWall(kUp, 5.0f));
         EXPECT_FALSE(end.moved);
     }},
    {"heading 135 beside a wall on the right slides down", Kind::Player, 135, 4.0f, 1,
     [](Room&, float& x, float&) { x = offWall(kRight, 1.0f); },
     [](const PVAComp& start, const PVAComp& end) {
         EXPECT_EQ(end.heading, 179);
         EXPECT_EQ(end.x, start.x);
         EXPECT_LT(end.y, start.y);
     }},
    {"heading 0 straight into a wall does not slide", Kind::Player, 0, 4.0f, 5,
     [](Room&, float&, float& y) { y = offWall(kUp, 1.0f); },
     [](const PVAComp& start, const PVAComp& end) {
         EXPECT_EQ(end.heading, 0);
         EXPECT_EQ(end.x, start.x);
         EXPECT_EQ(end.y, start.y);
         EXPECT_EQ(end.collisionValue, 3);
     }},
    {"a robot barrier lets the player through", Kind::Player, 90, 4.0f, 100,
     [](Room& room, float&, float&) {
         for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(12, y, Room::kRobotBarrier);
     },
     [](const PVAComp&, const PVAComp& end) { EXPECT_GT(end.x, Room::edge(13)); }},
    {"a robot barrier stops a robot", Kind::Robot, 90, 4.0f, 20,
     [](Room& room, float&, float&) {
         for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(12, y, Room::kRobotBarrier);
     },
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_LT(end.x + Room::reach(kRight), Room::edge(12));
         EXPECT_EQ(end.collisionValue, 5);
     }},
    {"a closed door blocks", Kind::Player, 90, 4.0f, 100,
     [](Room& room, float&, float&) {
         for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(12, y, Room::kDoor);
     },
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_LT(end.x + Room::reach(kRight), Room::edge(12));
         EXPECT_EQ(end.collisionValue, 4);
     }},
    {"an opened door lets through", Kind::Player, 90, 4.0f, 100,
     [](Room& room, float&, float&) {
         for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(12, y, Room::kDoor);
         for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(12, y, 0);
     },
     [](const PVAComp&, const PVAComp& end) { EXPECT_GT(end.x, Room::edge(13)); }},
    {"a robot pressed into a wall turns back after 31 blocked sub-steps", Kind::Robot, 0, 4.0f, 32,
     [](Room&, float&, float& y) { y = offWall(kUp, 0.5f); },
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_EQ(end.heading, 180);
         EXPECT_EQ(end.contactCounter, -60);
         EXPECT_EQ(end.blockedCount, 0);
     }},
    {"a piece without probes stops where the grid is not free", Kind::Piece, 270, 3.0f, 200,
     [](Room&, float&, float&) {},
     [](const PVAComp&, const PVAComp& end) {
         EXPECT_GE(end.x, Room::edge(Room::kFirst));
         EXPECT_LT(end.x, Room::edge(Room::kFirst) + 3.0f);
         EXPECT_EQ(end.collisionValue, 3);
     }},
};

TEST(Movement, Scenes) {
    for (const Scene& scene : kScenes) runScene(scene);
}

// Entities with a collision box only propose, and with nobody in the way the collision step takes
// them there; the proposal is the farthest free multiple of a sub-step, or the whole speed when it
// is shorter than one.
TEST(Movement, ABoxedEntityProposesItsNextPositionInSubSteps) {
    struct Case {
        float speed;
        float wallGap;  // from the right probes to the wall; 0 is no wall near
        float expectedStep;
        bool moved;
    } cases[] = {
        {0.0f, 0.0f, 0.0f, false}, {5.0f, 0.0f, 5.0f, true},       {20.0f, 0.0f, 16.0f, true},
        {8.0f, 0.0f, 8.0f, true},  {20.0f, 12.0f, kSubStep, true}, {20.0f, 3.0f, 0.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("speed " + std::to_string(c.speed) + " gap " + std::to_string(c.wallGap));
        WorldHarness harness;
        Room room(harness);
        const float x = c.wallGap > 0.0f ? offWall(kRight, c.wallGap) : Room::middle();
        const ecs::Entity walker = room.walker(Kind::Robot, x, Room::middle(), 90, c.speed, true);
        harness.step();
        const PVAComp& pva = walker.get<PVAComp>();
        EXPECT_FLOAT_EQ(pva.nextX - x, c.expectedStep);
        EXPECT_EQ(pva.x, pva.nextX);
        EXPECT_EQ(pva.nextY, Room::middle());
        EXPECT_EQ(pva.moved, c.moved);
    }
}

// An unboxed entity's sub-steps grow by one sub-cell each: S + 2S + ... in one update.
TEST(Movement, AnUnboxedEntityWalksOnFromEachSubStep) {
    WorldHarness harness;
    Room room(harness);
    const ecs::Entity piece = room.walker(Kind::Piece, Room::middle() - 100.0f, Room::middle(), 90, 20.0f);
    harness.step();
    EXPECT_FLOAT_EQ(piece.get<PVAComp>().x, Room::middle() - 100.0f + 8.0f + 16.0f);
}

TEST(Movement, TheWorldBeyondTheMapIsAWall) {
    WorldHarness harness;
    Room room(harness);
    // An opening through the margin to the map's left edge.
    for (int x = 0; x < Room::kFirst; ++x) room.setTile(x, 8, 0);
    const float y = Room::edge(8) + 16.0f;
    const ecs::Entity piece = room.walker(Kind::Piece, 40.0f, y, 270, 3.0f);
    const ecs::Entity walker = room.walker(Kind::Player, 40.0f, y, 270, 3.0f);
    harness.step(100);
    EXPECT_GE(piece.get<PVAComp>().x, 0.0f);
    EXPECT_EQ(piece.get<PVAComp>().collisionValue, Zelmo::MovementSys::kOutsideMap);
    EXPECT_GT(walker.get<PVAComp>().x + Room::reach(kLeft), -1.0f) << "probes truncate towards 0";
    EXPECT_NE(walker.get<PVAComp>().collisionValue, 0);
}

TEST(Movement, HittingAWallStopsThePlayersChargeEffect) {
    WorldHarness harness;
    Room room(harness);
    Zelmo::PlayerComp& player = harness.logic().player().get<Zelmo::PlayerComp>();
    player.placeChargeEmitters(Room::middle(), Room::middle(), 1);
    ASSERT_TRUE(player.chargeEmittersOn);
    PVAComp& pva = harness.logic().player().get<PVAComp>();
    pva.x = offWall(kLeft, 1.0f);
    pva.y = Room::middle();
    harness.send("START_MOVE", "LF");
    harness.step();
    EXPECT_NE(pva.collisionValue, 0);
    EXPECT_FALSE(player.chargeEmittersOn);
}

}  // namespace

namespace {

// Punching into a row of door tiles breaks the run; walking into it does not.
TEST(Movement, APunchingPlayerBreaksTheDoorItRunsInto) {
    for (const bool punching : {false, true}) {
        WorldHarness harness;
        Room room(harness);
        for (int x = Room::kFirst; x <= Room::kLast; ++x) room.setTile(x, 12, Room::kDoor);
        PVAComp& pva = harness.logic().player().get<PVAComp>();
        pva.x = Room::middle();
        pva.y = Room::edge(12) - Room::reach(kUp) - 1.0f;
        harness.send("START_MOVE", "UP");
        if (punching) {
            harness.send("START_ACTION", "0");
            for (int i = 0; i < 40; ++i) harness.step();
            harness.send("STOP_ACTION", "0");
        }
        for (int i = 0; i < 20; ++i) harness.step();
        const int tile = harness.logic().tileMap().getCell(int(Room::middle()) / Room::kTile, 12);
        EXPECT_EQ(tile == Room::kDoor, !punching) << (punching ? "punching" : "walking");
    }
}

}  // namespace
