// Checks the shipped robot kinds: the factory builds each one on a level, and each kind's drawings
// (in all three shape sets), sound, behaviours, weapon and body fit the rest of the data; and the
// levels' spawn lists name known kinds, grow level by level and end with the boss.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "data/Robots_generated.h"
#include "data/VectorGraphics_generated.h"
#include "engine/util/FlatText.h"
#include "engine/vector/GameVectors.h"
#include "game/config/ConfigReaders.h"
#include "game/effects/LightningDef.h"
#include "game/effects/ParticleDefs.h"
#include "game/effects/WeaponTable.h"
#include "game/vector/AnimId.h"
#include "game/world/DisplayComps.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PathFinderComp.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"
#include "game/world/RobotModes.h"
#include "tests/game/world/ShippedRobotKinds.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::RobotDef;

constexpr uint32_t kBoxCarrierKind = 4;
constexpr uint32_t kBossBulletKind = 16;
constexpr uint32_t kBossKind = 17;

std::string describe(const RobotDef& kind) { return "data/robots: type " + std::to_string(kind.type()); }

class RobotKindsLint : public ::testing::Test {
protected:
    WorldTest::WorldHarness m_harness;  // the shipped configuration, tuning table, shapes and robots
    WorldTest::ShippedRobotKinds m_kinds;
};

TEST_F(RobotKindsLint, TheFactoryLoadsTheKindsAndBuildsEachOneOnALevel) {
    ASSERT_TRUE(Zelmo::RobotFactory::instance().load("data/robots")) << Zelmo::RobotFactory::instance().error();
    m_harness.startLevel(Zelmo::levelCount() - 1);  // the first level played, the smallest
    Zelmo::GameLogic& logic = m_harness.logic();
    const Zelmo::PVAComp& player = logic.player().get<Zelmo::PVAComp>();
    for (const RobotDef* kind : m_kinds.all()) {
        SCOPED_TRACE(describe(*kind));
        const ecs::Entity robot = logic.createRobot(int(kind->type()), int(player.x), int(player.y));
        ASSERT_TRUE(robot.has<Zelmo::RobotComp>());
        const Zelmo::RobotComp& state = robot.get<Zelmo::RobotComp>();
        EXPECT_EQ(state.type, int(kind->type()));
        EXPECT_EQ(state.health, kind->health());
        EXPECT_EQ(robot.get<Zelmo::AnimationComp>().animation, kind->animation());
        const Zelmo::VectorComp& drawing = robot.get<Zelmo::VectorComp>();
        EXPECT_EQ(uint32_t(drawing.shape), WorldTest::frameShapesOf(*kind).front());
        EXPECT_EQ(robot.get<Zelmo::MazeMapDisplayComp>().shape, drawing.shape);
        // Something to hit and something to touch.
        EXPECT_GT(robot.get<Zelmo::HBoxComp>().w * robot.get<Zelmo::HBoxComp>().h, 0);
        EXPECT_GT(robot.get<Zelmo::CBoxComp>().w * robot.get<Zelmo::CBoxComp>().h, 0);
        EXPECT_EQ(robot.has<Zelmo::CollisionPointsComp>(), kind->type() != kBossBulletKind);
        EXPECT_EQ(robot.has<Zelmo::SoundComp>(), kind->sound() != 0);
        EXPECT_EQ(robot.has<Zelmo::PathFinderComp>(), kind->path_search_steps() != 0);
        EXPECT_EQ(state.carried.isValid(), kind->type() == kBoxCarrierKind);
    }
}

TEST_F(RobotKindsLint, EveryKindTheGameSinglesOutIsThereOnce) {
    std::map<uint32_t, int> count;
    for (const RobotDef* kind : m_kinds.all()) ++count[kind->type()];
    for (uint32_t type = 1; type <= kBossKind; ++type)
        EXPECT_EQ(count[type], 1) << "data/robots: kinds of type " << type;
    for (const auto& [type, n] : count) EXPECT_EQ(n, 1) << "data/robots: kinds of type " << type;
}

TEST_F(RobotKindsLint, EveryDrawingOfAKindHasItsLookItsFlashAndItsMarker) {
    const GameVectors& shapes = GameVectors::instance();
    for (const RobotDef* kind : m_kinds.all()) {
        for (const int id : WorldTest::drawingsOf(*kind)) {
            const Vector::AnimationDef* animation = shapes.animation(uint32_t(id));
            EXPECT_TRUE(animation && animation->frames() && animation->frames()->size() > 0)
                << describe(*kind) << ": drawing " << id << " has no frames";
        }
        const std::vector<uint32_t> frames = WorldTest::frameShapesOf(*kind);
        for (const uint32_t shape : frames) {
            EXPECT_NE(shapes.shapeTable(shape, 0), nullptr) << describe(*kind) << ": shape " << shape;
            EXPECT_NE(shapes.shapeTable(shape, 1), nullptr)
                << describe(*kind) << ": shape " << shape << " has no flash look";
        }
        // The minimap keeps the shape the robot first shows.
        if (!frames.empty()) {
            EXPECT_NE(shapes.shapeTable(frames.front(), 2), nullptr) << describe(*kind) << ": no minimap marker";
        }
    }
}

