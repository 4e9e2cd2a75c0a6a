#include <gtest/gtest.h>

#include "engine/ecs/World.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/systems/EffectsSys.h"

namespace {

using Zelmo::FloatChain;
using Zelmo::FloatStep;
using Zelmo::FXsComp;
using Zelmo::IntChain;

TEST(TweenChains, RunStepsInOrderAndWriteEachEndValue) {
    float value = 0.0f;
    FXsComp effects;
    effects.setTweenChain(FloatChain{{FloatStep{0.0f, 10.0f, 100.0f}, FloatStep{10.0f, 4.0f, 50.0f}}, &value});
    effects.advance(50.0f);
    EXPECT_FLOAT_EQ(value, 5.0f);
    effects.advance(60.0f);  // the overshoot is not carried into the next step
    EXPECT_FLOAT_EQ(value, 10.0f);
    effects.advance(25.0f);
    EXPECT_FLOAT_EQ(value, 7.0f);
    effects.advance(25.0f);
    EXPECT_FLOAT_EQ(value, 4.0f);
    EXPECT_TRUE(effects.empty());
}

TEST(TweenChains, ASecondSetOnAFieldReplacesTheChainFromTheFieldsValue) {
    float value = 0.0f;
    FXsComp effects;
    effects.setTweenChain(FloatChain{{FloatStep{0.0f, 100.0f, 100.0f}}, &value});
    effects.advance(40.0f);
    effects.setTweenChain(FloatChain{{FloatStep{-50.0f, 0.0f, 40.0f}}, &value});
    EXPECT_EQ(effects.floatChains.size(), 1u);
    effects.advance(20.0f);
    EXPECT_FLOAT_EQ(value, 20.0f) << "from 40, not from -50";
}

TEST(TweenChains, StepsOfNoLengthWriteTheirEndAtOnce) {
    struct Case {
        float duration;
        float dt;
    };
    for (const Case& c : {Case{0.0f, 16.0f}, Case{0.0f, 0.0f}, Case{-5.0f, 0.0f}, Case{1.0f, 16.0f}}) {
        int32_t value = 0;
        FXsComp effects;
        effects.setTweenChain(IntChain{{Zelmo::IntStep{0, 1, c.duration}}, &value});
        effects.advance(c.dt);
        EXPECT_EQ(value, 1) << c.duration;
        EXPECT_TRUE(effects.empty()) << c.duration;
    }
    // Ints truncate: a linear step to 1 writes 0 until its end.
    int32_t value = 0;
    FXsComp effects;
    effects.setTweenChain(IntChain{{Zelmo::IntStep{0, 1, 100.0f}}, &value});
    effects.advance(99.0f);
    EXPECT_EQ(value, 0);
}

// The punch's lunge eases its speed over a ramp time from the tuning table; a ramp of no length
// must give the end speed, not a NaN that the player would keep.
TEST(TweenChains, AnEasedStepOfNoLengthIsAtItsEndValue) {
    for (const float duration : {0.0f, -1.0f}) {
        FloatStep step{6.0f, 12.0f, duration};
        step.easer = Penner::Sine::easeIn;
        for (const float elapsed : {0.0f, 16.0f}) {
            step.elapsed = elapsed;
            EXPECT_EQ(Zelmo::tweenStepValue(step), 12.0f) << duration << " ms ramp, " << elapsed << " ms in";
        }
    }
}

TEST(TweenChains, AColourFadeChangesOnlyTheAlphaByte) {
    uint32_t colour = 0;
    FXsComp effects;
    effects.setColourTweenChain(Zelmo::ColourChain{{Zelmo::ColourStep{{0xff336699u, 0x00336699u}, 100.0f}}, &colour});
    effects.advance(50.0f);
    EXPECT_EQ(colour & 0x00ffffffu, 0x00336699u);
    EXPECT_LT(colour >> 24, 0xffu);
    EXPECT_GT(colour >> 24, 0u);
}

TEST(TweenChains, RemovingAComponentDropsOnlyTheChainsAimedIntoIt) {
    ecs::World world;
    Zelmo::EffectsSys effectsSys;
    world.addSystem(effectsSys);
    ecs::Entity entity = world.createEntity();
    Zelmo::VectorComp& vector = entity.add<Zelmo::VectorComp>();
    Zelmo::ZappedComp& zapped = entity.add<Zelmo::ZappedComp>();
    FXsComp& effects = entity.add<FXsComp>();
    effects.setTweenChain(FloatChain{{FloatStep{1.0f, 3.0f, 100.0f}}, &vector.scale});
    effects.setTweenChain(FloatChain{{FloatStep{1.0f, 2.0f, 100.0f}}, &zapped.factorTo});
    entity.activate();
    world.refresh();

    effects.removeTargetsOf(zapped);
    entity.remove<Zelmo::ZappedComp>();
    effectsSys.update(50.0f);
    EXPECT_FLOAT_EQ(vector.scale, 2.0f);
    ASSERT_EQ(effects.floatChains.size(), 1u);
    EXPECT_EQ(effects.floatChains.front().target, &vector.scale);
}

}  // namespace
