#include <gtest/gtest.h>

#include <cmath>

#include "game/vector/ShapePolygons.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;


// Entities of the world that carry every listed component, in the order they were created.
template <class... Components>
struct Having : ecs::System {
    Having() : System(ecs::componentMask<Components...>()) {}
    std::vector<ecs::Entity> in(GameLogic& logic) {
        logic.world().addSystem(*this);
        logic.world().refresh();
        return entities();
    }
};

ecs::Entity robotOfType(GameLogic& logic, int type, int x, int y, int shape = 1) {
    ecs::Entity robot = logic.createRobot(type, x, y);
    robot.get<Zelmo::RobotComp>().type = type;
    Zelmo::VectorComp& vector = robot.add<Zelmo::VectorComp>();
    vector.shape = shape;
    return robot;
}

TEST(BreakDoor, BreaksTheWholeRunBothWaysAndLeavesFloorThePlayerCrosses) {
    WorldHarness harness(WorldTest::kWorldFixture);
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    // The prisoner cell (4, 3) has cells three tiles wide: its top wall is a run of three doors.
    int x = 4, y = 3;
    logic.cellToWorld(x, y, -0.5f, -0.5f);
    const int tx = x >> 5, ty = (y >> 5) - 1;
    harness.sound().played.clear();

    logic.breakDoor((tx + 1) * 32 + 16, ty * 32 + 16, 0);

    EXPECT_EQ(logic.tileMap().getCell(tx, ty), 20);
    EXPECT_EQ(logic.tileMap().getCell(tx + 1, ty), 0);
    EXPECT_EQ(logic.tileMap().getCell(tx + 2, ty), 0);
    const Map::TileCollisionMap& grid = logic.collisionMap();
    const int sub = 5 - grid.getSubShift();
    for (int px = tx * 32; px < (tx + 3) * 32; px += 1 << sub) {
        const int value = grid.getValue(px >> sub, (ty * 32 + 16) >> sub);
        EXPECT_TRUE(value == 0 || value == 5) << "pixel " << px << " of the broken run blocks with " << value;
    }
    EXPECT_EQ(harness.sound().played, std::vector<int>{30});

    Having<Zelmo::PolyComp, Zelmo::CollisionPointsComp, Zelmo::FXsComp> doorPieces;
    const std::vector<ecs::Entity> pieces = doorPieces.in(logic);
    ASSERT_EQ(pieces.size(), 3u);
    // The right run first, turning one way; then the left run, turning the other.
    const int headings[] = {0, 10, 350};
    const float angles[] = {0.0f, 90.0f, 270.0f};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pieces[i].get<Zelmo::PVAComp>().heading, headings[i]) << i;
        const Zelmo::FXsComp& effects = pieces[i].get<Zelmo::FXsComp>();
        ASSERT_EQ(effects.floatChains.size(), 1u);
        EXPECT_FLOAT_EQ(effects.floatChains[0].steps[0].to, angles[i]) << i;
    }
}

class Pieces : public ::testing::Test {
protected:
    void SetUp() override { harness.startLevel(2); }
    GameLogic& logic() { return harness.logic(); }
    WorldHarness harness;
};

TEST_F(Pieces, EveryPolygonFliesOffWithABoxOfItsOwnSize) {
    const int shape = 25;
    const size_t polygons = Zelmo::ShapePolygons::instance().polygons(shape).size();
    ASSERT_GT(polygons, 2u);
    for (float scale : {1.0f, 2.0f}) {
        const std::vector<ecs::Entity> pieces = logic().shatter(shape, 500, 500, 1000, 90, 3, scale, true);
        ASSERT_EQ(pieces.size(), polygons);
        for (const ecs::Entity& piece : pieces) {
            const Zelmo::PolyComp& poly = piece.get<Zelmo::PolyComp>();
            ASSERT_EQ(poly.pointLists.size(), 1u);
            const FloatBox own = pointListBounds(poly.pointLists[0]);
            const Zelmo::BBoxComp& box = piece.get<Zelmo::BBoxComp>();
            EXPECT_EQ(box.w, int(std::nearbyint(own.w * scale))) << "scale " << scale;
            EXPECT_EQ(box.h, int(std::nearbyint(own.h * scale))) << "scale " << scale;
            EXPECT_EQ(box.x, -box.w / 2);
            EXPECT_FLOAT_EQ(poly.lifetime, 1000.0f);
            EXPECT_EQ(piece.get<Zelmo::ZappedComp>().kind, 3);
            EXPECT_EQ(piece.get<Zelmo::FXsComp>().colourChains.size(), 1u);
        }
    }
}

