// Checks the shipped robot kinds against the rest of the data: each kind's drawings in all three
// shape sets, its sound, its behaviours, its weapon and its body, and the levels' spawn lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/VectorGraphics_generated.h"
#include "engine/vector/GameVectors.h"
#include "game/config/ConfigReaders.h"
#include "game/effects/LightningDef.h"
#include "game/effects/ParticleDefs.h"
#include "game/effects/WeaponTable.h"
#include "game/vector/AnimId.h"
#include "tests/game/world/ShippedRobotKinds.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::ShippedRobotKind;

const std::set<std::string> kWalkNames = {"MazeWalk",   "StationaryWalk", "StandFollowWalk", "RandomWalk",
                                          "EdgeWalk",   "FishWalk",       "WallBounce",      "StarWalk",
                                          "FootAndStarWalk", "BossBulletWalk"};
// An absent scan, or "NoScan", is none.
const std::set<std::string> kScanNames = {"",         "NoScan",   "NSEWScan", "FullDirScan", "NSEWTowerScan",
                                          "FullDirTowerScan", "FishScan", "BossScan"};

std::string describe(const ShippedRobotKind& kind) { return "data/robots: type " + std::to_string(kind.type); }

class RobotKindsLint : public ::testing::Test {
protected:
    WorldTest::WorldHarness m_harness;  // the shipped configuration, tuning table and shapes
    std::vector<ShippedRobotKind> m_kinds = WorldTest::shippedRobotKinds();
};

TEST_F(RobotKindsLint, EveryKindTheGameSinglesOutIsThereOnce) {
    std::map<uint32_t, int> count;
    for (const ShippedRobotKind& kind : m_kinds) ++count[kind.type];
    for (uint32_t type = 1; type <= 17; ++type) EXPECT_EQ(count[type], 1) << "data/robots: kinds of type " << type;
    for (const auto& [type, n] : count) EXPECT_EQ(n, 1) << "data/robots: kinds of type " << type;
}

TEST_F(RobotKindsLint, EveryDrawingOfAKindHasItsLookItsFlashAndItsMarker) {
    const GameVectors& shapes = GameVectors::instance();
    for (const ShippedRobotKind& kind : m_kinds) {
        for (const int id : WorldTest::drawingsOf(kind)) {
            const Vector::AnimationDef* animation = shapes.animation(uint32_t(id));
            ASSERT_TRUE(animation && animation->frames() && animation->frames()->size() > 0)
                << describe(kind) << ": drawing " << id << " has no frames";
            for (const Vector::AnimationFrame* frame : *animation->frames()) {
                if (frame->shape() < 0) continue;  // hands over to the follow-on
                const auto shape = uint32_t(frame->shape());
                EXPECT_NE(shapes.shapeTable(shape, 0), nullptr) << describe(kind) << ": drawing " << id << " shape " << shape;
                EXPECT_NE(shapes.shapeTable(shape, 1), nullptr)
                    << describe(kind) << ": drawing " << id << " shape " << shape << " has no flash look";
            }
        }
        // The minimap keeps the shape the robot first shows.
        const Vector::AnimationDef* first = shapes.animation(uint32_t(kind.animation));
        if (first && first->frames() && first->frames()->size() > 0) {
            EXPECT_NE(shapes.shapeTable(uint32_t(first->frames()->Get(0)->shape()), 2), nullptr)
                << describe(kind) << ": no minimap marker";
        }
    }
}

