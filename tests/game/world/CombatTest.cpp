#include <gtest/gtest.h>

#include <algorithm>

#include "engine/data/Globals.h"
#include "engine/psys/System.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Kind = Room::Kind;
using Zelmo::PlayerComp;
using Zelmo::PVAComp;

constexpr int kSpinner = 5;
constexpr int kTower = 7;

// The player in the room walking at 4 pixels an update, with what it meets placed just ahead.
class Combat : public ::testing::Test {
protected:
    Combat() : m_room(m_harness) {}

    ecs::Entity player() { return m_harness.logic().player(); }
    PlayerComp& state() { return player().get<PlayerComp>(); }

    // The player standing at (x, y).
    void placePlayer(float x, float y) {
        PVAComp& pva = player().get<PVAComp>();
        pva.x = pva.nextX = x;
        pva.y = pva.nextY = y;
        pva.speed.from = pva.speed.to = 0.0f;
    }

    // The player at (x, y) with a direction held, as a player walks.
    void walkFrom(float x, float y, const char* direction) {
        m_harness.send("STOP_MOVE", m_held);
        placePlayer(x, y);
        m_held = direction;
        m_harness.send("START_MOVE", direction);
    }

    // Holds the punch with a direction until the charge shows and for chargeSteps updates more, lets
    // go of the direction, then of the punch: the blow flies in the last update.
    void throwPunch(const char* direction, uint32_t charge, int chargeSteps = 0) {
        m_harness.send("START_MOVE", direction);
        m_harness.send("START_ACTION", "0");
        for (int i = 0; i < 100 && animation().animation != int(charge); ++i) m_harness.step();
        ASSERT_EQ(animation().animation, int(charge)) << "the crouch plays into the charge";
        m_harness.step(chargeSteps);
        m_harness.send("STOP_MOVE", direction);
        m_harness.step();
        m_harness.send("STOP_ACTION", "0");
        m_harness.step();
    }

    Zelmo::AnimationComp& animation() { return player().get<Zelmo::AnimationComp>(); }

    // The punch's glow: the particles it holds when a blow lands are the blow's charge.
    float glowCharge() {
        const PSys::ParticleEmitter* glow =
            Zelmo::particleSystem(Zelmo::kEffectsSystem)->findEmitter(state().glowEmitter);
        return glow ? float(glow->liveCount) : 0.0f;
    }

    // Something at rest whose collision box starts gap pixels right of the player's.
    float rightOfPlayer(const ecs::Entity& other, float gap) {
        const IntBox mine = player().get<Zelmo::CBoxComp>();
        const IntBox theirs = other.get<Zelmo::CBoxComp>();
        return player().get<PVAComp>().x + float(mine.x + mine.w) + gap - float(theirs.x);
    }

    ecs::Entity robotRightOfPlayer(int type, float gap = 2.0f) {
        ecs::Entity robot = m_room.walker(Kind::Robot, 0.0f, Room::middle(), 270, 0.0f, true);
        robot.get<Zelmo::RobotComp>().type = type;
        robot.add<Zelmo::ZappedComp>();
        robot.add<Zelmo::VectorComp>().shape = 25;
        PVAComp& pva = robot.get<PVAComp>();
        pva.x = pva.nextX = rightOfPlayer(robot, gap);
        return robot;
    }

    ecs::Entity itemRightOfPlayer(int animation, float gap = 2.0f) {
        ecs::Entity item = m_harness.logic().createAnimatedEntity(animation, true);
        item.add<Zelmo::FXsComp>();
        PVAComp& pva = item.get<PVAComp>();
        pva.y = pva.nextY = Room::middle();
        pva.x = pva.nextX = rightOfPlayer(item, gap);
        item.activate();
        return item;
    }

    int scheduled(int code) {
        const Zelmo::TimerComp& timers = player().get<Zelmo::TimerComp>();
        return int(std::count(timers.codes.begin(), timers.codes.end(), code));
    }

    WorldHarness m_harness;
    Room m_room;
    const char* m_held = "RT";
};

