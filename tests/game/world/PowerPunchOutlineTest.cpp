// The power punch's direction outline: the outline along the charge curves of the facing is
// queued to draw while a power punch is charged and after each turn of its dash, and that of no
// other facing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/psys/SplinePath.h"
#include "engine/psys/System.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/world/DisplayComps.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Zelmo::PlayerComp;
using Zelmo::PolyComp;
using Zelmo::PVAComp;

constexpr uint32_t kOutlineColour = 0xdfff7f00;
constexpr float kOutlineThickness = 10.0f;
constexpr const char* kPowerPunchButton = "2";

// Facing index (0 up, 1 down, 2 left, 3 right) and the direction bits a player facing that way
// keeps as its last direction.
struct OutlineFacing {
    const char* name;
    int lastDirection;
};
constexpr OutlineFacing kOutlineFacings[] = {{"up", 1}, {"down", 2}, {"left", 4}, {"right", 8}};

// The control points of the spline that a charge emitter's particles are born along: its spread
// point.
std::vector<CatmullRomSpline::Point> chargeCurve(int emitterId) {
    PSys::ParticleEmitter* emitter = Zelmo::particleSystem(Zelmo::kChargeSystem)->findEmitter(emitterId);
    const auto* path = emitter ? dynamic_cast<const Tween::SplinePath*>(emitter->def.spread) : nullptr;
    return path ? path->getControlPoints() : std::vector<CatmullRomSpline::Point>{};
}

// The outlines the last update queued to draw.
std::vector<PolyComp> outlinesQueued(WorldHarness& harness) {
    std::vector<PolyComp> outlines;
    for (const PolyComp& poly : harness.logic().view().polyDraws()) {
        if (poly.colour == kOutlineColour) outlines.push_back(poly);
    }
    return outlines;
}

// What a facing's direction entity must hold: the first charge curve out and the mirrored one
// back, moved by one offset so that the box is centred on the player; and probes on its box.
void expectOutlineOfFacing(const PlayerComp& state, size_t facing, const PolyComp& drawn) {
    SCOPED_TRACE(kOutlineFacings[facing].name);
    EXPECT_EQ(drawn.thickness, kOutlineThickness);
    EXPECT_FALSE(drawn.filled);
    ASSERT_EQ(drawn.pointLists.size(), 1u) << "no outline to draw";
    const std::vector<float>& points = drawn.pointLists[0];
    const std::vector<CatmullRomSpline::Point> out = chargeCurve(state.chargeEmitters[facing][0]);
    const std::vector<CatmullRomSpline::Point> back = chargeCurve(state.chargeEmitters[facing][8]);
    ASSERT_EQ(out.size(), 5u);
    ASSERT_EQ(points.size(), 2 * (out.size() + back.size()));
    const float dx = points[0] - out[0].x, dy = points[1] - out[0].y;
    for (size_t i = 0; i < out.size() + back.size(); ++i) {
        const CatmullRomSpline::Point& expected = i < out.size() ? out[i] : back[back.size() - 1 - (i - out.size())];
        EXPECT_EQ(points[2 * i], expected.x + dx) << "point " << i;
        EXPECT_EQ(points[2 * i + 1], expected.y + dy) << "point " << i;
    }

    const ecs::Entity& entity = state.directionEntities[facing];
    const Zelmo::BBoxComp& box = entity.get<Zelmo::BBoxComp>();
    EXPECT_GT(box.w, 100);
    EXPECT_GT(box.h, 100);
    EXPECT_EQ(box.x, -box.w / 2);
    EXPECT_EQ(box.y, -box.h / 2);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        minX = std::min(minX, points[i]);
        maxX = std::max(maxX, points[i]);
        minY = std::min(minY, points[i + 1]);
        maxY = std::max(maxY, points[i + 1]);
    }
    EXPECT_NEAR(minX, float(box.x), 1.0f);
    EXPECT_NEAR(maxX, float(box.x + box.w), 1.0f);
    EXPECT_NEAR(minY, float(box.y), 1.0f);
    EXPECT_NEAR(maxY, float(box.y + box.h), 1.0f);
    // The curves of up and down run along y, those of left and right along x.
    EXPECT_EQ(box.h > box.w, facing < 2) << box.w << " x " << box.h;

    const Zelmo::CollisionPointsComp& probes = entity.get<Zelmo::CollisionPointsComp>();
    EXPECT_FALSE(probes.slide);
    for (size_t side = 0; side < 4; ++side) {
        EXPECT_GE(probes.probes[side].size(), 2u * 12u) << "side " << side;
        for (size_t i = 0; i + 1 < probes.probes[side].size(); i += 2) {
            EXPECT_TRUE(probes.probes[side][i] >= minX - 1.0f && probes.probes[side][i] <= maxX + 1.0f &&
                        probes.probes[side][i + 1] >= minY - 1.0f && probes.probes[side][i + 1] <= maxY + 1.0f)
                << "side " << side << " probe " << i / 2 << " lies outside the box";
        }
    }
}

// The player stands in the middle of an empty room and throws a power punch each way.
class PowerPunchOutline : public ::testing::Test {
protected:
    PowerPunchOutline() : m_room(m_harness) {}

