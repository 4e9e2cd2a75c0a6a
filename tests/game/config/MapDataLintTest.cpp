// Checks the shipped tile data: the collision patterns parse against their schema and hold what
// the game relies on, and every level names collision data and a tile atlas that fit its tiles.
#include <flatbuffers/idl.h>
#include <flatbuffers/util.h>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <set>

#include "data/TileCollInfo_generated.h"
#include "engine/data/Info.h"
#include "engine/map/TileCollisionMap.h"
#include "engine/maze/LevelMap.h"
#include "engine/maze/MazeData.h"
#include "game/config/ConfigReaders.h"
#include "game/world/events/BrokenDoorTiles.h"
#include "tests/game/config/ShippedConfig.h"

namespace {

// Tile values the level builder and the level construction write.
constexpr int kHighestTile = 31;
const std::set<int> kDoorTiles = {17, 18, 19};
const std::set<int> kRoomFloors = {16, 20};
constexpr int kMargin = 31;
// Collision values the game's readers know.
constexpr int kDoor = 4;
constexpr int kRobotsOnly = 5;

class CollisionLint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_info.loadSchema("data/TileCollInfo.fbs"))
            << "data/TileCollInfo.fbs: " << m_info.getParser()->error_;
        std::string json;
        ASSERT_TRUE(flatbuffers::LoadFile("data/tilecollision.json", false, &json)) << "data/tilecollision.json";
        ASSERT_NE(m_info.storeData(json, false), nullptr) << "data/tilecollision.json: " << m_info.getParser()->error_;
        m_root = Map::GetTileCollInfo(m_info.data());
    }

    // The values of a tile type's pattern; zeros for a type without an entry.
    std::vector<int> pattern(int tileType) const {
        std::vector<int> values(size_t(1) << (2 * m_root->sub_shift()), 0);
        for (const Map::TileCollPattern* pPattern : *m_root->patterns()) {
            if (pPattern->tile_type() != tileType) continue;
            for (flatbuffers::uoffset_t i = 0; i < pPattern->values()->size() && i < values.size(); ++i) {
                values[i] = pPattern->values()->Get(i);
            }
        }
        return values;
    }

    Game::Info m_info;
    const Map::TileCollInfo* m_root = nullptr;
};

TEST_F(CollisionLint, RangesAndPatternSizes) {
    const int subShift = m_root->sub_shift();
    EXPECT_TRUE(subShift >= 0 && subShift <= Map::TileCollisionMap::kMaxSubShift)
        << "data/tilecollision.json: sub_shift " << subShift;
    EXPECT_GE(m_root->tile_type_count(), kHighestTile) << "data/tilecollision.json: tile_type_count";
    std::set<int> types;
    for (flatbuffers::uoffset_t i = 0; i < m_root->patterns()->size(); ++i) {
        const Map::TileCollPattern* pPattern = m_root->patterns()->Get(i);
        const int type = pPattern->tile_type();
        EXPECT_TRUE(type >= 0 && type <= m_root->tile_type_count())
            << "data/tilecollision.json: patterns[" << i << "].tile_type " << type;
        EXPECT_TRUE(types.insert(type).second) << "data/tilecollision.json: tile type " << type << " twice";
        EXPECT_EQ(pPattern->values()->size(), 1u << (2 * subShift))
            << "data/tilecollision.json: patterns[" << i << "] needs one value per sub-cell";
        for (const int32_t value : *pPattern->values()) {
            EXPECT_TRUE(value >= 0 && value <= 0xffff)
                << "data/tilecollision.json: patterns[" << i << "] value " << value << " is not 16-bit";
        }
    }
}

