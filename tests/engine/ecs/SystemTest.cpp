#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/ecs/System.h"
#include "engine/ecs/World.h"
#include "TestComponents.h"

namespace {

using ecstest::Health;
using ecstest::Position;
using ecstest::Velocity;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MovementSys : public ecs::System {
public:
    MovementSys() : System(ecs::componentMask<Position, Velocity>()) {}
};

class HealthSys : public ecs::System {
public:
    HealthSys() : System(ecs::componentMask<Health>()) {}
};

class SystemFixture : public ::testing::Test {
protected:
    SystemFixture() {
        world.addSystem(movement);
        world.addSystem(health);
    }

    ecs::Entity spawn(bool withVelocity, bool withHealth) {
        ecs::Entity e = world.createEntity();
        e.add<Position>();
        if (withVelocity) e.add<Velocity>();
        if (withHealth) e.add<Health>();
        e.activate();
        return e;
    }

    MovementSys movement;
    HealthSys health;
    ecs::World world;
};

TEST_F(SystemFixture, EntitiesJoinTheSystemsWhoseComponentsTheyHold) {
    ecs::Entity walker = spawn(true, false);
    ecs::Entity both = spawn(true, true);
    ecs::Entity wounded = spawn(false, true);
    EXPECT_THAT(movement.entities(), IsEmpty());

    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(walker, both));
    EXPECT_THAT(health.entities(), ElementsAre(both, wounded));
}

TEST_F(SystemFixture, ComponentChangesCountOnceActivatedAndRefreshed) {
    ecs::Entity e = spawn(false, false);
    world.refresh();
    EXPECT_THAT(movement.entities(), IsEmpty());

    e.add<Velocity>();
    world.refresh();
    EXPECT_THAT(movement.entities(), IsEmpty());
    e.activate();
    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(e));

    e.remove<Velocity>();
    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(e));  // holds it until told
    EXPECT_FALSE(e.has<Velocity>());
    e.activate();
    world.refresh();
    EXPECT_THAT(movement.entities(), IsEmpty());
}

TEST_F(SystemFixture, DeactivateAndActivateRoundTrip) {
    ecs::Entity a = spawn(true, true);
    ecs::Entity b = spawn(true, true);
    world.refresh();
    Position* kept = &a.get<Position>();

    a.deactivate();
    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(b));
    EXPECT_THAT(health.entities(), ElementsAre(b));
    EXPECT_TRUE(a.has<Position>());

    a.activate();
    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(b, a));
    EXPECT_THAT(health.entities(), ElementsAre(b, a));
    EXPECT_EQ(&a.get<Position>(), kept);
}

TEST_F(SystemFixture, LeavingKeepsTheOrderOfTheOthers) {
    std::vector<ecs::Entity> all;
    for (int i = 0; i < 6; ++i) all.push_back(spawn(true, false));
    world.refresh();
    all[1].kill();
    all[4].deactivate();
    world.refresh();
    EXPECT_THAT(movement.entities(), ElementsAre(all[0], all[2], all[3], all[5]));
}

TEST_F(SystemFixture, RefreshDuringAPassLeavesTheCopyIntact) {
    std::vector<ecs::Entity> all;
    for (int i = 0; i < 10; ++i) all.push_back(spawn(true, true));
    world.refresh();

    std::vector<ecs::Entity> visited;
    const std::vector<ecs::Entity> pass = movement.entities();
    for (const ecs::Entity& e : pass) {
        if (!e.isValid() || !e.has<Velocity>()) continue;
        visited.push_back(e);
        if (e == all[2]) {
            all[5].kill();
            all[7].remove<Velocity>();
            all[7].activate();
            spawn(true, false);
            world.refresh();
        }
        e.get<Position>().x += e.get<Velocity>().dx;
    }

    EXPECT_EQ(pass.size(), 10u);
    EXPECT_EQ(visited.size(), 8u);
    EXPECT_EQ(movement.entities().size(), 9u);
    EXPECT_EQ(health.entities().size(), 9u);
}

TEST_F(SystemFixture, AddedSystemTakesInTheActivatedEntitiesAtOnce) {
    ecs::Entity on = spawn(true, false);
    ecs::Entity off = spawn(true, false);
    world.refresh();
    off.deactivate();
    world.refresh();

    MovementSys late;
    world.addSystem(late);
    world.addSystem(late);
    EXPECT_THAT(late.entities(), ElementsAre(on));
}

TEST_F(SystemFixture, RemovedSystemForgetsTheWorld) {
    spawn(true, true);
    world.refresh();
    world.removeSystem(movement);
    EXPECT_FALSE(movement.hasWorld());
    EXPECT_THAT(movement.entities(), IsEmpty());
    spawn(true, true);
    world.refresh();
    EXPECT_THAT(movement.entities(), IsEmpty());
    EXPECT_EQ(health.entities().size(), 2u);
}

TEST_F(SystemFixture, SystemDestroyedBeforeItsWorldLeavesIt) {
    auto temporary = std::make_unique<HealthSys>();
    world.addSystem(*temporary);
    spawn(false, true);
    world.refresh();
    EXPECT_EQ(temporary->entities().size(), 1u);
    temporary.reset();
    spawn(false, true);
    world.refresh();
    EXPECT_EQ(health.entities().size(), 2u);
}

TEST(SystemLifetime, SystemsOutliveTheirWorldAndJoinTheNext) {
    MovementSys movement;
    HealthSys health;
    for (int level = 0; level < 3; ++level) {
        auto world = std::make_unique<ecs::World>();
        world->addSystem(movement);
        world->addSystem(health);
        EXPECT_EQ(&movement.world(), world.get());
        for (int i = 0; i <= level; ++i) {
            ecs::Entity e = world->createEntity();
            e.add<Position>();
            e.add<Velocity>();
            e.activate();
        }
        world->refresh();
        EXPECT_EQ(movement.entities().size(), std::size_t(level + 1));
        EXPECT_THAT(health.entities(), IsEmpty());
        world.reset();
        EXPECT_FALSE(movement.hasWorld());
        EXPECT_THAT(movement.entities(), IsEmpty());
    }
}

TEST(SystemLifetime, AddingToAnotherWorldLeavesTheFirst) {
    ecs::World first;
    ecs::World second;
    HealthSys health;
    first.addSystem(health);
    ecs::Entity e = first.createEntity();
    e.add<Health>();
    e.activate();
    first.refresh();
    ASSERT_EQ(health.entities().size(), 1u);

    second.addSystem(health);
    EXPECT_EQ(&health.world(), &second);
    EXPECT_THAT(health.entities(), IsEmpty());
    first.removeSystem(health);  // not first's any more: nothing happens
    EXPECT_EQ(&health.world(), &second);
    e.activate();
    first.refresh();
    EXPECT_THAT(health.entities(), IsEmpty());
}

TEST(SystemOwner, OwnerIsReadWithTheTypeItWasSetWith) {
    struct Game {};
    struct View {};
    Game game;
    HealthSys system;
    EXPECT_EQ(system.owner<Game>(), nullptr);
    system.setOwner(&game);
    EXPECT_EQ(system.owner<Game>(), &game);
    EXPECT_EQ(system.owner<View>(), nullptr);
}

TEST(SystemDeathTest, WorldOfADetachedSystemStops) {
    HealthSys system;
    EXPECT_EXIT(system.world(), ::testing::ExitedWithCode(1),
                "ecs: the system belongs to no world");
}

}  // namespace