TEST_F(RobotKindsLint, EveryKindHasABodyBehavioursAWeaponAndASound) {
    std::set<int> sounds;
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds()) sounds.insert(sound.id);
    for (const ShippedRobotKind& kind : m_kinds) {
        // Knock-back divides by the mass.
        EXPECT_TRUE(std::isfinite(kind.mass) && kind.mass > 0.0f) << describe(kind) << ": mass " << kind.mass;
        EXPECT_GT(kind.health, 0.0f) << describe(kind) << ": health";
        EXPECT_TRUE(kWalkNames.count(kind.walk)) << describe(kind) << ": walk \"" << kind.walk << "\"";
        EXPECT_TRUE(kScanNames.count(kind.scan)) << describe(kind) << ": scan \"" << kind.scan << "\"";
        EXPECT_TRUE(kind.sound == 0 || sounds.count(kind.sound))
            << describe(kind) << ": sound " << kind.sound << " is not in data/config's game.sounds";
        const bool scans = !kind.scan.empty() && kind.scan != "NoScan";
        if (scans) {
            // A robot scans only while it was on screen within its attention window.
            EXPECT_GT(kind.attentionWindow, 0.0f) << describe(kind) << ": scans without an attention window";
            EXPECT_GT(kind.scanInterval, 0) << describe(kind) << ": scans without a scan interval";
        }
        // The boss's scan fires its bullets, every other scan the kind's own weapon.
        if (scans && kind.scan != "BossScan") {
            EXPECT_TRUE(kind.weapon >= 1 && kind.weapon <= 4) << describe(kind) << ": weapon " << kind.weapon;
        }
        if (kind.weapon == 1 || kind.weapon == 4) {
            EXPECT_TRUE(kind.beamType >= 1 && kind.beamType < Zelmo::kWeaponBeamTypes && Zelmo::beamDamage(kind.beamType) > 0)
                << describe(kind) << ": beam type " << kind.beamType;
        }
        if (kind.weapon == 2) {
            EXPECT_TRUE(Zelmo::lightningDef(kind.strikeType) && Zelmo::strikeDamage(kind.strikeType) > 0)
                << describe(kind) << ": strike type " << kind.strikeType;
        }
        if (kind.weapon == 3 || kind.weapon == 4) {
            EXPECT_TRUE(Zelmo::particleDef(kind.particleDef) && Zelmo::particleDamage(kind.particleDef) > 0)
                << describe(kind) << ": particle definition " << kind.particleDef;
        }
    }
}

// Towers rise and lower on their pads without leaving them.
TEST_F(RobotKindsLint, TowersStandOnTheirPads) {
    for (const ShippedRobotKind& kind : m_kinds) {
        if (kind.animation != AnimIds::TOWER_PAD && kind.animation != AnimIds::TOWER) continue;
        EXPECT_EQ(kind.walk, "StationaryWalk") << describe(kind);
        EXPECT_EQ(kind.speed, 0.0f) << describe(kind);
        EXPECT_TRUE(kind.scan == "NSEWTowerScan" || kind.scan == "FullDirTowerScan") << describe(kind);
    }
}

TEST_F(RobotKindsLint, LevelsSpawnKnownKindsMoreOfThemLevelByLevelAndTheBossLast) {
    std::set<int> types;
    for (const ShippedRobotKind& kind : m_kinds) types.insert(int(kind.type));
    const int count = Zelmo::levelCount();
    ASSERT_GE(count, 2);
    size_t before = 0;
    // Played from the last level down to level 1, then the boss level 0.
    for (int level = count - 1; level >= 0; --level) {
        const Zelmo::LevelEntry entry = Zelmo::readLevel(level);
        for (size_t i = 0; i < entry.robots.size(); ++i) {
            EXPECT_TRUE(types.count(entry.robots[i].type))
                << "data/config: game.levels[" << level << "].robots[" << i << "] type " << entry.robots[i].type;
        }
        if (level == 0) break;
        EXPECT_GE(entry.robots.size(), before) << "data/config: game.levels[" << level << "] has fewer robots than the level before";
        before = entry.robots.size();
    }
    const std::vector<Zelmo::RobotSpawnEntry> bossLevel = Zelmo::readLevel(0).robots;
    EXPECT_EQ(std::count_if(bossLevel.begin(), bossLevel.end(), [](const auto& spawn) { return spawn.type == 17; }), 1)
        << "data/config: game.levels[0] must spawn the boss, type 17, once";
}

}  // namespace