TEST_F(CollisionLint, TheGameTilesCollideAsTheGameExpects) {
    auto all = [&](int tileType, int value) {
        return pattern(tileType) == std::vector<int>(pattern(tileType).size(), value);
    };
    EXPECT_TRUE(all(0, 0)) << "data/tilecollision.json: the floor must be free";
    for (int door : kDoorTiles) {
        EXPECT_TRUE(all(door, kDoor)) << "data/tilecollision.json: door tile " << door << " must be all 4";
    }
    for (int floorValue : kRoomFloors) {
        EXPECT_TRUE(all(floorValue, kRobotsOnly))
            << "data/tilecollision.json: room floor " << floorValue << " must be all 5";
    }
    // Walls block whole; their values tell a bouncing robot which face it met (1 west or east,
    // 2 north or south, 3 a corner), so a pure run shows one kind of face.
    for (int wall = 1; wall <= 15; ++wall) {
        for (int value : pattern(wall)) {
            EXPECT_TRUE(value >= 1 && value <= 3)
                << "data/tilecollision.json: wall tile " << wall << " value " << value;
        }
    }
    // A punch breaks a door run into these tiles; the player must be able to walk through them.
    for (int broken : {Zelmo::kBrokenDoorAhead, Zelmo::kBrokenDoorBehind}) {
        for (int value : pattern(broken)) {
            EXPECT_TRUE(value == 0 || value == kRobotsOnly)
                << "data/tilecollision.json: broken door tile " << broken << " blocks the player with " << value;
        }
    }
    EXPECT_TRUE(all(3, 2)) << "data/tilecollision.json: a horizontal run is met from the north or south";
    EXPECT_TRUE(all(12, 1)) << "data/tilecollision.json: a vertical run is met from the west or east";
    for (int value : pattern(kMargin)) {
        EXPECT_TRUE(value != 0 && value != kRobotsOnly) << "data/tilecollision.json: the margin must stop everything";
    }
}

class LevelTileLint : public ShippedConfig {};

TEST_F(LevelTileLint, EveryLevelsCollisionDataLoadsOverItsTiles) {
    for (int index = 0; index < Zelmo::levelCount(); ++index) {
        const Zelmo::LevelEntry level = Zelmo::readLevel(index);
        Map::TileMap map(4, 4, level.params[6], level.params[7], level.params[12], 0, 0);
        Map::TileCollisionMap collision(map);
        EXPECT_TRUE(collision.load("data", level.collisionData))
            << "data/config: game.levels[" << index << "].collision_data \"" << level.collisionData
            << "\" does not load over " << (1 << level.params[6]) << " x " << (1 << level.params[7]) << " tiles";
    }
}

TEST_F(LevelTileLint, EveryLevelBuildsItsMazeAndTileMap) {
    for (int index = 0; index < Zelmo::levelCount(); ++index) {
        const Zelmo::LevelEntry level = Zelmo::readLevel(index);
        const auto& p = level.params;
        Maze::LevelParams params{p[0], p[1], p[2],  p[3],  p[4],  p[5],  p[6],  p[7],
                                 p[8], p[9], p[10], p[11], p[12], p[13], p[14], {}};
        for (const auto& cell : level.specialCells) {
            params.specialCells.push_back(cell.x);
            params.specialCells.push_back(cell.y);
        }
        // A level the generator refuses ends the process, so reaching the check is the check.
        std::unique_ptr<Maze::MazeData> maze;
        const auto map = Maze::buildLevelMap(params, &maze);
        ASSERT_NE(map, nullptr) << "data/config: game.levels[" << index << "]";
        EXPECT_NE(maze, nullptr) << "data/config: game.levels[" << index << "]";
    }
}

TEST_F(LevelTileLint, EveryLevelsAtlasIsRgbaWithEveryTileWhole) {
    for (int index = 0; index < Zelmo::levelCount(); ++index) {
        const Zelmo::LevelEntry level = Zelmo::readLevel(index);
        const std::string path = "data/" + level.tileAtlas;
        int width = 0;
        int height = 0;
        int channels = 0;
        ASSERT_TRUE(stbi_info(path.c_str(), &width, &height, &channels))
            << "data/config: game.levels[" << index << "].tile_atlas " << path << " is not an image";
        const int tileWidth = 1 << level.params[6];
        const int tileHeight = 1 << level.params[7];
        EXPECT_EQ(channels, 4) << path << ": the atlas is RGBA";
        EXPECT_TRUE(width % tileWidth == 0 && height % tileHeight == 0)
            << path << ": " << width << " x " << height << " is not whole " << tileWidth << " x " << tileHeight
            << " tiles";
        EXPECT_GT((width / tileWidth) * (height / tileHeight), kHighestTile)
            << path << ": every tile value up to " << kHighestTile << " needs a tile";
    }
}

}  // namespace
