#include "engine/map/TileMap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Map {

bool operator==(const TileChange& a, const TileChange& b) { return a.x == b.x && a.y == b.y && a.value == b.value; }

}  // namespace Map

namespace {

using ::testing::ElementsAre;
using ::testing::InSequence;
using ::testing::Invoke;

class MockWatcher : public Map::I_MapWatcher {
public:
    MOCK_METHOD(void, cellsChanged, (const std::vector<Map::TileChange>&), (override));
    MOCK_METHOD(void, cellChanged, (const Map::TileChange&), (override));
};

TEST(TileMapTest, StartsZeroedAndKeepsItsConstructionValues) {
    Map::TileMap l_map(5, 3, 4, 5, 0x30, 7, -2);
    EXPECT_EQ(l_map.getWidth(), 5);
    EXPECT_EQ(l_map.getHeight(), 3);
    EXPECT_EQ(l_map.getTileShiftX(), 4);
    EXPECT_EQ(l_map.getTileShiftY(), 5);
    EXPECT_EQ(l_map.getTileFlagBits(), 0x30);
    EXPECT_EQ(l_map.getExtraValue1(), 7);
    EXPECT_EQ(l_map.getExtraValue2(), -2);
    EXPECT_EQ(l_map.getCells(), std::vector<int>(15, 0));
}

TEST(TileMapTest, SetCellStoresRowMajorAndTheMaskStripsFlags) {
    Map::TileMap l_map(5, 3, 4, 4, 0x30, 0, 0);
    l_map.setCell({3, 2, 0x35});
    EXPECT_EQ(l_map.getCells()[2 * 5 + 3], 0x35);
    EXPECT_EQ(l_map.getCell(3, 2), 0x35);
    EXPECT_EQ(l_map.getCell(2, 2), 0);
    EXPECT_EQ(l_map.getCell(3, 2) & l_map.getValueMask(), 0x05);
}

TEST(TileMapTest, WatchersHearEachWriteAfterItIsStoredInRegistrationOrder) {
    Map::TileMap l_map(4, 4, 4, 4, 0, 0, 0);
    MockWatcher l_first;
    MockWatcher l_second;
    l_map.addWatcher(&l_first);
    l_map.addWatcher(&l_second);
    const std::vector<Map::TileChange> l_batch{{0, 0, 1}, {3, 3, 2}, {0, 0, 5}};
    {
        InSequence l_order;
        EXPECT_CALL(l_first, cellChanged(Map::TileChange{1, 2, 9})).WillOnce(Invoke([&](const Map::TileChange&) {
            EXPECT_EQ(l_map.getCell(1, 2), 9);
        }));
        EXPECT_CALL(l_second, cellChanged(Map::TileChange{1, 2, 9}));
        EXPECT_CALL(l_first, cellsChanged(l_batch)).WillOnce(Invoke([&](const std::vector<Map::TileChange>&) {
            // The whole batch is stored, in list order, before anyone is told.
            EXPECT_EQ(l_map.getCell(0, 0), 5);
            EXPECT_EQ(l_map.getCell(3, 3), 2);
        }));
        EXPECT_CALL(l_second, cellsChanged(l_batch));
    }
    l_map.setCell({1, 2, 9});
    l_map.setCells(l_batch);
}

TEST(TileMapTest, AnEmptyBatchStillReachesEveryWatcherOnce) {
    Map::TileMap l_map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher l_watcher;
    l_map.addWatcher(&l_watcher);
    EXPECT_CALL(l_watcher, cellsChanged(ElementsAre())).Times(1);
    l_map.setCells({});
}

TEST(TileMapTest, AWatcherIsRegisteredOnceAndRemovalKeepsTheOthersInOrder) {
    Map::TileMap l_map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher l_a;
    MockWatcher l_b;
    MockWatcher l_c;
    l_map.addWatcher(&l_a);
    l_map.addWatcher(&l_b);
    l_map.addWatcher(&l_a);
    l_map.addWatcher(&l_c);
    EXPECT_THAT(l_map.getWatchers(), ElementsAre(&l_a, &l_b, &l_c));
    l_map.removeWatcher(&l_b);
    l_map.removeWatcher(&l_b);
    EXPECT_THAT(l_map.getWatchers(), ElementsAre(&l_a, &l_c));

    EXPECT_CALL(l_a, cellChanged(Map::TileChange{1, 1, 3})).Times(1);
    EXPECT_CALL(l_b, cellChanged).Times(0);
    EXPECT_CALL(l_c, cellChanged(Map::TileChange{1, 1, 3})).Times(1);
    l_map.setCell({1, 1, 3});
}

TEST(TileMapTest, AWatcherMayUnregisterItselfWhileBeingTold) {
    Map::TileMap l_map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher l_leaving;
    l_map.addWatcher(&l_leaving);
    EXPECT_CALL(l_leaving, cellChanged).WillOnce(Invoke([&](const Map::TileChange&) { l_map.removeWatcher(&l_leaving); }));
    l_map.setCell({0, 1, 4});
    EXPECT_TRUE(l_map.getWatchers().empty());
}

TEST(TileMapDeathTest, AWriteOutsideTheMapIsRefused) {
    Map::TileMap l_map(4, 3, 4, 4, 0, 0, 0);
    EXPECT_EXIT(l_map.setCell({4, 0, 1}), ::testing::ExitedWithCode(1), "TileMap: cell \\(4, 0\\) lies outside the 4 x 3 map");
    EXPECT_EXIT(l_map.setCells({{0, 0, 1}, {0, -1, 1}}), ::testing::ExitedWithCode(1),
                "TileMap: cell \\(0, -1\\) lies outside the 4 x 3 map");
}

}  // namespace
