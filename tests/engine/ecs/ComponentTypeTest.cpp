#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "engine/ecs/World.h"

namespace {

template <int N>
struct Kind {
    int value = N;
};

template <int... Ns>
bool holdAll(std::integer_sequence<int, Ns...>) {
    ecs::World world;
    ecs::Entity e = world.createEntity();
    (e.add<Kind<Ns>>(), ...);
    const bool all = (... && (e.has<Kind<Ns>>() && e.get<Kind<Ns>>().value == Ns));
    const ecs::ComponentMask mask = ecs::componentMask<Kind<Ns>...>();
    return all && mask == ~ecs::ComponentMask{0};
}

TEST(ComponentTypes, IdsAreStableAndCvIgnored) {
    EXPECT_EQ(ecs::componentTypeId<Kind<1000>>(), ecs::componentTypeId<Kind<1000>>());
    EXPECT_EQ(ecs::componentTypeId<const Kind<1000>>(), ecs::componentTypeId<Kind<1000>>());
    EXPECT_NE(ecs::componentTypeId<Kind<1000>>(), ecs::componentTypeId<Kind<1001>>());
}

// Type ids are handed out once per process, so this runs in a freshly started child where no
// other test has taken any: an entity holds all 64 types, and a 65th type stops the process.
TEST(ComponentTypesDeathTest, SixtyFourTypesFitAndTheNextStops) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (!holdAll(std::make_integer_sequence<int, 64>())) {
                std::exit(2);
            }
            ecs::componentTypeId<Kind<64>>();
        },
        ::testing::ExitedWithCode(1), "ecs: more than 64 component types");
}

}  // namespace
