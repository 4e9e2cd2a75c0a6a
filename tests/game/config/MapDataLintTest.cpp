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
        std::string l_json;
        ASSERT_TRUE(flatbuffers::LoadFile("data/tilecollision.json", false, &l_json)) << "data/tilecollision.json";
        ASSERT_NE(m_info.storeData(l_json, false), nullptr)
            << "data/tilecollision.json: " << m_info.getParser()->error_;
        m_root = Map::GetTileCollInfo(m_info.data());
    }

    // The values of a tile type's pattern; zeros for a type without an entry.
    std::vector<int> pattern(int tileType) const {
        std::vector<int> l_values(size_t(1) << (2 * m_root->sub_shift()), 0);
        for (const Map::TileCollPattern* l_pPattern : *m_root->patterns()) {
            if (l_pPattern->tile_type() != tileType) continue;
            for (flatbuffers::uoffset_t l_i = 0; l_i < l_pPattern->values()->size() && l_i < l_values.size(); ++l_i) {
                l_values[l_i] = l_pPattern->values()->Get(l_i);
            }
        }
        return l_values;
    }

    Game::Info m_info;
    const Map::TileCollInfo* m_root = nullptr;
};

TEST_F(CollisionLint, RangesAndPatternSizes) {
    const int l_subShift = m_root->sub_shift();
    EXPECT_TRUE(l_subShift >= 0 && l_subShift <= Map::TileCollisionMap::kMaxSubShift)
        << "data/tilecollision.json: sub_shift " << l_subShift;
    EXPECT_GE(m_root->tile_type_count(), kHighestTile) << "data/tilecollision.json: tile_type_count";
    std::set<int> l_types;
    for (flatbuffers::uoffset_t l_i = 0; l_i < m_root->patterns()->size(); ++l_i) {
        const Map::TileCollPattern* l_pPattern = m_root->patterns()->Get(l_i);
        const int l_type = l_pPattern->tile_type();
        EXPECT_TRUE(l_type >= 0 && l_type <= m_root->tile_type_count())
            << "data/tilecollision.json: patterns[" << l_i << "].tile_type " << l_type;
        EXPECT_TRUE(l_types.insert(l_type).second) << "data/tilecollision.json: tile type " << l_type << " twice";
        EXPECT_EQ(l_pPattern->values()->size(), 1u << (2 * l_subShift))
            << "data/tilecollision.json: patterns[" << l_i << "] needs one value per sub-cell";
        for (const int32_t l_value : *l_pPattern->values()) {
            EXPECT_TRUE(l_value >= 0 && l_value <= 0xffff)
                << "data/tilecollision.json: patterns[" << l_i << "] value " << l_value << " is not 16-bit";
        }
    }
}

TEST_F(CollisionLint, TheGameTilesCollideAsTheGameExpects) {
    auto l_all = [&](int tileType, int value) {
        return pattern(tileType) == std::vector<int>(pattern(tileType).size(), value);
    };
    EXPECT_TRUE(l_all(0, 0)) << "data/tilecollision.json: the floor must be free";
    for (int l_door : kDoorTiles) {
        EXPECT_TRUE(l_all(l_door, kDoor)) << "data/tilecollision.json: door tile " << l_door << " must be all 4";
    }
    for (int l_floor : kRoomFloors) {
        EXPECT_TRUE(l_all(l_floor, kRobotsOnly))
            << "data/tilecollision.json: room floor " << l_floor << " must be all 5";
    }
    // Walls block whole; their values tell a bouncing robot which face it met (1 west or east,
    // 2 north or south, 3 a corner), so a pure run shows one kind of face.
    for (int l_wall = 1; l_wall <= 15; ++l_wall) {
        for (int l_value : pattern(l_wall)) {
            EXPECT_TRUE(l_value >= 1 && l_value <= 3)
                << "data/tilecollision.json: wall tile " << l_wall << " value " << l_value;
        }
    }
    EXPECT_TRUE(l_all(3, 2)) << "data/tilecollision.json: a horizontal run is met from the north or south";
    EXPECT_TRUE(l_all(12, 1)) << "data/tilecollision.json: a vertical run is met from the west or east";
    for (int l_value : pattern(kMargin)) {
        EXPECT_TRUE(l_value != 0 && l_value != kRobotsOnly)
            << "data/tilecollision.json: the margin must stop everything";
    }
}

class LevelTileLint : public ShippedConfig {};

TEST_F(LevelTileLint, EveryLevelsCollisionDataLoadsOverItsTiles) {
    for (int l_index = 0; l_index < Zelmo::levelCount(); ++l_index) {
        const Zelmo::LevelEntry l_level = Zelmo::readLevel(l_index);
        Map::TileMap l_map(4, 4, l_level.params[6], l_level.params[7], l_level.params[12], 0, 0);
        Map::TileCollisionMap l_collision(l_map);
        EXPECT_TRUE(l_collision.load("data", l_level.collisionData))
            << "data/config: game.levels[" << l_index << "].collision_data \"" << l_level.collisionData
            << "\" does not load over " << (1 << l_level.params[6]) << " x " << (1 << l_level.params[7]) << " tiles";
    }
}

TEST_F(LevelTileLint, EveryLevelBuildsItsMazeAndTileMap) {
    for (int l_index = 0; l_index < Zelmo::levelCount(); ++l_index) {
        const Zelmo::LevelEntry l_level = Zelmo::readLevel(l_index);
        const auto& p = l_level.params;
        Maze::LevelParams l_params{p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7],
                                   p[8], p[9], p[10], p[11], p[12], p[13], p[14], {}};
        for (const auto& l_cell : l_level.specialCells) {
            l_params.specialCells.push_back(l_cell.x);
            l_params.specialCells.push_back(l_cell.y);
        }
        // A level the generator refuses ends the process, so reaching the check is the check.
        std::unique_ptr<Maze::MazeData> l_maze;
        const auto l_map = Maze::buildLevelMap(l_params, &l_maze);
        ASSERT_NE(l_map, nullptr) << "data/config: game.levels[" << l_index << "]";
        EXPECT_NE(l_maze, nullptr) << "data/config: game.levels[" << l_index << "]";
    }
}

TEST_F(LevelTileLint, EveryLevelsAtlasIsRgbaWithEveryTileWhole) {
    for (int l_index = 0; l_index < Zelmo::levelCount(); ++l_index) {
        const Zelmo::LevelEntry l_level = Zelmo::readLevel(l_index);
        const std::string l_path = "data/" + l_level.tileAtlas;
        int l_width = 0;
        int l_height = 0;
        int l_channels = 0;
        ASSERT_TRUE(stbi_info(l_path.c_str(), &l_width, &l_height, &l_channels))
            << "data/config: game.levels[" << l_index << "].tile_atlas " << l_path << " is not an image";
        const int l_tileWidth = 1 << l_level.params[6];
        const int l_tileHeight = 1 << l_level.params[7];
        EXPECT_EQ(l_channels, 4) << l_path << ": the atlas is RGBA";
        EXPECT_TRUE(l_width % l_tileWidth == 0 && l_height % l_tileHeight == 0)
            << l_path << ": " << l_width << " x " << l_height << " is not whole " << l_tileWidth << " x "
            << l_tileHeight << " tiles";
        EXPECT_GT((l_width / l_tileWidth) * (l_height / l_tileHeight), kHighestTile)
            << l_path << ": every tile value up to " << kHighestTile << " needs a tile";
    }
}

}  // namespace
