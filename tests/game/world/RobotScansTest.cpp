#include <gtest/gtest.h>

#include <vector>

#include "engine/data/Globals.h"
#include "engine/ecs/System.h"
#include "game/vector/AnimId.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/systems/CollisionSys.h"
#include "tests/game/world/HandMaze.h"
#include "tests/game/world/Room.h"

// The scan behaviours: what a robot sees, along the corridors of the hand-made maze or in every
// direction across an open room, and what it does about it.
namespace {

using WorldTest::HandCell;
using WorldTest::HandMaze;
using WorldTest::Room;
using WorldTest::WorldHarness;
using Zelmo::PVAComp;
using Zelmo::RobotComp;

constexpr int kCorridorScanner = 1;  // fires a beam along corridors
constexpr int kScanningTower = 7;    // looks along corridors
constexpr int kAllRoundScanner = 8;  // fires a beam and shots in every direction
constexpr int kScanningFish = 15;
constexpr int kScanningBoss = 17;
constexpr int kFiredBossBullet = 16;

struct ScannedRobots : ecs::System {
    ScannedRobots() : System(ecs::componentMask<RobotComp>()) {}
};

int drawingOf(const ecs::Entity& robot) { return robot.get<Zelmo::AnimationComp>().animation; }

void showDrawing(const ecs::Entity& robot, int animation) {
    Zelmo::AnimationComp& anim = robot.get<Zelmo::AnimationComp>();
    anim.animation = animation;
    anim.frame = 0;
    anim.frameTime = 0;
}

// A robot fires and halts, its beam out.
bool firedABeam(const ecs::Entity& robot) { return robot.get<RobotComp>().state == 2 && robot.has<Zelmo::BeamComp>(); }

// The hand-made maze with no robots but those a test makes.
class HandMazeScans : public HandMaze {
protected:
    HandMazeScans() {
        logic().world().addSystem(m_robots);
        logic().world().refresh();
        for (ecs::Entity robot : std::vector<ecs::Entity>(m_robots.entities())) robot.kill();
        logic().world().refresh();
    }
    ~HandMazeScans() override { logic().world().removeSystem(m_robots); }

    // The player standing in the cell, as its footsteps record it.
    void standPlayerIn(const HandCell& cell) {
        const ecs::Entity player = logic().player();
        place(player, cell);
        Zelmo::FootstepsComp& footsteps = player.get<Zelmo::FootstepsComp>();
        footsteps.cellX = m_originX + cell.x;
        footsteps.cellY = m_originY + cell.y;
    }