TEST_F(Pieces, BigPiecesFlySlowlyAndTinyOnesFast) {
    struct Case {
        float scale;
        float speed;  // a push of 0 leaves the outward speed 4 times the size factor / 20
    };
    for (const Case& c : {Case{30.0f, 3.0f * 4.0f / 20.0f}, Case{0.001f, 20.0f * 4.0f / 20.0f}}) {
        for (const ecs::Entity& piece : logic().shatter(25, 0, 0, 500, 0, 0, c.scale, false)) {
            EXPECT_NEAR(piece.get<Zelmo::PVAComp>().speed.to, c.speed, 0.01f) << "scale " << c.scale;
        }
    }
}

TEST_F(Pieces, ARobotDiesOnceWithItsSoundAndItsPieces) {
    const ecs::Entity robot = robotOfType(logic(), 1, 400, 400);
    harness.sound().played.clear();
    const std::vector<ecs::Entity> pieces = logic().killEntity(robot, 800, true);
    EXPECT_EQ(pieces.size(), Zelmo::ShapePolygons::instance().polygons(1).size());
    EXPECT_EQ(harness.sound().played, std::vector<int>{23});
    EXPECT_TRUE(logic().killEntity(robot, 800, true).empty()) << "a second death";
    EXPECT_EQ(harness.sound().played.size(), 1u);
    EXPECT_TRUE(robot.isValid()) << "still drawn and colliding in the update that killed it";
    harness.step();
    EXPECT_FALSE(robot.isValid()) << "gone at the start of the next update";
    for (const ecs::Entity& piece : pieces) EXPECT_TRUE(piece.isActivated());
}

TEST_F(Pieces, TheBossDefeatsTheLevelAndBossBulletsLeaveNoPieces) {
    EXPECT_TRUE(logic().killEntity(robotOfType(logic(), 16, 300, 300), 800, true).empty());
    ecs::Entity undrawn = logic().createRobot(2, 300, 300);
    undrawn.remove<Zelmo::VectorComp>();
    EXPECT_TRUE(logic().killEntity(undrawn, 800, true).empty()) << "nothing drawn, nothing to break";
    EXPECT_FALSE(logic().bossDefeated());
    EXPECT_FALSE(logic().killEntity(robotOfType(logic(), 17, 300, 300), 800, true).empty());
    EXPECT_TRUE(logic().bossDefeated());
}

TEST_F(Pieces, ALoopingSoundStopsWhenItsEntityIsKilled) {
    ecs::Entity robot = robotOfType(logic(), 1, 400, 400);
    robot.add<Zelmo::SoundComp>().voice = 77;
    logic().killEntity(robot, 800, true);
    harness.step();
    EXPECT_EQ(harness.sound().stopped, std::vector<int>{77});
}

TEST(Rescue, FreesThePrisonerSpeaksTheQuarterAndSendsTheRescueRobot) {
    WorldHarness harness;
    harness.startLevel(2);
    GameLogic& logic = harness.logic();
    Having<Zelmo::AnimationComp, Zelmo::BeamComp> chained;
    const std::vector<ecs::Entity> prisoners = chained.in(logic);
    const int left = logic.prisonersLeft();
    ASSERT_EQ(int(prisoners.size()), left);
    harness.sound().played.clear();

    logic.rescuePrisoner(prisoners[0]);

    EXPECT_EQ(logic.prisonersLeft(), left - 1);
    EXPECT_EQ(prisoners[0].get<Zelmo::AnimationComp>().animation, 25);
    EXPECT_EQ(prisoners[0].get<Zelmo::BeamComp>().type, 8);
    const Zelmo::PVAComp& player = logic.player().get<Zelmo::PVAComp>();
    int cx = int(player.x), cy = int(player.y);
    logic.worldToCell(cx, cy);
    const bool lowX = cx < logic.params().cellsWide / 2, lowY = cy < logic.params().cellsHigh / 2;
    const int quarter = lowY ? (lowX ? 48 : 49) : (lowX ? 50 : 51);
    EXPECT_EQ(harness.sound().played, (std::vector<int>{32, quarter, 33}));

    Having<Zelmo::RobotComp> robots;
    int rescuers = 0;
    for (const ecs::Entity& robot : robots.in(logic)) rescuers += robot.get<Zelmo::RobotComp>().type == 13;
    EXPECT_EQ(rescuers, 1);

    for (int i = 1; i < left; ++i) logic.rescuePrisoner(prisoners[size_t(i)]);
    EXPECT_EQ(logic.prisonersLeft(), 0);
}

