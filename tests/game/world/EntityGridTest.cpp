#include <gtest/gtest.h>

#include <memory>

#include "engine/ecs/World.h"
#include "game/world/EntityGrid.h"

namespace {

using Zelmo::EntityGrid;

// A 1000 x 700 pixel level in 64-pixel cells: 16 columns (the last one partial) and 11 rows.
class EntityGridTest : public ::testing::Test {
protected:
    EntityGridTest() { m_grid.init(1000, 700, 6, 100); }

    ecs::Entity entity() { return m_world.createEntity(); }

    ecs::World m_world;
    EntityGrid m_grid;
};

TEST_F(EntityGridTest, CellCountsRoundUpSoTheWholeLevelIsCovered) {
    EXPECT_EQ(m_grid.columns(), 16);
    EXPECT_EQ(m_grid.rows(), 11);
    EXPECT_EQ(m_grid.cellOf(999, 699), 10 * 16 + 15);
    EXPECT_EQ(m_grid.cellOf(-50, -1), 0) << "points before the level are clamped";
    EXPECT_EQ(m_grid.cellOf(5000, 5000), 10 * 16 + 15) << "points beyond the level are clamped";
}

TEST_F(EntityGridTest, ABoxIsFoundByEveryBoxThatSharesAPointWithIt) {
    const ecs::Entity robot = entity();
    ASSERT_FALSE(m_grid.insert(robot, {100, 100, 20, 20}).isValid());
    struct Case {
        const char* what;
        IntBox query;
        bool found;
    } cases[] = {
        {"inside", {105, 105, 2, 2}, true},
        {"touching the right edge", {120, 110, 5, 5}, true},
        {"touching the top-left corner", {95, 95, 5, 5}, true},
        {"one pixel right of it", {121, 110, 5, 5}, false},
        {"one pixel below it", {100, 94, 5, 5}, false},
        {"covering it whole", {0, 0, 300, 300}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_grid.findOverlap(c.query) == robot, c.found) << c.what;
    }
}

TEST_F(EntityGridTest, AnEntityMeetingAnotherIsNotRegisteredAndLearnsWhoIsInTheWay) {
    const ecs::Entity first = entity();
    const ecs::Entity second = entity();
    ASSERT_FALSE(m_grid.insert(first, {60, 60, 10, 10}).isValid());
    EXPECT_EQ(m_grid.insert(second, {70, 65, 10, 10}), first);
    EXPECT_FALSE(m_grid.cellHolds(m_grid.cellOf(75, 70), second));
    EXPECT_FALSE(m_grid.findOverlap({78, 60, 1, 1}).isValid()) << "the refused box left no trace";
}

TEST_F(EntityGridTest, ABoxWiderThanACellIsFoundFromEveryCellItCovers) {
    // Drawn 2.4 times its shape's size, the boss spans four cells across and three down.
    const ecs::Entity boss = entity();
    const IntBox box{70, 70, 200, 150};
    ASSERT_FALSE(m_grid.insert(boss, box).isValid());
    for (int y = box.y; y <= box.y + box.h; y += 8) {
        for (int x = box.x; x <= box.x + box.w; x += 8) {
            ASSERT_EQ(m_grid.findOverlap({x, y, 1, 1}), boss) << x << ", " << y;
        }
    }
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 4; ++column) {
            EXPECT_TRUE(m_grid.cellHolds(row * 16 + column, boss)) << "cell " << column << ", " << row;
        }
    }
    // A small entity inside the middle of the boss meets it although no corner of the boss's
    // box lies in its cell.
    EXPECT_EQ(m_grid.insert(entity(), {160, 140, 4, 4}), boss);
}

TEST_F(EntityGridTest, AnEntityInTheLastPartialColumnAndRowIsFound) {
    const ecs::Entity robot = entity();
    ASSERT_FALSE(m_grid.insert(robot, {980, 680, 19, 19}).isValid());
    EXPECT_EQ(m_grid.findOverlap({990, 690, 2, 2}), robot);
    EXPECT_EQ(m_grid.findOverlap({995, 695, 40, 40}), robot) << "a query reaching beyond the level";
}

TEST_F(EntityGridTest, RemovalNeedsTheEntityInEveryCellOfTheBox) {
    const ecs::Entity player = entity();
    const IntBox box{120, 120, 20, 20};  // across four cells
    ASSERT_FALSE(m_grid.insert(player, box).isValid());
    EXPECT_FALSE(m_grid.remove(player, {120, 120, 20, 100})) << "a box reaching cells it is not in";
    EXPECT_EQ(m_grid.findOverlap(box), player);
    EXPECT_FALSE(m_grid.remove(entity(), box)) << "another entity";
    EXPECT_TRUE(m_grid.remove(player, box));
    EXPECT_FALSE(m_grid.findOverlap(box).isValid());
    const ecs::Entity next = entity();
    EXPECT_FALSE(m_grid.insert(next, box).isValid()) << "the freed place takes the next entity";
    EXPECT_EQ(m_grid.findOverlap(box), next);
}

TEST_F(EntityGridTest, ResetEmptiesEveryCellAndAFullGridLetsEntitiesPassUnseen) {
    EntityGrid small;
    small.init(1000, 700, 6, 1);  // four registrations
    const ecs::Entity first = entity();
    ASSERT_FALSE(small.insert(first, {120, 120, 20, 20}).isValid());
    EXPECT_FALSE(small.insert(entity(), {300, 300, 4, 4}).isValid());
    EXPECT_FALSE(small.findOverlap({300, 300, 4, 4}).isValid()) << "no room: not registered";
    small.reset();
    EXPECT_FALSE(small.findOverlap({120, 120, 20, 20}).isValid());
    const ecs::Entity second = entity();
    ASSERT_FALSE(small.insert(second, {300, 300, 4, 4}).isValid());
    EXPECT_EQ(small.findOverlap({300, 300, 4, 4}), second);
}

}  // namespace
