#include <flatbuffers/util.h>
#include <gtest/gtest.h>

#include <string>

#include "data/TileCollInfo_generated.h"
#include "engine/map/TileCollisionMap.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// A folder holding the real schema and whatever collision data a test writes next to it.
class CollisionData {
public:
    CollisionData() {
        std::string schema;
        EXPECT_TRUE(flatbuffers::LoadFile("data/TileCollInfo.fbs", false, &schema));
        m_folder.write("TileCollInfo.fbs", schema);
    }

    std::string folder() const { return m_folder.path("").substr(0, m_folder.path("").size() - 1); }
    void write(const std::string& name, const std::string& contents) const { m_folder.write(name, contents); }

private:
    TempFolder m_folder;
};

// Sub-shift 1 patterns: tile 3 counts up from 1, tile 4 from 11, tile 17 is a door run.
const char* const kTwoByTwo = R"({
  "sub_shift": 1, "tile_type_count": 31,
  "patterns": [
    { "tile_type": 3, "values": [1, 2, 3, 4] },
    { "tile_type": 4, "values": [11, 12, 13, 14] },
    { "tile_type": 17, "values": [4, 4, 4, 4] }
  ]
})";

class TileCollisionMapTest : public ::testing::Test {
protected:
    TileCollisionMapTest() : m_map(10, 8, 5, 5, 0x100, 0, 0) {}

    bool load(const std::string& json) {
        m_data.write("coll.json", json);
        return m_collision.load(m_data.folder(), "coll");
    }

    // The sub-cell block of tile (x, y), row by row.
    std::vector<int> block(int x, int y) const {
        const int count = 1 << m_collision.getSubShift();
        std::vector<int> values;
        for (int row = 0; row < count; ++row) {
            for (int column = 0; column < count; ++column) {
                values.push_back(m_collision.getValue((x << m_collision.getSubShift()) + column,
                                                      (y << m_collision.getSubShift()) + row));
            }
        }
        return values;
    }

    Map::TileMap m_map;
    Map::TileCollisionMap m_collision{m_map};
    CollisionData m_data;
};

TEST_F(TileCollisionMapTest, StampsEveryTileOfTheMapIntoTheFinerGrid) {
    m_map.setCell({3, 2, 3});
    m_map.setCell({9, 7, 4});
    ASSERT_TRUE(load(kTwoByTwo));
    EXPECT_EQ(m_collision.getSubShift(), 1);
    EXPECT_EQ(m_collision.getTileTypeCount(), 31);
    EXPECT_EQ(m_collision.getGridWidth(), 20);
    EXPECT_EQ(m_collision.getGridHeight(), 16);
    ASSERT_EQ(m_collision.getGrid().size(), 20u * 16u);
    // Tile (3, 2) covers sub-cells (6 .. 7, 4 .. 5), its pattern row by row.
    EXPECT_EQ(m_collision.getValue(6, 4), 1);
    EXPECT_EQ(m_collision.getValue(7, 4), 2);
    EXPECT_EQ(m_collision.getValue(6, 5), 3);
    EXPECT_EQ(m_collision.getValue(7, 5), 4);
    EXPECT_EQ(block(9, 7), (std::vector<int>{11, 12, 13, 14}));
    int nonZero = 0;
    for (uint16_t value : m_collision.getGrid()) nonZero += value != 0;
    EXPECT_EQ(nonZero, 8);
}

