#include <vector>

#include <gtest/gtest.h>

#include "engine/maze/PositionMap.h"

namespace {

// Positions of different lengths, with negative coordinates and ones that share hash values.
std::vector<Maze::Position> manyPositions() {
    std::vector<Maze::Position> positions{{}, {0}, {256, 100}, {0, 101}, {1, 2, 3, 4, 5}};
    for (int32_t y = -20; y < 40; ++y) {
        for (int32_t x = -10; x < 30; ++x) positions.push_back({x, y});
    }
    for (int32_t z = 0; z < 5; ++z) positions.push_back({3, 4, z});
    return positions;
}

TEST(PositionMapStorageTest, FindsEveryEntryThroughGrowthInTheOrderAdded) {
    const std::vector<Maze::Position> positions = manyPositions();
    std::vector<int> values(positions.size());
    Maze::PositionMap<int> map;
    for (size_t i = 0; i < positions.size(); ++i) {
        auto [it, added] = map.try_emplace(positions[i], &values[i]);
        ASSERT_TRUE(added) << i;
        EXPECT_EQ(it->second, &values[i]);
    }
    ASSERT_EQ(map.size(), positions.size());

    size_t index = 0;
    for (const auto& entry : map) {
        EXPECT_EQ(entry.first, positions[index]);
        EXPECT_EQ(entry.second, &values[index]);
        ++index;
    }
    for (size_t i = 0; i < positions.size(); ++i) {
        auto it = map.find(positions[i]);
        ASSERT_NE(it, map.end()) << i;
        EXPECT_EQ(it->second, &values[i]);
    }
    EXPECT_EQ(map.find({1000, 1000}), map.end());
    EXPECT_EQ(map.find({3, 4, 5}), map.end());
    EXPECT_EQ(map.find({-10}), map.end());
}

TEST(PositionMapStorageTest, AnExistingKeyKeepsItsOneEntry) {
    int first = 1, second = 2;
    Maze::PositionMap<int> map;
    map.reserve(3);
    map[{2, 3}] = &first;
    auto [it, added] = map.try_emplace({2, 3}, &second);
    EXPECT_FALSE(added);
    EXPECT_EQ(it->second, &first);
    map[{2, 3}] = &second;
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.find({2, 3})->second, &second);

    map.clear();
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(map.find({2, 3}), map.end());
    map[{2, 3}] = &first;
    EXPECT_EQ(map.find({2, 3})->second, &first);
}

}  // namespace
