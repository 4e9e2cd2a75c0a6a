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
    int l_alive = 0;
    {
        Maze::ObjectPool<Counted> l_pool;
        std::vector<Counted*> l_made;
        for (int l_i = 0; l_i < 10000; ++l_i) l_made.push_back(l_pool.create(l_i, l_alive));
        EXPECT_EQ(l_pool.size(), 10000u);
        EXPECT_EQ(l_alive, 10000);
        for (int l_i = 0; l_i < 10000; ++l_i) ASSERT_EQ(l_made[size_t(l_i)]->value, l_i);

        Maze::ObjectPool<Counted> l_taker(std::move(l_pool));
        EXPECT_EQ(l_pool.size(), 0u);
        EXPECT_EQ(l_alive, 10000);
        EXPECT_EQ(l_made[9999]->value, 9999);

        Maze::ObjectPool<Counted> l_other;
        l_other.create(-1, l_alive);
        l_other = std::move(l_taker);  // the one object l_other held goes
        EXPECT_EQ(l_alive, 10000);
        EXPECT_EQ(l_other.size(), 10000u);

        l_pool.create(5, l_alive);  // a pool moved from is empty and usable
        EXPECT_EQ(l_alive, 10001);
        l_other.clear();
        EXPECT_EQ(l_alive, 1);
    }
    EXPECT_EQ(l_alive, 0);
}

}  // namespace
