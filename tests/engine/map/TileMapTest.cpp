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

class MockWatcher : public Map::IMapWatcher {
public:
    MOCK_METHOD(void, cellsChanged, (const std::vector<Map::TileChange>&), (override));
    MOCK_METHOD(void, cellChanged, (const Map::TileChange&), (override));
};

TEST(TileMapTest, StartsZeroedAndKeepsItsConstructionValues) {
    Map::TileMap map(5, 3, 4, 5, 0x30, 7, -2);
    EXPECT_EQ(map.getWidth(), 5);
    EXPECT_EQ(map.getHeight(), 3);
    EXPECT_EQ(map.getTileShiftX(), 4);
    EXPECT_EQ(map.getTileShiftY(), 5);
    EXPECT_EQ(map.getTileFlagBits(), 0x30);
    EXPECT_EQ(map.getExtraValue1(), 7);
    EXPECT_EQ(map.getExtraValue2(), -2);
    EXPECT_EQ(map.getCells(), std::vector<int>(15, 0));
}

TEST(TileMapTest, SetCellStoresRowMajorAndTheMaskStripsFlags) {
    Map::TileMap map(5, 3, 4, 4, 0x30, 0, 0);
    map.setCell({3, 2, 0x35});
    EXPECT_EQ(map.getCells()[2 * 5 + 3], 0x35);
    EXPECT_EQ(map.getCell(3, 2), 0x35);
    EXPECT_EQ(map.getCell(2, 2), 0);
    EXPECT_EQ(map.getCell(3, 2) & map.getValueMask(), 0x05);
}

TEST(TileMapTest, WatchersHearEachWriteAfterItIsStoredInRegistrationOrder) {
    Map::TileMap map(4, 4, 4, 4, 0, 0, 0);
    MockWatcher first;
    MockWatcher second;
    map.addWatcher(&first);
    map.addWatcher(&second);
    const std::vector<Map::TileChange> batch{{0, 0, 1}, {3, 3, 2}, {0, 0, 5}};
    {
        InSequence order;
        EXPECT_CALL(first, cellChanged(Map::TileChange{1, 2, 9})).WillOnce(Invoke([&](const Map::TileChange&) {
            EXPECT_EQ(map.getCell(1, 2), 9);
        }));
        EXPECT_CALL(second, cellChanged(Map::TileChange{1, 2, 9}));
        EXPECT_CALL(first, cellsChanged(batch)).WillOnce(Invoke([&](const std::vector<Map::TileChange>&) {
            // The whole batch is stored, in list order, before anyone is told.
            EXPECT_EQ(map.getCell(0, 0), 5);
            EXPECT_EQ(map.getCell(3, 3), 2);
        }));
        EXPECT_CALL(second, cellsChanged(batch));
    }
    map.setCell({1, 2, 9});
    map.setCells(batch);
}

TEST(TileMapTest, AnEmptyBatchStillReachesEveryWatcherOnce) {
    Map::TileMap map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher watcher;
    map.addWatcher(&watcher);
    EXPECT_CALL(watcher, cellsChanged(ElementsAre())).Times(1);
    map.setCells({});
}

TEST(TileMapTest, AWatcherIsRegisteredOnceAndRemovalKeepsTheOthersInOrder) {
    Map::TileMap map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher a;
    MockWatcher b;
    MockWatcher c;
    map.addWatcher(&a);
    map.addWatcher(&b);
    map.addWatcher(&a);
    map.addWatcher(&c);
    EXPECT_THAT(map.getWatchers(), ElementsAre(&a, &b, &c));
    map.removeWatcher(&b);
    map.removeWatcher(&b);
    EXPECT_THAT(map.getWatchers(), ElementsAre(&a, &c));

    EXPECT_CALL(a, cellChanged(Map::TileChange{1, 1, 3})).Times(1);
    EXPECT_CALL(b, cellChanged).Times(0);
    EXPECT_CALL(c, cellChanged(Map::TileChange{1, 1, 3})).Times(1);
    map.setCell({1, 1, 3});
}

TEST(TileMapTest, AWatcherMayUnregisterItselfWhileBeingTold) {
    Map::TileMap map(2, 2, 4, 4, 0, 0, 0);
    MockWatcher leaving;
    map.addWatcher(&leaving);
    EXPECT_CALL(leaving, cellChanged).WillOnce(Invoke([&](const Map::TileChange&) { map.removeWatcher(&leaving); }));
    map.setCell({0, 1, 4});
    EXPECT_TRUE(map.getWatchers().empty());
}

TEST(TileMapDeathTest, AWriteOutsideTheMapIsRefused) {
    Map::TileMap map(4, 3, 4, 4, 0, 0, 0);
    EXPECT_EXIT(map.setCell({4, 0, 1}), ::testing::ExitedWithCode(1),
                "TileMap: cell \\(4, 0\\) lies outside the 4 x 3 map");
    EXPECT_EXIT(map.setCells({{0, 0, 1}, {0, -1, 1}}), ::testing::ExitedWithCode(1),
                "TileMap: cell \\(0, -1\\) lies outside the 4 x 3 map");
}

}  // namespace
