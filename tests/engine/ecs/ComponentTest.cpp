#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/ecs/World.h"
#include "TestComponents.h"

namespace {

using ecstest::Health;
using ecstest::Position;
using ecstest::Tracked;
using ecstest::Velocity;

TEST(Components, AddGetHasRemove) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    EXPECT_FALSE(e.has<Position>());

    Position& p = e.add<Position>(Position{3.0f, 4.0f});
    EXPECT_TRUE(e.has<Position>());
    EXPECT_FALSE(e.has<Velocity>());
    EXPECT_EQ(&e.get<Position>(), &p);
    EXPECT_EQ(e.get<Position>().y, 4.0f);

    e.remove<Position>();
    EXPECT_FALSE(e.has<Position>());
    e.remove<Position>();  // nothing left to remove
    EXPECT_FALSE(e.has<Position>());
}

TEST(Components, AddingAgainReplacesAndMayCopyTheOldOne) {
    Tracked::live = 0;
    {
        ecs::World world;
        ecs::Entity e = world.createEntity();
        e.add<Tracked>(std::vector<int>{1, 2, 3});
        Tracked& copy = e.add<Tracked>(e.get<Tracked>());
        EXPECT_EQ(Tracked::live, 1);
        EXPECT_EQ(copy.values, (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(&e.get<Tracked>(), &copy);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(Components, KillDestroysComponentsAtRefreshAndWorldDestroysTheRest) {
    Tracked::live = 0;
    {
        ecs::World world;
        ecs::Entity doomed = world.createEntity();
        doomed.add<Tracked>();
        ecs::Entity kept = world.createEntity();
        kept.add<Tracked>();
        kept.add<Position>();

        doomed.kill();
        EXPECT_EQ(Tracked::live, 2);
        world.refresh();
        EXPECT_EQ(Tracked::live, 1);
        kept.remove<Tracked>();
        EXPECT_EQ(Tracked::live, 0);
        kept.add<Tracked>();
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(Components, AddressesStayPutWhileOtherEntitiesComeAndGo) {
    ecs::World world;
    std::vector<ecs::Entity> watched;
    std::vector<const Position*> addresses;
    for (int i = 0; i < 100; ++i) {
        ecs::Entity e = world.createEntity();
        e.add<Position>(Position{float(i), float(-i)});
        e.add<Health>();
        e.activate();
        watched.push_back(e);
        addresses.push_back(&e.get<Position>());
    }
    world.refresh();

    // Enough churn to grow the pools by many chunks and to reuse freed slots.
    for (int round = 0; round < 20; ++round) {
        std::vector<ecs::Entity> others;
        for (int i = 0; i < 2000; ++i) {
            ecs::Entity e = world.createEntity();
            e.add<Position>();
            e.add<Velocity>();
            e.activate();
            others.push_back(e);
        }
        world.refresh();
        for (std::size_t i = 0; i < others.size(); ++i) {
            if (i % 3 == 0) {
                others[i].remove<Position>();
            } else {
                others[i].kill();
            }
        }
        watched[round].remove<Health>();
        world.refresh();
    }

    for (std::size_t i = 0; i < watched.size(); ++i) {
        ASSERT_EQ(&watched[i].get<Position>(), addresses[i]) << i;
        EXPECT_EQ(watched[i].get<Position>().x, float(i));
        EXPECT_EQ(watched[i].get<Position>().y, -float(i));
    }
}

struct alignas(64) Wide {
    std::uint8_t bytes[100] = {};
};

TEST(Components, OverAlignedComponentsAreAligned) {
    ecs::World world;
    for (int i = 0; i < 50; ++i) {
        const Wide& w = world.createEntity().add<Wide>();
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&w) % alignof(Wide), 0u);
    }
}

struct Empty {};

TEST(Components, EmptyMarkerComponents) {
    ecs::World world;
    ecs::Entity a = world.createEntity();
    ecs::Entity b = world.createEntity();
    a.add<Empty>();
    b.add<Empty>();
    EXPECT_NE(&a.get<Empty>(), &b.get<Empty>());
    a.remove<Empty>();
    EXPECT_FALSE(a.has<Empty>());
    EXPECT_TRUE(b.has<Empty>());
}

}  // namespace
