// What the bolts of a strike hit: walls, the shield by the way it faces, the armour, the player.
#include <gtest/gtest.h>

#include "game/effects/WeaponTable.h"
#include "game/world/FXsComp.h"
#include "game/world/PlayerComps.h"
#include "game/world/systems/LightningSys.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::LightningSys;

constexpr int kStrikeType = 1;

class Lightning : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(1);
        world().addSystem(lightning);
        lightning.init(&harness.logic(), [this](const ecs::Entity& hurt, float damage) {
            damages += 1;
            hurt.get<Zelmo::PlayerComp>().health -= damage;
        });
        const Zelmo::PVAComp& pva = player().get<Zelmo::PVAComp>();
        px = pva.x;
        py = pva.y;
        static_cast<IntBox&>(player().get<Zelmo::HBoxComp>()) = IntBox{-10, -10, 20, 20};
        // The shield stands above the player, clear of the player's box.
        ecs::Entity shield = state().shield;
        shield.get<Zelmo::PVAComp>().x = px;
        shield.get<Zelmo::PVAComp>().y = py + 40.0f;
        static_cast<IntBox&>(shield.get<Zelmo::HBoxComp>()) = IntBox{-10, -5, 20, 10};
        shield.deactivate();
        state().armour.deactivate();
        world().refresh();
    }

    ecs::World& world() { return harness.logic().world(); }
    ecs::Entity player() { return harness.logic().player(); }
    Zelmo::PlayerComp& state() { return player().get<Zelmo::PlayerComp>(); }

    // A strike at (x, y) whose bolts end at the given world points.
    ecs::Entity strikeFrom(float x, float y, const std::vector<std::pair<float, float>>& ends) {
        ecs::Entity strike = world().createEntity();
        Zelmo::PVAComp& pva = strike.add<Zelmo::PVAComp>();
        pva.x = x;
        pva.y = y;
        strike.add<Zelmo::LightningComp>().strikeType = kStrikeType;
        Zelmo::PolyComp& poly = strike.add<Zelmo::PolyComp>();
        for (const auto& [ex, ey] : ends) poly.pointLists.push_back({0.0f, 0.0f, ex - x, ey - y});
        strike.activate();
        world().refresh();
        return strike;
    }
    std::vector<int32_t>& hits(const ecs::Entity& strike) { return strike.get<Zelmo::LightningComp>().boltsHit; }

    WorldTest::WorldHarness harness{WorldTest::kWorldFixture};
    LightningSys lightning;
    int damages = 0;
    float px = 0;
    float py = 0;
};

TEST_F(Lightning, EveryBoltEndingInThePlayerHurtsAndOneEndingInAWallNever) {
    strikeFrom(px, py + 200.0f, {{px, py}, {px + 5.0f, py}, {-500.0f, -500.0f}});
    lightning.update(16.0f);
    EXPECT_EQ(damages, 2);
    EXPECT_EQ(state().pendingStrikes, 2);
    EXPECT_EQ(state().health, state().maxHealth - 2 * Zelmo::strikeDamage(kStrikeType));

    // A bolt into a wall stops there whatever guards the player.
    damages = 0;
    state().shield.activate();
    state().stateCode = 16;
    ecs::Entity walled = strikeFrom(px, py + 200.0f, {{-500.0f, -500.0f}});
    lightning.update(16.0f);
    EXPECT_TRUE(hits(walled).empty());
}

TEST_F(Lightning, TheShieldBlocksBoltsFromWhereItFacesAndHoldsThem) {
    state().shield.activate();
    state().stateCode = 16;  // facing up
    world().refresh();
    ecs::Entity fromAbove = strikeFrom(px, py + 200.0f, {{px, py}});         // heading 180
    ecs::Entity fromLeft = strikeFrom(px - 200.0f, py + 35.0f, {{px, py}});  // heading 100
    lightning.update(16.0f);
    EXPECT_EQ(damages, 1) << "only the bolt from the side";
    ASSERT_EQ(hits(fromAbove), std::vector<int32_t>{0});
    EXPECT_TRUE(hits(fromLeft).empty());
    // Pinned to the shield's centre, and it stays there as the shield moves.
    const std::vector<float>& bolt = fromAbove.get<Zelmo::PolyComp>().pointLists[0];
    EXPECT_EQ(bolt[2] + px, px);
    EXPECT_EQ(bolt[3] + py + 200.0f, py + 40.0f);
    state().shield.get<Zelmo::PVAComp>().x += 30.0f;
    lightning.update(16.0f);
    EXPECT_EQ(bolt[2] + px, px + 30.0f);
    EXPECT_EQ(hits(fromAbove), std::vector<int32_t>{0});
}

TEST_F(Lightning, TheArmourTakesABoltThenLetsItRestForOneUpdate) {
    state().armour.activate();
    world().refresh();
    ecs::Entity strike = strikeFrom(px, py + 200.0f, {{px, py}});
    const std::vector<std::vector<int32_t>> expected = {{0}, {}, {0}, {}};
    for (const std::vector<int32_t>& recorded : expected) {
        lightning.update(16.0f);
        EXPECT_EQ(hits(strike), recorded);
    }
    EXPECT_EQ(damages, 0);
}

TEST_F(Lightning, AFatalStrikeShrinksThePlayerAndSetsOffTheDeathBurstOnce) {
    state().health = Zelmo::strikeDamage(kStrikeType);  // exactly 0 left: dead
    strikeFrom(px, py + 200.0f, {{px, py}, {px, py}});
    const size_t before = world().entityCount();
    lightning.update(16.0f);
    EXPECT_EQ(damages, 1) << "a dead player takes no more";
    EXPECT_EQ(state().pendingStrikes, 2);
    EXPECT_EQ(world().entityCount(), before + 1) << "one burst";
    const std::vector<Zelmo::FloatChain>& chains = player().get<Zelmo::FXsComp>().floatChains;
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(chains[0].target, &player().get<Zelmo::VectorComp>().scale);
    EXPECT_EQ(chains[0].steps.back().to, 0.1f);
}

TEST(ShieldFacing, BlocksTheHeadingsItFaces) {
    struct Case {
        int facing;
        int heading;
        bool blocked;
    };
    const std::vector<Case> cases = {
        {16, 180, true}, {16, 135, true},  {16, 100, false}, {16, 226, false}, {32, 0, true},
        {32, 84, true},  {32, 85, false},  {32, 276, true},  {48, 45, true},   {48, 166, false},
        {64, 195, true}, {64, 316, false}, {0, 180, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LightningSys::shieldBlocks(c.facing, c.heading), c.blocked) << c.facing << " " << c.heading;
    }
}

}  // namespace
