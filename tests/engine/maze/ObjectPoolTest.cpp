#include "engine/maze/ObjectPool.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

// Counts how many of its kind are alive.
struct Counted {
    explicit Counted(int v, int& alive) : value(v), m_alive(alive) { ++m_alive; }
    ~Counted() { --m_alive; }
    int value;

private:
    int& m_alive;
};

TEST(ObjectPoolTest, ObjectsStayPutAndAreDestroyedOnceByWhoeverOwnsThePool) {
    int alive = 0;
    {
        Maze::ObjectPool<Counted> pool;
        std::vector<Counted*> made;
        for (int i = 0; i < 10000; ++i) made.push_back(pool.create(i, alive));
        EXPECT_EQ(pool.size(), 10000u);
        EXPECT_EQ(alive, 10000);
        for (int i = 0; i < 10000; ++i) ASSERT_EQ(made[size_t(i)]->value, i);

        Maze::ObjectPool<Counted> taker(std::move(pool));
        EXPECT_EQ(pool.size(), 0u);
        EXPECT_EQ(alive, 10000);
        EXPECT_EQ(made[9999]->value, 9999);

        Maze::ObjectPool<Counted> other;
        other.create(-1, alive);
        other = std::move(taker);  // the one object other held goes
        EXPECT_EQ(alive, 10000);
        EXPECT_EQ(other.size(), 10000u);

        pool.create(5, alive);  // a pool moved from is empty and usable
        EXPECT_EQ(alive, 10001);
        other.clear();
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

}  // namespace