    ecs::Entity player() { return m_harness.logic().player(); }
    PlayerComp& state() { return player().get<PlayerComp>(); }

    // Stands still in the middle, facing the way given, and throws a power punch: press, the
    // crouch plays out into the charge, and the release throws it.
    void throwPowerPunch(int lastDirection) {
        PVAComp& pva = player().get<PVAComp>();
        pva.x = pva.nextX = Room::middle();
        pva.y = pva.nextY = Room::middle();
        state().lastDirection = lastDirection;
        m_harness.send("START_ACTION", kPowerPunchButton);
        m_harness.step();
        Zelmo::AnimationComp& animation = player().get<Zelmo::AnimationComp>();
        const Vector::AnimationDef* crouch = GameVectors::instance().animation(uint32_t(animation.animation));
        ASSERT_NE(crouch, nullptr);
        const Vector::AnimationDef* charge = GameVectors::instance().animation(crouch->next());
        ASSERT_NE(charge, nullptr);
        animation.animation = int32_t(crouch->next());
        animation.frame = int32_t(charge->frames()->size()) - 1;
        animation.frameTime = 0;
        m_harness.step();
        m_harness.send("STOP_ACTION", kPowerPunchButton);
        m_harness.step();
    }

    WorldHarness m_harness;
    Room m_room;
};

TEST_F(PowerPunchOutline, IsDrawnInTheFacingWhileAPowerPunchIsChargedAndGoneAfter) {
    for (size_t facing = 0; facing < std::size(kOutlineFacings); ++facing) {
        SCOPED_TRACE(kOutlineFacings[facing].name);
        state().powerPunches = 1;
        throwPowerPunch(kOutlineFacings[facing].lastDirection);
        ASSERT_TRUE(state().chargeEmittersOn) << "no power punch was thrown";
        // The next update draws the outline where the player stands.
        m_harness.step();
        for (size_t other = 0; other < 4; ++other) {
            EXPECT_EQ(state().directionEntities[other].isActivated(), other == facing) << "direction " << other;
        }
        const std::vector<PolyComp> outlines = outlinesQueued(m_harness);
        ASSERT_EQ(outlines.size(), 1u) << "the outline is not drawn";
        expectOutlineOfFacing(state(), facing, outlines[0]);
        // It keeps to the player, a step behind the lunge (it takes the player's place before the
        // player moves).
        int sx = 0, sy = 0;
        const PVAComp& pva = player().get<PVAComp>();
        m_harness.logic().view().worldToScreen(int(pva.x), int(pva.y), sx, sy);
        EXPECT_LE(std::abs(outlines[0].x - sx) + std::abs(outlines[0].y - sy), 8)
            << "drawn at " << outlines[0].x << ", " << outlines[0].y << ", the player at " << sx << ", " << sy;

        for (int i = 0; i < 200 && (state().stateCode & 0xf) == 4; ++i) m_harness.step();
        ASSERT_NE(state().stateCode & 0xf, 4) << "the punch did not end";
        m_harness.step();
        EXPECT_TRUE(outlinesQueued(m_harness).empty()) << "the outline outlives the power punch";
    }
}

// A power punch in the maze of a real level, alone in it, turned at a bend.
class PowerPunchOutlineDash : public ::testing::Test {
protected:
    PowerPunchOutlineDash() {
        m_harness.startLevel(2);
        m_harness.step();
        m_harness.leavePlayerAlone();
    }

    Zelmo::GameLogic& logic() { return m_harness.logic(); }
    PlayerComp& state() { return logic().player().get<PlayerComp>(); }
    PVAComp& pva() { return logic().player().get<PVAComp>(); }

    WorldHarness m_harness;
};

// Facing up, the way straight on is exit 2; a bend whose only side exit is 4 turns the dash right.
TEST_F(PowerPunchOutlineDash, TurnsWithTheDashAtABend) {
    const auto bend = [this](int& x, int& y) {
        for (y = 0; y < logic().params().cellsHigh; ++y) {
            for (x = 0; x < logic().params().cellsWide; ++x) {
                if ((logic().exitsAt(x, y) & (2 | 4 | 8)) == 4) return true;
            }
        }
        return false;
    };
    int x = 0, y = 0;
    ASSERT_TRUE(bend(x, y));
    logic().cellToWorld(x, y, 0.0f, 0.0f);
    pva().x = pva().nextX = float(x);
    pva().y = pva().nextY = float(y);
    // Mid-power-punch facing up, standing still, with the way ahead found blocked.
    pva().heading = 0;
    pva().speed = {};
    pva().speed.duration = 1.0f;
    logic().player().get<Zelmo::AnimationComp>().animation = AnimIds::KROMB_UP_PUNCH;
    state().setState(AnimIds::KROMB_UP_PUNCH);
    state().placeChargeEmitters(pva().x, pva().y, 1);
    state().dashTime = 500.0f;
    state().dashing = true;
    m_harness.step();
    ASSERT_EQ(pva().heading, 90) << "the dash did not turn";

    m_harness.step();
    const std::vector<PolyComp> outlines = outlinesQueued(m_harness);
    ASSERT_EQ(outlines.size(), 1u) << "the outline is not drawn after the turn";
    expectOutlineOfFacing(state(), 3, outlines[0]);
}

}  // namespace
