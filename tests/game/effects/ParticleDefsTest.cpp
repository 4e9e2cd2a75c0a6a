#include "game/effects/ParticleDefs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/psys/CircleMovingPoint.h"
#include "engine/psys/ParticleEmitter.h"
#include "engine/psys/SplinePath.h"

namespace {

using Zelmo::particleDef;

struct Span {
    float min;
    float max;
};

// A definition's numbers: what it spawns, how fast and how long, and what it looks like.
struct DefCase {
    int index;
    int rate;
    Span angle;
    bool randomAngle;  // a fresh draw per particle rather than a sweep over time
    Span speed;
    Span life;
    float duration;
    int maxParticles;
    float aimSpread;
    float size0;
    float size1;
    float thicknessScale;
    size_t gradients;
    uint32_t firstColour;
};

// Indexes 2 and 3 are definition 4.
const DefCase kDefCases[] = {
    {0, 32, {0, 359}, true, {4, 8}, {4000, 4000}, 200, 1024, 0, 4, 4, 0, 1, 0xffffffffu},
    {1, 0, {0, 359}, true, {0.1f, 0.85f}, {300, 700}, -1, 120, 0, 4, 4, 1, 2, 0xff5603bfu},
    {4, 100, {0, 359}, true, {2.5f, 7.5f}, {135, 550}, 200, 2000, 0, 4, 4, 2, 1, 0xff49a4feu},
    {5, 400, {0, 359}, true, {5.5f, 10.5f}, {400, 600}, 100, 2000, 0, 4, 4, 1, 2, 0xfffddbf7u},
    {6, 400, {0, 359}, true, {5.5f, 10.5f}, {400, 600}, 100, 2000, 0, 4, 4, 1, 2, 0xfffddbf7u},
    {7, 400, {0, 359}, true, {5.5f, 10.5f}, {400, 600}, 100, 2000, 0, 4, 4, 1, 2, 0xfffddbf7u},
    {8, 400, {75, 105}, true, {5.5f, 10.5f}, {400, 600}, 100, 2000, 0, 4, 4, 0, 2, 0xfffddbf7u},
    {9, 100, {0, 359}, false, {20, 20}, {3000, 3000}, 1000, 100, 5, 4, 4, 10, 5, 0xffe00056u},
    {10, 30, {0, 359}, false, {30, 30}, {3000, 3000}, 500, 1000, 5, 14, 4, 4, 5, 0xffe00056u},
    {11, 1, {0, 359}, false, {18, 18}, {5000, 5000}, 10000, 1000, 0, 4, 4, 0, 2, 0xfffddbf7u},
    {12, 15, {0, 359}, false, {18, 18}, {1000, 1000}, 1000, 1000, 0, 1, 70, 0, 2, 0xff5600e0u},
    {13, 0, {0, 359}, true, {1, 4}, {100, 350}, -1, 1000, 0, 4, 4, 0, 2, 0x0fb0700fu},
    {14, 0, {0, 359}, true, {1, 3}, {100, 300}, -1, 500, 0, 2, 4, 1, 2, 0xff4c0078u},
    {15, 1000, {0, 359}, true, {1, 2}, {100, 500}, 1000, 40, 0, 4, 4, 0, 1, 0xff7f15b6u},
    {16, 1000, {0, 359}, true, {1, 2}, {100, 500}, 1000, 40, 0, 4, 4, 0, 1, 0xff7f15b6u},
    {17, 200, {0, 359}, true, {4, 4}, {250, 250}, 500, 100, 0, 4, 4, 0, 2, 0x70006090u},
    {18, 0, {0, 359}, true, {1, 1}, {500, 1000}, -1, 500, 0, 4, 4, 0, 2, 0xfff70b00u},
    {19, 0, {0, 359}, true, {1, 1}, {500, 1000}, -1, 500, 0, 4, 4, 0, 2, 0xfff70b00u},
    {20, 0, {179, 181}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {21, 0, {179, 181}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {22, 0, {359, 361}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {23, 0, {359, 361}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {24, 0, {89, 91}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {25, 0, {89, 91}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {26, 0, {269, 271}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
    {27, 0, {269, 271}, true, {1, 4}, {500, 1000}, -1, 1000, 0, 4, 4, 0, 1, 0xffbc2000u},
};

TEST(ParticleDefs, EveryDefinitionByItsNumbers) {
    for (const DefCase& c : kDefCases) {
        const PSys::ParticleDef* def = particleDef(c.index);
        ASSERT_NE(def, nullptr) << c.index;
        SCOPED_TRACE("definition " + std::to_string(c.index));
        EXPECT_EQ(def->id, c.index);
        EXPECT_EQ(def->rate, c.rate);
        EXPECT_FLOAT_EQ(def->angle.min, c.angle.min);
        EXPECT_FLOAT_EQ(def->angle.max, c.angle.max);
        EXPECT_EQ(def->angle.easer == Tween::easeRand, c.randomAngle);
        EXPECT_FLOAT_EQ(def->speed.min, c.speed.min);
        EXPECT_FLOAT_EQ(def->speed.max, c.speed.max);
        EXPECT_FLOAT_EQ(def->life.min, c.life.min);
        EXPECT_FLOAT_EQ(def->life.max, c.life.max);
        EXPECT_FLOAT_EQ(def->duration, c.duration);
        EXPECT_EQ(def->maxParticles, c.maxParticles);
        EXPECT_FLOAT_EQ(def->aimSpread, c.aimSpread);
        EXPECT_FLOAT_EQ(def->size0.min, c.size0);
        EXPECT_FLOAT_EQ(def->size1.min, c.size1);
        EXPECT_FLOAT_EQ(def->thicknessScale, c.thicknessScale);
        ASSERT_EQ(def->gradients.size(), c.gradients);
        EXPECT_EQ(def->gradients[0][0].colour, c.firstColour);
    }
}

TEST(ParticleDefs, IndexesTwoToFourAreOneDefinitionWithTheIdFour) {
    ASSERT_NE(particleDef(2), nullptr);
    EXPECT_EQ(particleDef(3), particleDef(2));
    EXPECT_EQ(particleDef(4), particleDef(2));
    EXPECT_EQ(particleDef(2)->id, 4);
    std::set<const PSys::ParticleDef*> others;
    for (int index = 0; index < Zelmo::kParticleDefCount; ++index) {
        if (index == 3 || index == 4) continue;
        EXPECT_TRUE(others.insert(particleDef(index)).second) << index << " shares its definition";
    }
}

TEST(ParticleDefs, IndexesOutsideTheLibraryHaveNoDefinition) {
    EXPECT_EQ(particleDef(-1), nullptr);
    EXPECT_EQ(particleDef(Zelmo::kParticleDefCount), nullptr);
}

TEST(ParticleDefs, RobotShotsAndPlayerGlowsAreDiamondsTheRestCrosses) {
    const std::set<int> diamonds = {10, 11, 12, 14, 18, 19};
    for (int id = 0; id < Zelmo::kParticleDefCount; ++id) {
        EXPECT_EQ(Zelmo::particleShape(id), diamonds.count(id) ? Zelmo::kDiamondShape : Zelmo::kCrossShape) << id;
    }
    EXPECT_EQ(Zelmo::particleShape(10), 1);
    EXPECT_EQ(Zelmo::particleShape(9), 0);
    EXPECT_EQ(Zelmo::particleShape(-1), Zelmo::kCrossShape);
    EXPECT_EQ(Zelmo::particleShape(99), Zelmo::kCrossShape);
}

// What an emitter and the drawing pass rely on without checking.
TEST(ParticleDefs, EveryDefinitionCanBeSpawnedAndDrawn) {
    for (int index = 0; index < Zelmo::kParticleDefCount; ++index) {
        const PSys::ParticleDef* def = particleDef(index);
        ASSERT_NE(def, nullptr) << index;
        EXPECT_NE(def->path, nullptr) << index;
        EXPECT_NE(def->spread, nullptr) << index;
        EXPECT_NE(def->positionEaser, nullptr) << index;
        EXPECT_NE(def->sizeEaser, nullptr) << index;
        EXPECT_NE(def->thicknessEaser, nullptr) << index;
        EXPECT_TRUE(def->maxParticles >= 1 && def->maxParticles <= PSys::ParticleEmitter::kPoolSize) << index;
        EXPECT_FALSE(def->gradients.empty()) << index;
        for (const PSys::Gradient& gradient : def->gradients) {
            ASSERT_FALSE(gradient.empty()) << index;
            for (size_t key = 1; key < gradient.size(); ++key)
                EXPECT_LE(gradient[key - 1].position, gradient[key].position) << index;
        }
    }
}

TEST(ParticleDefs, CirclingSpreadPointsStartWhereTheirRadiusAndAngleSay) {
    struct Case {
        int index;
        float x;
        float y;
    };
    for (const Case& c : {Case{13, 0, 80}, Case{14, 0, 40}, Case{15, 0, 100}, Case{16, 0, -100}}) {
        const auto* circle = dynamic_cast<const Util::CircleMovingPoint*>(particleDef(c.index)->spread);
        ASSERT_NE(circle, nullptr) << c.index;
        // The offset from the start stays readable however far other emitters have moved it.
        EXPECT_NEAR(circle->getX() - circle->getDX(), c.x, 1e-3f) << c.index;
        EXPECT_NEAR(circle->getY() - circle->getDY(), c.y, 1e-3f) << c.index;
    }
}

const std::vector<CatmullRomSpline::Point>& splinePoints(int index) {
    const auto* path = dynamic_cast<const Tween::SplinePath*>(particleDef(index)->spread);
    EXPECT_NE(path, nullptr) << index;
    static const std::vector<CatmullRomSpline::Point> s_none;
    return path ? path->getControlPoints() : s_none;
}

TEST(ParticleDefs, SplineSpreadPointsRunAlongMirroredCurves) {
    struct Case {
        int index;
        int mirror;  // its x (-1, 1) or y (1, -1) flipped
        float mirrorX;
        float mirrorY;
        CatmullRomSpline::Point start;
        CatmullRomSpline::Point end;
    };
    const Case cases[] = {
        {18, 19, -1, 1, {0, 100}, {0, -100}},    {20, 21, -1, 1, {0, 120}, {0, -103}},
        {22, 23, -1, 1, {0, -120}, {0, 103}},    {24, 25, 1, -1, {-120, 0}, {103, 0}},
        {26, 27, 1, -1, {120, 0}, {-103, 0}},
    };
    for (const Case& c : cases) {
        const auto& points = splinePoints(c.index);
        const auto& mirrored = splinePoints(c.mirror);
        ASSERT_EQ(points.size(), 5u) << c.index;
        ASSERT_EQ(mirrored.size(), 5u) << c.mirror;
        EXPECT_FLOAT_EQ(points.front().x, c.start.x) << c.index;
        EXPECT_FLOAT_EQ(points.front().y, c.start.y) << c.index;
        EXPECT_FLOAT_EQ(points.back().x, c.end.x) << c.index;
        EXPECT_FLOAT_EQ(points.back().y, c.end.y) << c.index;
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_FLOAT_EQ(mirrored[i].x, c.mirrorX * points[i].x) << c.mirror << " point " << i;
            EXPECT_FLOAT_EQ(mirrored[i].y, c.mirrorY * points[i].y) << c.mirror << " point " << i;
        }
    }
}

TEST(ParticleDefs, RandomSpreadPointsStayInTheirAreas) {
    struct Case {
        int index;
        Span x;
        Span y;
        float radius;
    };
    const Case cases[] = {{1, {-5, 5}, {-5, 5}, 8},        {2, {-30, 30}, {-30, 30}, 30},
                          {5, {-10, 10}, {-10, 10}, 10},   {6, {-10, 10}, {-10, 10}, 10},
                          {7, {-10, 10}, {-10, 10}, 10},   {8, {-20, 20}, {0, 10}, 23}};
    for (const Case& c : cases) {
        Util::IMovingPoint* spread = particleDef(c.index)->spread;
        float widestX = 0.0f;
        for (int frame = 0; frame < 200; ++frame) {
            spread->update(16.666666f);
            const float x = spread->getX();
            const float y = spread->getY();
            widestX = std::max(widestX, std::abs(x));
            EXPECT_TRUE(x >= c.x.min && x <= c.x.max && y >= c.y.min && y <= c.y.max) << c.index << ": " << x << ", " << y;
            EXPECT_LE(std::hypot(x, y), c.radius + 1e-3f) << c.index;
        }
        EXPECT_GT(widestX, c.x.max / 2) << c.index << " hardly moves";
    }
}

}  // namespace