// The punch's damage and knock-back by the frame of the punch it lands in, the charge its glow
// holds and the robot's mass.
TEST_F(Combat, APunchHitsWithDamageAndKnockBackByMass) {
    struct Case {
        int frame;
        float mass;
    } cases[] = {{0, 1.0f}, {0, 2.0f}, {1, 0.5f}, {1, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE("frame " + std::to_string(c.frame) + " mass " + std::to_string(c.mass));
        placePlayer(Room::edge(Room::kFirst) + 40.0f, Room::middle());
        throwPunch("RT", AnimIds::KROMB_RT_CHARGE);
        ASSERT_EQ(animation().animation, int(AnimIds::KROMB_RT_PUNCH));
        for (int i = 0; i < 100 && animation().frame < c.frame; ++i) m_harness.step();
        ASSERT_EQ(animation().frame, c.frame);
        ecs::Entity robot = robotRightOfPlayer(7);
        Zelmo::RobotComp& target = robot.get<Zelmo::RobotComp>();
        target.mass = c.mass;
        target.health = 1000.0f;
        const float charge = glowCharge();
        m_harness.step();
        ASSERT_EQ(animation().frame, c.frame) << "the blow lands in the frame it was aimed at";

        const auto* values = Globals::vectorField<float>("KNOCKBACKVALUES");
        const int last = int(values->size()) - 1;
        const float base = values->Get(flatbuffers::uoffset_t(std::min(c.frame, last)));
        const float knockBack = std::min(charge / 100.0f + base, values->Get(flatbuffers::uoffset_t(last))) *
                                Zelmo::getOptionValue("PUNCH_KBK");
        const float damage = ((charge / Globals::getFloat("PUNCHDAMAGEDIV") + 1.0f) *
                                  float((c.frame + 1) * Globals::getInt("PUNCHDAMAGEMULT")) +
                              float(Globals::getInt("PUNCHDAMAGEBASE"))) *
                             Zelmo::getOptionValue("PUNCH_DMG");
        EXPECT_EQ(target.state, 1) << "knocked back";
        EXPECT_EQ(target.knockBackAngle, 90);
        EXPECT_FLOAT_EQ(target.knockBackSpeed, knockBack / c.mass);
        EXPECT_FLOAT_EQ(target.health, 1000.0f - damage);
        EXPECT_EQ(player().get<PVAComp>().collisionValue, -1) << "the punch stops at the robot";
        robot.kill();
        m_harness.step();
        EXPECT_EQ(animation().animation, int(AnimIds::KROMB_RT)) << "the punch ends at the robot";
    }
}

// A tower stands on its pad: even the strongest punch with doubled knock-back only hurts it, while
// a robot as heavy that is free to move slides away.
TEST_F(Combat, AStrongPunchHurtsATowerWithoutMovingIt) {
    Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "PUNCH_KBK", "1");
    ASSERT_EQ(Zelmo::getOptionValue("PUNCH_KBK"), 2.0f) << "knock-back doubled";
    struct Case {
        const char* what;
        bool rooted;
    } cases[] = {{"a tower", true}, {"a robot as heavy that is free to move", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        placePlayer(Room::edge(Room::kFirst) + 40.0f, Room::middle());
        // Ten seconds of charge; the glow then gathers fast as the punch flies, and soon holds
        // enough for the strongest blow.
        throwPunch("RT", AnimIds::KROMB_RT_CHARGE, 625);
        for (int i = 0; i < 100 && glowCharge() < 900.0f; ++i) m_harness.step();
        ASSERT_EQ(animation().animation, int(AnimIds::KROMB_RT_PUNCH));
        ecs::Entity robot = m_harness.logic().createRobot(kTower, 0, 0);
        Zelmo::RobotComp& target = robot.get<Zelmo::RobotComp>();
        target.health = 1000.0f;
        if (!c.rooted) {
            target.walk = nullptr;
            target.speed = 1.0f;
        }
        PVAComp& pva = robot.get<PVAComp>();
        pva.y = pva.nextY = Room::middle();
        pva.x = pva.nextX = rightOfPlayer(robot, 2.0f);
        const float startX = pva.x, health = target.health;
        m_harness.step();
        ASSERT_LT(target.health, health) << "the punch landed";
        if (!c.rooted) {
            ASSERT_GE(target.knockBackSpeed, 1.0f) << "a blow strong enough to move it";
        }
        const float hurt = target.health;
        m_harness.step(60);
        if (c.rooted) {
            EXPECT_EQ(pva.x, startX);
            EXPECT_EQ(target.health, hurt) << "nothing more than the punch";
            EXPECT_EQ(target.state, 0) << "back on guard";
        } else {
            EXPECT_GT(pva.x, startX + 10.0f);
        }
        robot.kill();
        m_harness.step();
    }
}

// A robot that runs into the back of a punching player is not hit.
TEST_F(Combat, APunchMissesARobotBehindThePlayer) {
    placePlayer(Room::middle(), Room::middle());
    throwPunch("LF", AnimIds::KROMB_LF_CHARGE);
    ASSERT_EQ(animation().animation, int(AnimIds::KROMB_LF_PUNCH));
    ecs::Entity robot = robotRightOfPlayer(7);
    PVAComp& chaser = robot.get<PVAComp>();
    chaser.speed.from = chaser.speed.to = 12.0f;
    m_harness.step();
    EXPECT_EQ(player().get<PVAComp>().collisionValue, -1) << "the robot caught up with the player";
    EXPECT_EQ(robot.get<Zelmo::RobotComp>().state, 0);
    EXPECT_EQ(robot.get<Zelmo::RobotComp>().health, 100.0f);
}

TEST_F(Combat, TouchingASpinnerDestroysItAndHurtsThePlayer) {
    walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
    ecs::Entity spinner = robotRightOfPlayer(5);
    const float health = state().health;
    m_harness.step();
    EXPECT_TRUE(spinner.has<Zelmo::KillComp>());
    EXPECT_FLOAT_EQ(state().health, health - Globals::getFloat("SPINNERDAMAGE") * Zelmo::getOptionValue("SPINNER_DMG"));
}

// Whatever lands in one update, a robot dies once: one explosion, one set of pieces.
TEST_F(Combat, TwoDeadlyHitsInOneUpdateDestroyARobotOnce) {
    ecs::Entity robot = robotRightOfPlayer(7, 40.0f);
    robot.get<Zelmo::RobotComp>().health = 5.0f;
    Zelmo::GameLogic& logic = m_harness.logic();
    Zelmo::RobotFactory::robotHit(logic, robot, 90, Room::middle(), Room::middle(), 4.0f, 50.0f);
    const size_t afterFirst = logic.world().entityCount();
    EXPECT_TRUE(robot.has<Zelmo::KillComp>());
    Zelmo::RobotFactory::robotHit(logic, robot, 90, Room::middle(), Room::middle(), 4.0f, 50.0f);
    Zelmo::RobotFactory::robotDestroyed(logic, robot);
    EXPECT_EQ(logic.world().entityCount(), afterFirst);
}

TEST_F(Combat, TheLiftEndsTheLevelOnlyForAPlayerFacingLeft) {
    m_harness.logic().setPrisonersLeft(0);
    for (const char* direction : {"RT", "LF"}) {
        const bool left = std::string(direction) == "LF";
        walkFrom(Room::middle(), Room::middle(), direction);
        ecs::Entity lift = itemRightOfPlayer(AnimIds::LIFT_NODE);
        if (left) {
            PVAComp& at = lift.get<PVAComp>();
            const IntBox mine = player().get<Zelmo::CBoxComp>();
            const IntBox theirs = lift.get<Zelmo::CBoxComp>();
            at.x = at.nextX = Room::middle() + float(mine.x) - 2.0f - float(theirs.x + theirs.w);
        }
        const std::string command = m_harness.step();
        EXPECT_EQ(command, left ? "NEXTLEVEL" : "") << direction;
        lift.kill();
    }
}

TEST_F(Combat, PickUps) {
    walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
    ecs::Entity fist = itemRightOfPlayer(AnimIds::FIST_POWUP);
    const int punches = state().powerPunches;
    m_harness.step();
    EXPECT_TRUE(fist.has<Zelmo::KillComp>());
    EXPECT_EQ(state().powerPunches, punches) << "the fist grants nothing more";

    // A second armour restarts the armour's time instead of leaving the first end in place.
    for (int pickUp = 0; pickUp < 2; ++pickUp) {
        walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
        ecs::Entity armour = itemRightOfPlayer(AnimIds::ARMOUR_POWUP);
        m_harness.step(2);
        EXPECT_TRUE(armour.has<Zelmo::KillComp>() || !armour.isValid());
        EXPECT_TRUE(state().armour.isActivated());
        EXPECT_EQ(scheduled(Zelmo::kActionArmourOff), 1);
    }

    walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
    ecs::Entity box = itemRightOfPlayer(AnimIds::POWUP_BOX);
    const size_t before = m_harness.logic().world().entityCount();
    m_harness.step();
    EXPECT_FALSE(box.isValid() && !box.has<Zelmo::KillComp>()) << "the box is opened";
    EXPECT_GT(m_harness.logic().world().entityCount(), before) << "a drop and the box's pieces";
}

TEST_F(Combat, TouchingAPrisonerFreesIt) {
    walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
    m_harness.logic().setPrisonersLeft(2);
    ecs::Entity prisoner = itemRightOfPlayer(AnimIds::KROMB_CHAINED);
    m_harness.step();
    EXPECT_EQ(m_harness.logic().prisonersLeft(), 1);
    EXPECT_EQ(prisoner.get<Zelmo::AnimationComp>().animation, int(AnimIds::KROMB_DN));
}

TEST_F(Combat, AClawerLatchesOnceAndBurstsWhenItsTimeIsUp) {
    walkFrom(Room::middle() - 60.0f, Room::middle(), "RT");
    ecs::Entity clawer = robotRightOfPlayer(14);
    m_harness.step();
    ASSERT_TRUE(clawer.has<Zelmo::LinkedPVAComp>());
    EXPECT_FALSE(clawer.has<Zelmo::HBoxComp>());
    EXPECT_EQ(clawer.get<Zelmo::RobotComp>().walk, &Zelmo::stationaryWalk) << "it only clings on";
    const Zelmo::TimerComp& timers = clawer.get<Zelmo::TimerComp>();
    EXPECT_EQ(std::count(timers.codes.begin(), timers.codes.end(), Zelmo::kActionClawerBurst), 1);
    m_harness.step(5);
    EXPECT_EQ(std::count(timers.codes.begin(), timers.codes.end(), Zelmo::kActionClawerBurst), 1);

    const float health = state().health;
    m_harness.step(int(Globals::getFloat("CLAWEREXPTIME") / WorldHarness::kStepMs) + 1);
    EXPECT_FALSE(clawer.isValid() && !clawer.has<Zelmo::KillComp>()) << "burst";
    EXPECT_FLOAT_EQ(state().health, health - Globals::getFloat("CLAWERDAMAGE") * Zelmo::getOptionValue("CLAWER_DMG"));
}

// A spinner running into the shield glances off it, mirrored along the way the player faces,
// and leaves the player unhurt.
TEST_F(Combat, TheShieldTurnsRobotsAside) {
    struct Case {
        const char* direction;
        int outX;  // the side of the shield the spinner comes from
        int outY;
        int heading;
        int after;
    } cases[] = {{"UP", 0, 1, 135, 45}, {"DN", 0, -1, 45, 135}, {"LF", -1, 0, 45, 315}, {"RT", 1, 0, 315, 45}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        placePlayer(Room::middle(), Room::middle());
        m_harness.send("START_MOVE", c.direction);
        m_harness.send("START_ACTION", "1");
        m_harness.step(2);
        ecs::Entity shield = state().shield;
        ASSERT_TRUE(shield.isActivated());
        ASSERT_EQ(player().get<PVAComp>().x, Room::middle()) << "the shield is held standing";

        // The spinner just off the shield's outer edge, across from its middle.
        const PVAComp& at = shield.get<PVAComp>();
        const IntBox guard = shield.get<Zelmo::CBoxComp>();
        ecs::Entity spinner = m_room.walker(Kind::Robot, 0.0f, 0.0f, c.heading, 4.0f, true);
        spinner.get<Zelmo::RobotComp>().type = kSpinner;
        const IntBox box = spinner.get<Zelmo::CBoxComp>();
        const float middleX = at.x + float(guard.x) + float(guard.w) / 2.0f - float(box.x) - float(box.w) / 2.0f;
        const float middleY = at.y + float(guard.y) + float(guard.h) / 2.0f - float(box.y) - float(box.h) / 2.0f;
        const float outX =
            c.outX > 0 ? at.x + float(guard.x + guard.w + 1 - box.x) : at.x + float(guard.x - 1 - box.x - box.w);
        const float outY =
            c.outY > 0 ? at.y + float(guard.y + guard.h + 1 - box.y) : at.y + float(guard.y - 1 - box.y - box.h);
        PVAComp& pva = spinner.get<PVAComp>();
        pva.x = pva.nextX = c.outX != 0 ? outX : middleX;
        pva.y = pva.nextY = c.outY != 0 ? outY : middleY;
        const float health = state().health;
        m_harness.step();
        EXPECT_EQ(pva.heading, c.after);
        EXPECT_EQ(pva.contactCounter, -60);
        EXPECT_FALSE(spinner.has<Zelmo::KillComp>()) << "the spinner never reached the player";
        EXPECT_EQ(state().health, health);
        spinner.kill();
        m_harness.send("STOP_ACTION", "1");
        m_harness.send("STOP_MOVE", c.direction);
        m_harness.step(2);
        EXPECT_FALSE(shield.isActivated());
    }
}

}  // namespace