    ScannedRobots m_robots;
};

TEST_F(HandMazeScans, CorridorScansSeeThePlayerOnlyStraightDownAnOpenCorridorInRange) {
    struct Case {
        const char* what;
        HandCell robot;
        HandCell player;
        int range;
        bool seen;
    } cases[] = {
        {"along the corridor", {0, 0}, {3, 0}, 7, true},
        {"down a corridor and on across a junction", {2, 0}, {2, 2}, 7, true},
        {"in its own cell", {3, 1}, {3, 1}, 7, true},
        {"beyond its range", {0, 0}, {3, 0}, 2, false},
        {"in line, but behind a wall", {1, 0}, {1, 2}, 7, false},
        {"round the corner of a corridor", {0, 0}, {1, 2}, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standPlayerIn(c.player);
        ecs::Entity scanner = robotAt(kCorridorScanner, c.robot, 0);
        scanner.get<RobotComp>().sightRange = c.range;
        Zelmo::nsewScan(logic(), scanner, false);
        EXPECT_EQ(firedABeam(scanner), c.seen) << "the beam robot fires";

        ecs::Entity tower = robotAt(kScanningTower, c.robot, 0);
        tower.get<RobotComp>().sightRange = c.range;
        Zelmo::nsewTowerScan(logic(), tower, false);
        EXPECT_EQ(drawingOf(tower), int(c.seen ? AnimIds::TOWER_RISE : AnimIds::TOWER_PAD)) << "the tower rises";
        scanner.kill();
        tower.kill();
        logic().world().refresh();
    }
}

// The tower's rules, drawing by drawing: it rises from its pad when it sees the player, fires
// while it still does, and lowers again once it has lost sight of the player.
TEST_F(HandMazeScans, ATowerRisesFiresAndLowersByWhatItSees) {
    struct Case {
        const char* what;
        int drawing;
        bool seen;
        int next;
        bool fires;
    } cases[] = {
        {"on its pad, seeing the player, it rises", AnimIds::TOWER_PAD, true, AnimIds::TOWER_RISE, false},
        {"on its pad it waits unseen", AnimIds::TOWER_PAD, false, AnimIds::TOWER_PAD, false},
        {"risen, seeing the player, it takes aim", AnimIds::TOWER_RISEN, true, AnimIds::TOWER, false},
        {"risen, with the player gone, it lowers", AnimIds::TOWER_RISEN, false, AnimIds::TOWER_LOWER, false},
        {"aiming, seeing the player, it fires", AnimIds::TOWER, true, AnimIds::TOWER, true},
        {"aiming, with the player gone, it stands down", AnimIds::TOWER, false, AnimIds::TOWER_RISEN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standPlayerIn(c.seen ? HandCell{3, 0} : HandCell{2, 1});
        ecs::Entity tower = robotAt(kScanningTower, {0, 0}, 0);
        showDrawing(tower, c.drawing);
        Zelmo::nsewTowerScan(logic(), tower, false);
        EXPECT_EQ(drawingOf(tower), c.next);
        EXPECT_EQ(firedABeam(tower), c.fires);
        tower.kill();
        logic().world().refresh();
    }
}

// A fish hunts robots: it fires along the corridor it faces, or else up or down the one it swims
// across, at the first robot there that is not a fish.
TEST_F(HandMazeScans, AFishFiresAtTheFirstRobotAlongItsCorridorsButSparesFish) {
    struct Other {
        int type;
        HandCell cell;
    };
    struct Case {
        const char* what;
        HandCell fish;
        int facing;
        std::vector<Other> others;
        bool fires;
    } cases[] = {
        {"a robot far down the corridor ahead", {0, 0}, AnimIds::FISH_E, {{kCorridorScanner, {4, 0}}}, true},
        {"a robot behind it", {1, 0}, AnimIds::FISH_E, {{kCorridorScanner, {0, 0}}}, false},
        {"a robot ahead, looking the other way", {1, 0}, AnimIds::FISH_W, {{kCorridorScanner, {4, 0}}}, false},
        {"a robot round a corner", {0, 0}, AnimIds::FISH_E, {{kCorridorScanner, {2, 1}}}, false},
        {"only a fish ahead", {0, 0}, AnimIds::FISH_E, {{kScanningFish, {3, 0}}}, false},
        {"fish ahead and down the corridor it crosses",
         {0, 0},
         AnimIds::FISH_E,
         {{kScanningFish, {3, 0}}, {kScanningFish, {0, 2}}},
         false},
        {"a fish ahead and a robot down the corridor it crosses",
         {0, 0},
         AnimIds::FISH_E,
         {{kScanningFish, {3, 0}}, {kCorridorScanner, {0, 2}}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ecs::Entity> made;
        for (const Other& other : c.others) made.push_back(robotAt(other.type, other.cell, 0));
        ecs::Entity fish = robotAt(kScanningFish, c.fish, 0);
        made.push_back(fish);
        showDrawing(fish, c.facing);
        fish.get<PVAComp>().heading = 0;  // swimming down its column
        logic().world().refresh();
        // The fish asks the collision grid who stands where.
        logic().collisionSys().update(0.0f);
        Zelmo::fishScan(logic(), fish, false);
        EXPECT_EQ(firedABeam(fish), c.fires);
        for (ecs::Entity robot : made) robot.kill();
        logic().world().refresh();
    }
}

// An open room: sight in every direction is stopped only by walls. Its level marks wall tiles
// (values 1 to 15) as blocking sight.
class RobotRoom : public ::testing::Test {
protected:
    RobotRoom() : harness("tests/game/world/data/sightroom"), room(harness) { logic().world().addSystem(robots); }
    ~RobotRoom() override { logic().world().removeSystem(robots); }

    Zelmo::GameLogic& logic() { return harness.logic(); }

    static void put(const ecs::Entity& entity, float x, float y) {
        PVAComp& pva = entity.get<PVAComp>();
        pva.x = pva.nextX = x;
        pva.y = pva.nextY = y;
        pva.speed.from = pva.speed.to = 0.0f;
    }

    int robotsOfKind(int type) {
        logic().world().refresh();
        int count = 0;
        for (const ecs::Entity& robot : robots.entities()) {
            count += robot.get<RobotComp>().type == type && !robot.has<Zelmo::KillComp>();
        }
        return count;
    }

    ScannedRobots robots;  // outlives the world it joins
    WorldHarness harness;
    Room room;
};

TEST_F(RobotRoom, AllRoundScansSeeThePlayerInAnyDirectionUnlessAWallStandsBetween) {
    const float robotX = Room::edge(Room::kFirst) + 48.0f, robotY = Room::middle();
    struct Case {
        const char* what;
        float dx;
        float dy;
        bool wall;
        bool seen;
    } cases[] = {
        {"straight across the room", 224.0f, 0.0f, false, true},   {"on a slant", 160.0f, 128.0f, false, true},
        {"on the other slant", 160.0f, -128.0f, false, true},      {"behind a wall", 224.0f, 0.0f, true, false},
        {"on a slant behind a wall", 160.0f, 128.0f, true, false},
    };
    const int wallColumn = (int(robotX) + 96) / Room::kTile;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int y = Room::kFirst; y <= Room::kLast; ++y) room.setTile(wallColumn, y, c.wall ? Room::kSolid : 0);
        put(logic().player(), robotX + c.dx, robotY + c.dy);

        ecs::Entity scanner = logic().createRobot(kAllRoundScanner, 0, 0);
        put(scanner, robotX, robotY);
        Zelmo::fullDirScan(logic(), scanner, false);
        EXPECT_EQ(firedABeam(scanner), c.seen) << "the beam robot fires";

        ecs::Entity tower = logic().createRobot(kScanningTower, 0, 0);
        put(tower, robotX, robotY);
        Zelmo::fullDirTowerScan(logic(), tower, false);
        EXPECT_EQ(drawingOf(tower), int(c.seen ? AnimIds::TOWER_RISE : AnimIds::TOWER_PAD)) << "the tower rises";

        ecs::Entity boss = logic().createRobot(kScanningBoss, 0, 0);
        put(boss, robotX, robotY);
        boss.get<PVAComp>().speed.from = boss.get<PVAComp>().speed.to = 1.0f;
        Zelmo::bossScan(logic(), boss, false);
        EXPECT_EQ(robotsOfKind(kFiredBossBullet), c.seen ? 1 : 0) << "the boss fires a bullet";
        EXPECT_EQ(boss.get<RobotComp>().state, c.seen ? 2 : 0);
        EXPECT_EQ(boss.get<PVAComp>().speed.to, c.seen ? 0.0f : 1.0f) << "the boss halts to fire";

        for (ecs::Entity robot : std::vector<ecs::Entity>(robots.entities())) robot.kill();
        logic().world().refresh();
    }
}

// The boss's bullet flies on at the player it was fired at and hurts it.
TEST_F(RobotRoom, TheBossBulletFliesToThePlayerAndHurtsIt) {
    const float bossX = Room::edge(Room::kFirst) + 48.0f, y = Room::middle();
    ecs::Entity player = logic().player();
    put(player, bossX + 224.0f, y);
    ecs::Entity boss = logic().createRobot(kScanningBoss, 0, 0);
    put(boss, bossX, y);
    Zelmo::bossScan(logic(), boss, false);
    // Only its bullet is wanted here.
    boss.kill();
    ASSERT_EQ(robotsOfKind(kFiredBossBullet), 1);
    const float health = player.get<Zelmo::PlayerComp>().health;
    for (int i = 0; i < 200 && robotsOfKind(kFiredBossBullet) != 0; ++i) harness.step();
    EXPECT_EQ(robotsOfKind(kFiredBossBullet), 0) << "the bullet ends at the player";
    EXPECT_FLOAT_EQ(player.get<Zelmo::PlayerComp>().health, health - Globals::getFloat("BOSSBULLET"));
}

}  // namespace
