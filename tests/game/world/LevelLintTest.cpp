#include <gtest/gtest.h>

#include <map>
#include <set>

#include "game/config/ConfigReaders.h"
#include "game/world/LevelCheck.h"
#include "game/world/events/BrokenDoorTiles.h"
#include "game/world/systems/MovementSys.h"
#include "tests/game/world/WorldHarness.h"

namespace {

// Every shipped level builds and runs for a few seconds.
TEST(ShippedLevels, EachBuildsAndRunsHeadless) {
    WorldTest::WorldHarness harness;
    const int count = Zelmo::levelCount();
    ASSERT_GE(count, 9);
    EXPECT_EQ(Zelmo::levelDataError(), "");
    EXPECT_EQ(Zelmo::seedDataError(), "");
    for (int level = 0; level < count; ++level) {
        harness.startLevel(level);
        EXPECT_EQ(harness.logic().level(), level);
        EXPECT_EQ(harness.step(3000 / 16), "") << "level " << level;
    }
}

enum class Ground { Wall, Floor, RoomFloor };

// A tile is floor when every sub-cell of its collision pattern is free, a room's floor when some
// keep out robots only, and otherwise a wall, a door or the margin.
Ground groundOf(const Map::TileCollisionMap& grid, int tileX, int tileY) {
    const int sub = 1 << grid.getSubShift();
    Ground ground = Ground::Floor;
    for (int y = 0; y < sub; ++y) {
        for (int x = 0; x < sub; ++x) {
            const int value = grid.getValue(tileX * sub + x, tileY * sub + y);
            if (value == Zelmo::MovementSys::kRobotBarrier) {
                ground = Ground::RoomFloor;
            } else if (value != 0) {
                return Ground::Wall;
            }
        }
    }
    return ground;
}

// Robots must not see the player through a wall, a door or the margin, and must see across the
// floor they walk on, a broken door's included. The rooms' floors are left out: the tile of a
// wall's end with only a wall to its south shares its one bit with the room floor, so a mask
// that stops sight at every wall's end also stops it in the rooms, which robots never enter.
TEST(ShippedLevels, SightStopsAtWallsDoorsAndMarginsAndCrossesFloors) {
    WorldTest::WorldHarness harness;
    for (int level = 0; level < Zelmo::levelCount(); ++level) {
        harness.startLevel(level);
        const Map::TileMap& tiles = harness.logic().tileMap();
        const Map::TileCollisionMap& grid = harness.logic().collisionMap();
        const int mask = tiles.getExtraValue1();
        std::map<int, std::set<Ground>> grounds;
        for (int y = 0; y < tiles.getHeight(); ++y) {
            for (int x = 0; x < tiles.getWidth(); ++x) grounds[tiles.getCell(x, y)].insert(groundOf(grid, x, y));
        }
        grounds[Zelmo::kBrokenDoorAhead].insert(Ground::Floor);
        EXPECT_GT(grounds.size(), 16u) << "level " << level << " builds walls of every shape, doors and margins";
        for (const auto& [value, kinds] : grounds) {
            const std::string where = "data/config: level " + std::to_string(level) + " field extra_value_1 (" +
                                      std::to_string(mask) + "): tile " + std::to_string(value);
            if (kinds.count(Ground::Wall)) {
                EXPECT_NE(value & mask, 0) << where << " is a wall that robots see through";
            }
            if (kinds.count(Ground::Floor)) {
                EXPECT_EQ(value & mask, 0) << where << " is floor that blocks sight";
            }
        }
    }
}

}  // namespace