TEST_F(TileCollisionMapTest, ATileTypeWithoutAnEntryIsFree) {
    m_map.setCell({1, 1, 5});
    ASSERT_TRUE(load(kTwoByTwo));
    EXPECT_EQ(block(1, 1), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(TileCollisionMapTest, FlagBitsDoNotChooseThePattern) {
    m_map.setCell({2, 2, 0x100 | 3});
    ASSERT_TRUE(load(kTwoByTwo));
    EXPECT_EQ(block(2, 2), (std::vector<int>{1, 2, 3, 4}));
    m_map.setCell({2, 2, 0x100 | 4});
    EXPECT_EQ(block(2, 2), (std::vector<int>{11, 12, 13, 14}));
}

TEST_F(TileCollisionMapTest, ADoorChangeRestampsOnlyItsBlock) {
    for (int x = 0; x < 10; ++x) m_map.setCell({x, 4, 3});
    ASSERT_TRUE(load(kTwoByTwo));
    std::vector<uint16_t> expected = m_collision.getGrid();
    for (int row = 8; row < 10; ++row) {
        for (int column = 8; column < 12; ++column) expected[size_t(row) * 20 + size_t(column)] = 4;
    }
    m_map.setCells({{4, 4, 17}, {5, 4, 17}});
    EXPECT_EQ(m_collision.getGrid(), expected);
}

TEST_F(TileCollisionMapTest, TileIndexesWithoutAPatternAreFree) {
    m_map.setCell({0, 0, 3});
    m_map.setCell({1, 0, 3});
    ASSERT_TRUE(load(kTwoByTwo));
    m_map.setCells({{0, 0, 32}, {1, 0, -1}});
    EXPECT_EQ(block(0, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(block(1, 0), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(TileCollisionMapTest, PixelsOutsideTheMapReadAsTheOutsideValue) {
    m_map.setCell({9, 7, 4});
    ASSERT_TRUE(load(kTwoByTwo));
    // Tiles are 32 pixels, sub-cells 16: map pixels 0 .. 319 across, 0 .. 255 down.
    struct Case {
        int px, py, expected;
    } cases[] = {{0, 0, 0},   {319, 255, 14}, {288, 224, 11}, {-1, 0, 99},
                 {0, -1, 99}, {320, 0, 99},   {0, 256, 99},   {-100000, 100000, 99}};
    for (const Case& c : cases) {
        EXPECT_EQ(m_collision.valueAtPixel(c.px, c.py, 99), c.expected) << c.px << ", " << c.py;
    }
}

struct ShiftCase {
    int subShift;
    std::vector<int> stamped;  // the block of tile (1, 1)
};

class TileCollisionShiftTest : public TileCollisionMapTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(TileCollisionShiftTest, OnlyTheFirstSizeSquaredValuesAreStamped) {
    m_map.setCell({1, 1, 2});
    ASSERT_TRUE(load(R"({ "sub_shift": )" + std::to_string(GetParam().subShift) +
                     R"(, "tile_type_count": 2, "patterns": [
        { "tile_type": 2, "values": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16] } ] })"));
    EXPECT_EQ(m_collision.getGridWidth(), 10 << GetParam().subShift);
    EXPECT_EQ(block(1, 1), GetParam().stamped);
}

INSTANTIATE_TEST_SUITE_P(SubShifts, TileCollisionShiftTest,
                         ::testing::Values(ShiftCase{0, {1}}, ShiftCase{1, {1, 2, 3, 4}},
                                           ShiftCase{2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}));

TEST_F(TileCollisionMapTest, ShortPatternsEndInZerosAndValuesKeepTheirLow16Bits) {
    m_map.setCell({0, 0, 1});
    ASSERT_TRUE(load(R"({ "sub_shift": 1, "tile_type_count": 1, "patterns": [
        { "tile_type": 1, "values": [70000, -1] } ] })"));
    EXPECT_EQ(block(0, 0), (std::vector<int>{70000 & 0xffff, 0xffff, 0, 0}));
}

TEST_F(TileCollisionMapTest, EncodedDataLoadsLikeJson) {
    flatbuffers::FlatBufferBuilder builder;
    const std::vector<int32_t> values{7, 8, 9, 10};
    auto pattern = Map::CreateTileCollPattern(builder, 3, builder.CreateVector(values));
    builder.Finish(Map::CreateTileCollInfo(builder, 1, 3, builder.CreateVector(&pattern, 1)));
    m_data.write("coll.fb", std::string(reinterpret_cast<const char*>(builder.GetBufferPointer()), builder.GetSize()));
    m_map.setCell({5, 5, 3});
    ASSERT_TRUE(m_collision.load(m_data.folder(), "coll"));
    EXPECT_EQ(block(5, 5), (std::vector<int>{7, 8, 9, 10}));
}

TEST_F(TileCollisionMapTest, LoadingWatchesTheMapOnceAndDestructionStops) {
    {
        Map::TileCollisionMap collision(m_map);
        EXPECT_TRUE(m_map.getWatchers().empty());
        m_data.write("coll.json", kTwoByTwo);
        ASSERT_TRUE(collision.load(m_data.folder(), "coll"));
        ASSERT_TRUE(collision.load(m_data.folder(), "coll"));
        EXPECT_EQ(m_map.getWatchers(), std::vector<Map::IMapWatcher*>{&collision});
    }
    EXPECT_TRUE(m_map.getWatchers().empty());
}

struct BadData {
    const char* what;
    std::string json;
};

class TileCollisionBadDataTest : public TileCollisionMapTest, public ::testing::WithParamInterface<BadData> {};

TEST_P(TileCollisionBadDataTest, IsRefusedAndKeepsTheGrid) {
    m_map.setCell({3, 2, 3});
    ASSERT_TRUE(load(kTwoByTwo));
    const std::vector<uint16_t> before = m_collision.getGrid();
    EXPECT_FALSE(load(GetParam().json)) << GetParam().what;
    EXPECT_EQ(m_collision.getGrid(), before);
    EXPECT_EQ(m_collision.getSubShift(), 1);
    m_map.setCell({3, 2, 4});
    EXPECT_EQ(block(3, 2), (std::vector<int>{11, 12, 13, 14}));
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, TileCollisionBadDataTest,
    ::testing::Values(
        BadData{"sub-shift above 2", R"({ "sub_shift": 3, "tile_type_count": 1, "patterns": [] })"},
        BadData{"negative sub-shift", R"({ "sub_shift": -1, "tile_type_count": 1, "patterns": [] })"},
        BadData{"negative tile type count", R"({ "sub_shift": 1, "tile_type_count": -1, "patterns": [] })"},
        BadData{"huge tile type count", R"({ "sub_shift": 1, "tile_type_count": 2000000000, "patterns": [] })"},
        BadData{"tile type beyond the count",
                R"({ "sub_shift": 1, "tile_type_count": 4, "patterns": [ { "tile_type": 5, "values": [1] } ] })"},
        BadData{"negative tile type",
                R"({ "sub_shift": 1, "tile_type_count": 4, "patterns": [ { "tile_type": -1, "values": [1] } ] })"},
        BadData{"seventeen values", R"({ "sub_shift": 2, "tile_type_count": 4, "patterns": [
                  { "tile_type": 1, "values": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17] } ] })"},
        BadData{"no pattern list", R"({ "sub_shift": 1, "tile_type_count": 4 })"},
        BadData{"pattern without values",
                R"({ "sub_shift": 1, "tile_type_count": 4, "patterns": [ { "tile_type": 1 } ] })"},
        BadData{"not JSON", "sub_shift = 1"}),
    [](const ::testing::TestParamInfo<BadData>& info) {
        std::string name = info.param.what;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(TileCollisionMapTest, ASubShiftFinerThanThePixelsIsRefused) {
    Map::TileMap map(4, 4, 1, 3, 0, 0, 0);
    Map::TileCollisionMap collision(map);
    m_data.write("coll.json", R"({ "sub_shift": 2, "tile_type_count": 1, "patterns": [] })");
    EXPECT_FALSE(collision.load(m_data.folder(), "coll"));
    EXPECT_TRUE(map.getWatchers().empty());
}

using TileCollisionMapDeathTest = TileCollisionMapTest;

TEST_F(TileCollisionMapDeathTest, AMissingDataFileIsFatal) {
    EXPECT_EXIT(m_collision.load(m_data.folder(), "absent"), ::testing::ExitedWithCode(1),
                "^Failed to load: .*absent\n$");
}

}  // namespace
