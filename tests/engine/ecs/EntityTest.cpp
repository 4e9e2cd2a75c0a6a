#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "engine/ecs/World.h"
#include "TestComponents.h"

namespace {

using ecstest::Health;
using ecstest::Position;

TEST(EntityHandle, DefaultHandleBelongsToNoWorldAndIgnoresRequests) {
    ecs::Entity none;
    EXPECT_FALSE(none.isValid());
    EXPECT_FALSE(none.isActivated());
    EXPECT_FALSE(none.has<Position>());
    none.activate();
    none.deactivate();
    none.kill();
    none.remove<Position>();
    EXPECT_EQ(none, ecs::Entity());
}

TEST(EntityHandle, ActivationTakesEffectAtRefresh) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    EXPECT_TRUE(e.isValid());
    EXPECT_FALSE(e.isActivated());

    e.activate();
    EXPECT_FALSE(e.isActivated());
    world.refresh();
    EXPECT_TRUE(e.isActivated());

    e.deactivate();
    EXPECT_TRUE(e.isActivated());
    world.refresh();
    EXPECT_FALSE(e.isActivated());
    EXPECT_TRUE(e.isValid());

    e.activate();
    world.refresh();
    EXPECT_TRUE(e.isActivated());
}

TEST(EntityHandle, KilledEntityStaysUsableUntilRefreshThenEveryCopyIsStale) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    e.add<Health>().points = 7;
    e.activate();
    world.refresh();
    const ecs::Entity copy = e;

    e.kill();
    EXPECT_TRUE(copy.isValid());
    EXPECT_EQ(copy.get<Health>().points, 7);
    EXPECT_EQ(world.entityCount(), 1u);

    world.refresh();
    EXPECT_FALSE(copy.isValid());
    EXPECT_FALSE(copy.isActivated());
    EXPECT_FALSE(copy.has<Health>());
    EXPECT_EQ(world.entityCount(), 0u);
}

TEST(EntityHandle, StaleHandleCannotTouchTheSlotsNextOccupant) {
    ecs::World world;
    ecs::Entity old = world.createEntity();
    old.kill();
    world.refresh();

    ecs::Entity fresh = world.createEntity();
    ASSERT_EQ(fresh.index(), old.index());
    EXPECT_NE(fresh.generation(), old.generation());
    EXPECT_NE(fresh, old);
    fresh.add<Health>();
    fresh.activate();
    world.refresh();

    old.kill();
    old.deactivate();
    old.remove<Health>();
    world.refresh();
    EXPECT_FALSE(old.isValid());
    EXPECT_FALSE(old.has<Health>());
    EXPECT_TRUE(fresh.isActivated());
    EXPECT_TRUE(fresh.has<Health>());
}

TEST(EntityHandle, KillingTwiceOrKillingANeverActivatedEntityIsHarmless) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    e.add<Position>();
    e.kill();
    e.kill();
    world.refresh();
    e.kill();
    world.refresh();
    EXPECT_EQ(world.entityCount(), 0u);
    // The slot went back to the free list once only.
    EXPECT_NE(world.createEntity().index(), world.createEntity().index());
}

// The last request before a refresh decides, except that a kill cannot be taken back.
struct RequestCase {
    const char* name;
    bool startActivated;
    std::vector<char> requests;  // 'a' activate, 'd' deactivate, 'k' kill
    bool valid;
    bool activated;
};

void PrintTo(const RequestCase& c, std::ostream* os) {
    *os << c.name;
}

class EntityRequests : public ::testing::TestWithParam<RequestCase> {};

TEST_P(EntityRequests, LastRequestWinsAndKillIsFinal) {
    const RequestCase& c = GetParam();
    ecs::World world;
    ecs::Entity e = world.createEntity();
    if (c.startActivated) {
        e.activate();
        world.refresh();
    }
    for (char r : c.requests) {
        if (r == 'a') e.activate();
        if (r == 'd') e.deactivate();
        if (r == 'k') e.kill();
    }
    world.refresh();
    EXPECT_EQ(e.isValid(), c.valid);
    EXPECT_EQ(e.isActivated(), c.activated);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntityRequests,
    ::testing::Values(RequestCase{"ActivateThenDeactivate", false, {'a', 'd'}, true, false},
                      RequestCase{"DeactivateThenActivate", true, {'d', 'a'}, true, true},
                      RequestCase{"ActivateTwice", false, {'a', 'a'}, true, true},
                      RequestCase{"KillThenActivate", true, {'k', 'a'}, false, false},
                      RequestCase{"ActivateThenKill", false, {'a', 'k'}, false, false},
                      RequestCase{"NoRequest", true, {}, true, true}),
    [](const ::testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

using EntityDeathTest = ::testing::Test;

TEST_F(EntityDeathTest, GettingAMissingComponentStops) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    e.add<Position>();
    EXPECT_EXIT(e.get<Health>(), ::testing::ExitedWithCode(1),
                "ecs: the entity has no component of type");
}

TEST_F(EntityDeathTest, UsingComponentsOfAStaleHandleStops) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    e.add<Position>();
    e.kill();
    world.refresh();
    EXPECT_EXIT(e.get<Position>(), ::testing::ExitedWithCode(1),
                "ecs: cannot get a component of an invalid entity");
    EXPECT_EXIT(e.add<Position>(), ::testing::ExitedWithCode(1),
                "ecs: cannot add a component to an invalid entity");
    EXPECT_EXIT(ecs::Entity().get<Position>(), ::testing::ExitedWithCode(1),
                "ecs: cannot get a component of an invalid entity");
}

}  // namespace
