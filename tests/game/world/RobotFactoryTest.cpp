#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"
#include "tests/game/world/WorldHarness.h"

// The robot kinds loaded from data, robots built from them, and their hits and deaths.
namespace {

using WorldTest::WorldHarness;
using Zelmo::PVAComp;
using Zelmo::RobotComp;
using Zelmo::RobotFactory;

constexpr const char* kShippedRobots = "data/robots";
constexpr int kDeathSound = 23;
constexpr int kBoxCarrier = 4;
constexpr int kBoss = 17;

// Robot data written to a file of its own, checked against the shipped shapes; the shipped kinds
// are loaded again afterwards.
class RobotData : public ::testing::Test {
protected:
    RobotData() { EXPECT_TRUE(WorldTest::loadShippedShapes()); }
    ~RobotData() override {
        std::filesystem::remove(m_path);
        RobotFactory::instance().load(kShippedRobots);
    }

    bool loadText(const std::string& json) {
        std::ofstream(m_path) << json;
        return RobotFactory::instance().load(m_path);
    }

    std::string m_path = (std::filesystem::temp_directory_path() / "zelmo-robot-data-test.json").string();
};

TEST_F(RobotData, KindsThatCannotBeBuiltAreRefusedWithTheKindAndFieldNamed) {
    struct Case {
        const char* what;
        const char* json;
        const char* error;  // empty: loads
    } cases[] = {
        {"a sound kind", R"({"robots": [{"type": 5, "animation": 12, "walk": "WallBounce", "scan": "NoScan"}]})", ""},
        {"a random scale", R"({"robots": [{"type": 5, "animation": 12, "scale": 0}]})", ""},
        {"no mass to divide a knock-back by", R"({"robots": [{"type": 5, "animation": 12, "mass": 0}]})",
         "zelmo-robot-data-test.json: robot type 5: mass is not a finite number above 0"},
        {"a negative mass", R"({"robots": [{"type": 5, "animation": 12, "mass": -2}]})", "robot type 5: mass"},
        {"a mass that is not a number", R"({"robots": [{"type": 5, "animation": 12, "mass": nan}]})",
         "robot type 5: mass"},
        {"an endless mass", R"({"robots": [{"type": 5, "animation": 12, "mass": inf}]})", "robot type 5: mass"},
        {"a misspelt walk",
         R"({"robots": [{"type": 1, "animation": 1}, {"type": 6, "animation": 6, "walk": "MazeWlak"}]})",
         "robot type 6: walk \"MazeWlak\" is no walk behaviour"},
        {"a misspelt scan", R"({"robots": [{"type": 7, "animation": 8, "scan": "NSEWscan"}]})",
         "robot type 7: scan \"NSEWscan\" is no scan behaviour"},
        {"a negative junction memory", R"({"robots": [{"type": 8, "animation": 16, "junction_memory": -1}]})",
         "robot type 8: junction_memory is below 0"},
        {"a cell shift past the tile coordinates", R"({"robots": [{"type": 9, "animation": 14, "cell_shift": 40}]})",
         "robot type 9: cell_shift"},
        {"no animation, so no shape to draw", R"({"robots": [{"type": 5}]})",
         "zelmo-robot-data-test.json: robot type 5: animation 0 names no drawing with a shape"},
        {"an animation the shapes lack", R"({"robots": [{"type": 5, "animation": 999}]})",
         "robot type 5: animation 999 names no drawing with a shape"},
        {"a negative animation", R"({"robots": [{"type": 5, "animation": -1}]})",
         "robot type 5: animation -1 names no drawing with a shape"},
        {"a scale that is not a number", R"({"robots": [{"type": 5, "animation": 12, "scale": nan}]})",
         "zelmo-robot-data-test.json: robot type 5: scale is not 0 (random) or a number up to 4"},
        {"an endless scale", R"({"robots": [{"type": 5, "animation": 12, "scale": inf}]})", "robot type 5: scale"},
        {"a negative scale", R"({"robots": [{"type": 5, "animation": 12, "scale": -1}]})", "robot type 5: scale"},
        {"a scale past the collision grid", R"({"robots": [{"type": 5, "animation": 12, "scale": 5}]})",
         "robot type 5: scale"},
        {"health that is not a number", R"({"robots": [{"type": 5, "animation": 12, "health": nan}]})",
         "robot type 5: health is not a finite number of 0 or more"},
        {"an endless speed", R"({"robots": [{"type": 5, "animation": 12, "speed": inf}]})",
         "robot type 5: speed is not a finite number of 0 or more"},
        {"a negative attention window", R"({"robots": [{"type": 5, "animation": 12, "attention_window": -1}]})",
         "robot type 5: attention_window is not a finite number of 0 or more"},
        {"text that is no robot data", "{robots: [", "zelmo-robot-data-test.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool loaded = loadText(c.json);
        EXPECT_EQ(loaded, std::string(c.error).empty());
        EXPECT_NE(RobotFactory::instance().error().find(c.error), std::string::npos)
            << RobotFactory::instance().error();
        if (!loaded) {
            EXPECT_EQ(RobotFactory::instance().def(5), nullptr) << "no kind is kept from refused data";
        }
    }
}

TEST_F(RobotData, AbsentFieldsReadAsTheirDefaultsAndTheLaterOfTwoKindsWins) {
    WorldHarness harness;
    harness.startLevel(8);
    ASSERT_TRUE(loadText(R"({"robots": [{"type": 30, "animation": 12, "health": 5},
                                        {"type": 30, "animation": 12, "health": 9},
                                        {"type": 31, "animation": 12, "scale": 0}]})"));
    const ecs::Entity robot = harness.logic().createRobot(30, -1, -1);
    const RobotComp& state = robot.get<RobotComp>();
    EXPECT_EQ(state.health, 9.0f);
    EXPECT_EQ(state.walk, &Zelmo::randomWalk) << "no walk named";
    EXPECT_EQ(state.scan, nullptr) << "no scan named";
    EXPECT_EQ(state.junctions.size(), 5u);
    EXPECT_EQ(state.cellShift, 2);
    EXPECT_EQ(state.mazeWeights, (std::array<int32_t, 4>{20, 20, 40, 40}));
    EXPECT_EQ(state.speed, 0.0f);
    EXPECT_EQ(state.fireTimer, 999999.0f) << "the timers keep their first values";
    EXPECT_EQ(robot.get<Zelmo::VectorComp>().scale, 1.0f);
    EXPECT_FALSE(robot.has<Zelmo::SoundComp>());
    EXPECT_GT(robot.get<PVAComp>().offScreenTime, state.attentionWindow) << "a new robot counts as unseen";

    std::vector<float> scales;
    for (int i = 0; i < 20; ++i)
        scales.push_back(harness.logic().createRobot(31, -1, -1).get<Zelmo::VectorComp>().scale);
    for (float scale : scales) {
        EXPECT_GE(scale, 0.5f);
        EXPECT_LT(scale, 1.5f);
    }
    EXPECT_NE(*std::min_element(scales.begin(), scales.end()), *std::max_element(scales.begin(), scales.end()))
        << "a stored scale of 0 draws one per robot";

    EXPECT_FALSE(harness.logic().createRobot(32, -1, -1).has<RobotComp>()) << "a kind the data lacks";
}

class RobotKinds : public ::testing::Test {
protected:
    RobotKinds() { harness.startLevel(8); }

