#include <vector>

#include <gtest/gtest.h>

#include "engine/maze/PositionMap.h"

namespace {

// Positions of different lengths, with negative coordinates and ones that share hash values.
std::vector<Maze::Position> manyPositions() {
    std::vector<Maze::Position> l_positions{{}, {0}, {256, 100}, {0, 101}, {1, 2, 3, 4, 5}};
    for (int32_t l_y = -20; l_y < 40; ++l_y) {
        for (int32_t l_x = -10; l_x < 30; ++l_x) l_positions.push_back({l_x, l_y});
    }
    for (int32_t l_z = 0; l_z < 5; ++l_z) l_positions.push_back({3, 4, l_z});
    return l_positions;
}

TEST(PositionMapStorageTest, FindsEveryEntryThroughGrowthInTheOrderAdded) {
    const std::vector<Maze::Position> l_positions = manyPositions();
    std::vector<int> l_values(l_positions.size());
    Maze::PositionMap<int> l_map;
    for (size_t l_i = 0; l_i < l_positions.size(); ++l_i) {
        auto [l_it, l_added] = l_map.try_emplace(l_positions[l_i], &l_values[l_i]);
        ASSERT_TRUE(l_added) << l_i;
        EXPECT_EQ(l_it->second, &l_values[l_i]);
    }
    ASSERT_EQ(l_map.size(), l_positions.size());

    size_t l_index = 0;
    for (const auto& l_entry : l_map) {
        EXPECT_EQ(l_entry.first, l_positions[l_index]);
        EXPECT_EQ(l_entry.second, &l_values[l_index]);
        ++l_index;
    }
    for (size_t l_i = 0; l_i < l_positions.size(); ++l_i) {
        auto l_it = l_map.find(l_positions[l_i]);
        ASSERT_NE(l_it, l_map.end()) << l_i;
        EXPECT_EQ(l_it->second, &l_values[l_i]);
    }
    EXPECT_EQ(l_map.find({1000, 1000}), l_map.end());
    EXPECT_EQ(l_map.find({3, 4, 5}), l_map.end());
    EXPECT_EQ(l_map.find({-10}), l_map.end());
}

TEST(PositionMapStorageTest, AnExistingKeyKeepsItsOneEntry) {
    int l_first = 1, l_second = 2;
    Maze::PositionMap<int> l_map;
    l_map.reserve(3);
    l_map[{2, 3}] = &l_first;
    auto [l_it, l_added] = l_map.try_emplace({2, 3}, &l_second);
    EXPECT_FALSE(l_added);
    EXPECT_EQ(l_it->second, &l_first);
    l_map[{2, 3}] = &l_second;
    EXPECT_EQ(l_map.size(), 1u);
    EXPECT_EQ(l_map.find({2, 3})->second, &l_second);

    l_map.clear();
    EXPECT_TRUE(l_map.empty());
    EXPECT_EQ(l_map.find({2, 3}), l_map.end());
    l_map[{2, 3}] = &l_first;
    EXPECT_EQ(l_map.find({2, 3})->second, &l_first);
}

}  // namespace