TEST(Rescue, TheRescueRobotStartsInsideTheMazeWhenTheStartIsOnTheTopRow) {
    WorldHarness harness(WorldTest::kWorldFixture);
    harness.startLevel(0);  // the start cell is (1, 0)
    GameLogic& logic = harness.logic();
    logic.rescuePrisoner(logic.createPrisoner(3, 2));
    Having<Zelmo::RobotComp> robots;
    int found = 0;
    for (const ecs::Entity& robot : robots.in(logic)) {
        if (robot.get<Zelmo::RobotComp>().type != 13) continue;
        const Zelmo::PVAComp& pva = robot.get<Zelmo::PVAComp>();
        int cx = int(pva.x), cy = int(pva.y);
        logic.worldToCell(cx, cy);
        EXPECT_EQ(cx, 1);
        EXPECT_EQ(cy, 1);
        ++found;
    }
    EXPECT_EQ(found, 1);
}

TEST(BossNodes, TheLastNodeTouchedComesBackWhereThePreviousOneWas) {
    WorldHarness harness(WorldTest::kWorldFixture);
    harness.startLevel(0);
    GameLogic& logic = harness.logic();
    Having<Zelmo::MazeMapDisplayComp, Zelmo::AnimationComp> shown;
    auto nodes = [&] {
        std::vector<ecs::Entity> found;
        for (const ecs::Entity& e : shown.in(logic)) {
            if (e.get<Zelmo::AnimationComp>().animation == 58) found.push_back(e);
        }
        return found;
    };
    const std::vector<ecs::Entity> first = nodes();
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(logic.bossNodesLeft(), 2);
    const Zelmo::PVAComp firstPlace = first[0].get<Zelmo::PVAComp>();
    harness.sound().played.clear();

    logic.onBossNodeTouched(first[0]);
    EXPECT_EQ(logic.bossNodesLeft(), 1);
    EXPECT_EQ(harness.sound().played, std::vector<int>{19});
    EXPECT_FLOAT_EQ(logic.player().get<Zelmo::ZappedComp>().remaining, 10 * 1000.0f) << "KILLBOSSTIME seconds";
    EXPECT_FLOAT_EQ(logic.player().get<Zelmo::ZappedComp>().factorFrom, 3.0f);
    logic.onBossNodeTouched(first[0]);
    EXPECT_EQ(logic.bossNodesLeft(), 1) << "a node dies once";

    logic.onBossNodeTouched(first[1]);
    EXPECT_EQ(logic.bossNodesLeft(), 1);
    harness.step();
    const std::vector<ecs::Entity> after = nodes();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_FLOAT_EQ(after[0].get<Zelmo::PVAComp>().x, firstPlace.x);
    EXPECT_FLOAT_EQ(after[0].get<Zelmo::PVAComp>().y, firstPlace.y);
}

TEST(ChooseDirection, TakesAnOpenWayAndAvoidsDeadEndsWhenAsked) {
    WorldHarness harness(WorldTest::kWorldFixture);
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const int wide = logic.params().cellsWide, high = logic.params().cellsHigh;
    int deadEndsTried = 0;
    int chosen = 0;
    for (int cy = 0; cy < high; ++cy) {
        for (int cx = 0; cx < wide; ++cx) {
            const int exits = logic.exitsAt(cx, cy);
            EXPECT_EQ(logic.chooseDirection(cx, cy, cx, cy, true, 0), 0) << "already there";
            for (int target = 0; target < wide * high; ++target) {
                const int tx = target % wide, ty = target / wide;
                if (tx == cx && ty == cy) continue;
                const int any = logic.chooseDirection(cx, cy, tx, ty, true, 0);
                EXPECT_TRUE(any == 0 || (any & exits) != 0) << cx << "," << cy << " to " << tx << "," << ty;
                chosen += any != 0;
                const int open = logic.chooseDirection(cx, cy, tx, ty, false, 0);
                int x = cx, y = cy;
                EXPECT_TRUE(open == 0 || logic.followCorridor(x, y, open) > 1)
                    << "a dead end chosen from " << cx << "," << cy;
            }
            if (logic.exitCount(cx, cy) == 1) {
                ++deadEndsTried;
                EXPECT_EQ(logic.chooseDirection(cx, cy, (cx + 2) % wide, (cy + 2) % high, true, exits), exits)
                    << "the only way out, though excluded";
            }
        }
    }
    EXPECT_GT(deadEndsTried, 0);
    EXPECT_GT(chosen, wide * high * (wide * high - 1) / 2) << "most cells lead somewhere";
}

}  // namespace