    Zelmo::GameLogic& logic() { return harness.logic(); }

    int deaths() {
        const std::vector<int>& played = harness.sound().played;
        return int(std::count(played.begin(), played.end(), kDeathSound));
    }

    std::vector<uint32_t> shippedTypes() {
        std::vector<uint32_t> types;
        for (uint32_t type = 0; type < 256; ++type) {
            if (RobotFactory::instance().def(type)) types.push_back(type);
        }
        return types;
    }

    WorldHarness harness;
};

TEST_F(RobotKinds, EveryKindSpawnsTakesAHitDiesOnceAndLeavesWhatItCarries) {
    const std::vector<uint32_t> types = shippedTypes();
    ASSERT_GE(types.size(), 17u);
    for (uint32_t type : types) {
        SCOPED_TRACE("robot type " + std::to_string(type));
        const Zelmo::RobotDef* def = RobotFactory::instance().def(type);
        ecs::Entity robot = logic().createRobot(int(type), -1, -1);
        ASSERT_TRUE(robot.has<RobotComp>());
        RobotComp& state = robot.get<RobotComp>();
        EXPECT_EQ(state.type, int(type));
        EXPECT_EQ(state.health, def->health());
        EXPECT_NE(state.walk, nullptr);
        EXPECT_GT(robot.get<Zelmo::CBoxComp>().w, 0) << "a body to be hit";
        EXPECT_EQ(robot.has<Zelmo::CollisionPointsComp>(), type != 16) << "wall probes";

        const PVAComp& pva = robot.get<PVAComp>();
        if (state.health > 1.0f) {
            RobotFactory::robotHit(logic(), robot, 90, pva.x, pva.y, 4.0f, 1.0f);
            EXPECT_EQ(state.state, 1) << "knocked back";
            EXPECT_EQ(state.health, def->health() - 1.0f);
            // A tower stays on its pad.
            const bool rooted = def->speed() == 0.0f || state.walk == &Zelmo::stationaryWalk;
            EXPECT_FLOAT_EQ(state.knockBackSpeed, rooted ? 0.0f : 4.0f / def->mass());
        }
        const int before = deaths();
        RobotFactory::robotHit(logic(), robot, 90, pva.x, pva.y, 4.0f, 100000.0f);
        RobotFactory::robotHit(logic(), robot, 90, pva.x, pva.y, 4.0f, 100000.0f);
        RobotFactory::robotDestroyed(logic(), robot);
        EXPECT_TRUE(robot.has<Zelmo::KillComp>());
        EXPECT_EQ(deaths(), before + 1) << "one death however many blows";

        if (type == kBoxCarrier) {
            const ecs::Entity box = state.carried;
            ASSERT_TRUE(box.isValid());
            logic().world().refresh();
            EXPECT_TRUE(box.isActivated());
            EXPECT_EQ(box.get<PVAComp>().speed.to, 0.0f);
            const Zelmo::TimerComp& timer = box.get<Zelmo::TimerComp>();
            ASSERT_EQ(timer.codes.size(), 1u);
            EXPECT_EQ(timer.codes[0], Zelmo::kActionGiveBoxes);
            EXPECT_EQ(timer.times[0], 1000.0f);
        }
        if (type == kBoss) {
            EXPECT_TRUE(logic().bossDefeated());
        }
    }
}

TEST_F(RobotKinds, AKnockBackEndsWithItsCostAndARobotDiesOnceWhenAPunchFollows) {
    struct Case {
        const char* what;
        float health;
        bool dies;
    } cases[] = {
        {"speed 10 against a wall costs 50", 60.0f, false},
        // A robot left at exactly no health would shrug off every later blow.
        {"no health left at all is death", 50.0f, true},
        {"less than none", 40.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ecs::Entity robot = logic().createRobot(1, -1, -1);
        RobotComp& state = robot.get<RobotComp>();
        PVAComp& pva = robot.get<PVAComp>();
        state.health = c.health;
        state.state = 1;
        state.knockBackSpeed = 10.0f;
        pva.collisionValue = 1;
        const int before = deaths();
        harness.step();
        EXPECT_EQ(state.state, 0);
        EXPECT_EQ(robot.has<Zelmo::KillComp>() || !robot.isValid(), c.dies);
        if (!c.dies) {
            EXPECT_EQ(state.health, c.health - 50.0f);
            continue;
        }
        RobotFactory::robotHit(logic(), robot, 0, pva.x, pva.y, 5.0f, 30.0f);
        EXPECT_EQ(deaths(), before + 1);
    }
}

// The knock-back slows once per 60th of a second, however long the update; an update of no time
// leaves it as it is, and a vanishingly short one slows it a bounded number of times.
TEST_F(RobotKinds, AKnockBackDecaysPerSixtiethOfASecond) {
    struct Case {
        float dt;
        int decays;
    } cases[] = {{16.7f, 1}, {8.3f, 2}, {34.0f, 0}, {0.0f, 0}, {1e-30f, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "update of " << c.dt << " ms");
        ecs::Entity robot = logic().createRobot(1, -1, -1);
        RobotComp& state = robot.get<RobotComp>();
        state.state = 1;
        state.knockBackSpeed = 5.0f;
        robot.get<PVAComp>().collisionValue = 0;
        logic().update(c.dt);
        float expected = 5.0f;
        for (int i = 0; i < c.decays; ++i) expected *= state.knockBackDecay;
        EXPECT_EQ(state.state, 1);
        EXPECT_FLOAT_EQ(state.knockBackSpeed, expected);
        robot.kill();
    }
}

struct LevelRobots : ecs::System {
    LevelRobots() : System(ecs::componentMask<RobotComp>()) {}
};

// The boss level is won by punching the boss to pieces and reaching the lift.
TEST(BossLevel, IsWonByKillingTheBoss) {
    LevelRobots robots;  // outlives the world it joins
    WorldHarness harness;
    harness.startLevel(0);
    Zelmo::GameLogic& logic = harness.logic();
    logic.world().addSystem(robots);
    logic.world().refresh();
    ecs::Entity boss;
    for (const ecs::Entity& entity : robots.entities()) {
        if (entity.get<RobotComp>().type == kBoss) boss = entity;
    }
    ASSERT_TRUE(boss.isValid());
    ecs::Entity player = logic.player();
    std::string command;
    for (int round = 0; round < 400 && command.empty() && !logic.bossDefeated(); ++round) {
        // The player stands just left of the boss, facing it, and throws a charged punch.
        const PVAComp& at = boss.get<PVAComp>();
        const IntBox bossBox = boss.get<Zelmo::CBoxComp>();
        const IntBox box = player.get<Zelmo::CBoxComp>();
        PVAComp& pva = player.get<PVAComp>();
        pva.x = pva.nextX = at.x + float(bossBox.x - box.x - box.w - 2);
        pva.y = pva.nextY = at.y + float(bossBox.y + bossBox.h / 2 - box.y - box.h / 2);
        player.get<Zelmo::PlayerComp>().health = 1000.0f;
        harness.send("START_MOVE", "RT");
        harness.send("START_ACTION", "0");
        command = harness.step(20);
        harness.send("STOP_MOVE", "RT");
        harness.send("STOP_ACTION", "0");
        if (command.empty()) command = harness.step(2);
    }
    ASSERT_TRUE(logic.bossDefeated()) << "the boss still stands; last command " << command;
    logic.checkLevelEnd();
    for (int i = 0; i < 10 && command != "WON"; ++i) command = harness.step();
    EXPECT_EQ(command, "WON");
}

}  // namespace