TEST_F(RobotKindsLint, EveryKindHasABodyBehavioursAWeaponAndASound) {
    std::map<int, bool> loops;
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds()) loops[sound.id] = sound.looping;
    for (const RobotDef* kind : m_kinds.all()) {
        // Knock-back divides by the mass.
        EXPECT_TRUE(std::isfinite(kind->mass()) && kind->mass() > 0.0f) << describe(*kind) << ": mass " << kind->mass();
        EXPECT_GT(kind->health(), 0.0f) << describe(*kind) << ": health";
        const std::string walk = Util::toStdString(kind->walk());
        const std::string scan = Util::toStdString(kind->scan());
        EXPECT_TRUE(Zelmo::isWalkModeName(walk) && !walk.empty()) << describe(*kind) << ": walk \"" << walk << "\"";
        EXPECT_TRUE(Zelmo::isScanModeName(scan)) << describe(*kind) << ": scan \"" << scan << "\"";
        // A robot's own sound loops while it is near.
        EXPECT_TRUE(kind->sound() == 0 || (loops.count(kind->sound()) && loops[kind->sound()]))
            << describe(*kind) << ": sound " << kind->sound() << " is no looping sound of data/config's game.sounds";
        if (Zelmo::scanModeByName(scan) != nullptr) {
            // A robot scans only while it was on screen within its attention window.
            EXPECT_GT(kind->attention_window(), 0.0f) << describe(*kind) << ": scans without an attention window";
            EXPECT_GT(kind->scan_interval(), 0) << describe(*kind) << ": scans without a scan interval";
            // The boss's scan fires its bullets, every other scan the kind's own weapon.
            if (scan != "BossScan") {
                EXPECT_TRUE(kind->weapon() >= 1 && kind->weapon() <= 4)
                    << describe(*kind) << ": weapon " << kind->weapon();
            }
        }
        if (kind->weapon() == 1 || kind->weapon() == 4) {
            EXPECT_TRUE(kind->beam_type() >= 1 && kind->beam_type() < Zelmo::kWeaponBeamTypes &&
                        Zelmo::beamDamage(kind->beam_type()) > 0)
                << describe(*kind) << ": beam type " << kind->beam_type();
        }
        if (kind->weapon() == 2) {
            EXPECT_TRUE(Zelmo::lightningDef(kind->strike_type()) && Zelmo::strikeDamage(kind->strike_type()) > 0)
                << describe(*kind) << ": strike type " << kind->strike_type();
        }
        if (kind->weapon() == 3 || kind->weapon() == 4) {
            EXPECT_TRUE(Zelmo::particleDef(kind->particle_def()) && Zelmo::particleDamage(kind->particle_def()) > 0)
                << describe(*kind) << ": particle definition " << kind->particle_def();
        }
    }
}

// Towers rise and lower on their pads without leaving them.
TEST_F(RobotKindsLint, TowersStandOnTheirPads) {
    for (const RobotDef* kind : m_kinds.all()) {
        if (kind->animation() != AnimIds::TOWER_PAD && kind->animation() != AnimIds::TOWER) continue;
        EXPECT_EQ(Util::toStdString(kind->walk()), "StationaryWalk") << describe(*kind);
        EXPECT_EQ(kind->speed(), 0.0f) << describe(*kind);
        const std::string scan = Util::toStdString(kind->scan());
        EXPECT_TRUE(scan == "NSEWTowerScan" || scan == "FullDirTowerScan") << describe(*kind);
    }
}

TEST_F(RobotKindsLint, LevelsSpawnKnownKindsMoreOfThemLevelByLevelAndTheBossLast) {
    const int count = Zelmo::levelCount();
    ASSERT_GE(count, 2);
    size_t before = 0;
    // Played from the last level down to level 1, then the boss level 0.
    for (int level = count - 1; level >= 0; --level) {
        const Zelmo::LevelEntry entry = Zelmo::readLevel(level);
        for (size_t i = 0; i < entry.robots.size(); ++i) {
            EXPECT_NE(Zelmo::RobotFactory::instance().def(uint32_t(entry.robots[i].type)), nullptr)
                << "data/config: game.levels[" << level << "].robots[" << i << "] type " << entry.robots[i].type;
        }
        if (level == 0) break;
        EXPECT_GE(entry.robots.size(), before)
            << "data/config: game.levels[" << level << "] has fewer robots than the level before";
        before = entry.robots.size();
    }
    const std::vector<Zelmo::RobotSpawnEntry> bossLevel = Zelmo::readLevel(0).robots;
    EXPECT_EQ(std::count_if(bossLevel.begin(), bossLevel.end(),
                            [](const Zelmo::RobotSpawnEntry& spawn) { return spawn.type == int(kBossKind); }),
              1)
        << "data/config: game.levels[0] must spawn the boss, type 17, once";
}

}  // namespace
