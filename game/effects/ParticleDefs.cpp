#include "game/effects/ParticleDefs.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "engine/psys/CatmullRomSpline.h"
#include "engine/psys/CircleMovingPoint.h"
#include "engine/psys/NonMovingPoint.h"
#include "engine/psys/RandMovingPoint.h"
#include "engine/psys/RandMovingPointCircle.h"
#include "engine/psys/SplinePath.h"
#include "engine/tween/Easing.h"

namespace Zelmo {
namespace {

using PSys::Gradient;
using PSys::PropertyRange;

const Tween::EaseFn kInLinear = Penner::Linear::easeIn;
const Tween::EaseFn kInCubic = Penner::Cubic::easeIn;
const Tween::EaseFn kInQuart = Penner::Quart::easeIn;
const Tween::EaseFn kInQuint = Penner::Quint::easeIn;
const Tween::EaseFn kInSine = Penner::Sine::easeIn;
const Tween::EaseFn kInCirc = Penner::Circ::easeIn;
const Tween::EaseFn kOutBack = Penner::Back::easeOut;
const Tween::EaseFn kInOutCubic = Penner::Cubic::easeInOut;
const Tween::EaseFn kInOutQuart = Penner::Quart::easeInOut;
const Tween::EaseFn kInOutElastic = Penner::Elastic::easeInOut;

PropertyRange constant(float value) { return {value, value, 1.0f, kInLinear}; }
// A uniform draw between min and max for every particle.
PropertyRange random(float min, float max) { return {min, max, 1.0f, Tween::easeRand}; }
// From one value to the other and back along the easer, each way over period ms of emitter time.
PropertyRange sweep(float from, float to, Tween::EaseFn easer, float period) { return {from, to, period, easer}; }

// How an emitter of a definition spawns.
struct Emission {
    int32_t rate;                // particles per second; 0: game code switches the emitter on
    Util::IMovingPoint* spread;  // moves the spawn point and bends each flight away from the origin
    PropertyRange angle;         // degrees
    PropertyRange speed;         // world units per 60 Hz frame
    PropertyRange life;          // ms
    float duration;              // ms of spawning; negative: endless
    int32_t maxParticles;
    float aimSpread = 0.0f;  // degrees by which aiming at a target may miss either way
};

// How its particles look over their lives.
struct Look {
    PropertyRange size0;
    PropertyRange size1;
    PropertyRange thickness0;
    PropertyRange thickness1;
    Tween::EaseFn positionEaser;
    Tween::EaseFn sizeEaser;
    Tween::EaseFn thicknessEaser;
    float thicknessScale;  // 0: the display's current thickness
    int shape;
};

// Five spline points as x, y pairs.
using SplinePoints = std::array<float, 10>;

SplinePoints mirroredInX(SplinePoints points) {
    for (size_t i = 0; i < points.size(); i += 2) points[i] = -points[i];
    return points;
}

SplinePoints mirroredInY(SplinePoints points) {
    for (size_t i = 1; i < points.size(); i += 2) points[i] = -points[i];
    return points;
}

// The player's body glow runs up and down its side along this curve.
const SplinePoints kBodyCurve = {0, 100, -50, 50, -75, 0, -50, -50, 0, -100};

// The charge effect draws in from around the player along these, two mirrored curves per facing
// direction (up, down, left, right).
const SplinePoints kChargeUp = {0, 120, -40, 100, -53, 47, -17, -13, 0, -103};
const SplinePoints kChargeDown = {0, -120, -40, -100, -53, -47, -17, 13, 0, 103};
const SplinePoints kChargeLeft = {-120, 0, -100, -40, -47, -53, 13, -17, 103, 0};
const SplinePoints kChargeRight = {120, 0, 100, -40, 47, -53, -13, -17, -103, 0};

const Gradient kFlame = {{0.8f, 0xff49a4feu}, {1.0f, 0xff0508feu}, {1.0f, 0x000508feu}};
const std::vector<Gradient> kPinkSparks = {{{0.8f, 0xfffddbf7u}, {1.0f, 0x00905090u}},
                                           {{1.0f, 0xffe36dbcu}, {1.0f, 0x00702060u}}};

class Library {
public:
    Library() {
        buildRobotShots();
        buildPlayerEffects();
        buildSparks();
        buildBursts();
    }

    const PSys::ParticleDef* def(int index) const {
        return index >= 0 && index < kParticleDefCount ? m_registry[static_cast<size_t>(index)] : nullptr;
    }

    int shape(int id) const {
        const auto found = m_shapes.find(id);
        return found == m_shapes.end() ? kCrossShape : found->second;
    }

private:
    // Robot projectiles (definitions 0, 9 to 12), chosen by robot data and aimed by the game.
    void buildRobotShots() {
        const Look bolt{constant(4), constant(4),    constant(3), constant(18), kInLinear,
                        kInLinear,   kInCubic,       10.0f,       kCrossShape};
        const std::vector<Gradient> colours = {{{0.95f, 0xffe00056u}, {1.0f, 0x00900020u}},
                                               {{0.95f, 0xff1b7b11u}, {1.0f, 0x00209000u}},
                                               {{0.95f, 0xff5600e0u}, {1.0f, 0x00200090u}},
                                               {{0.95f, 0xffe32dbcu}, {1.0f, 0x00701060u}},
                                               {{0.95f, 0xff2de3bcu}, {1.0f, 0x00107060u}}};
        const PropertyRange turning = sweep(0, 359, kInLinear, 60);
        const PropertyRange spinning = sweep(0, 359, kInLinear, 1);

        define(0, newDef(),
               {32, &m_origin, random(0, 359), sweep(4, 8, kInLinear, 500), constant(4000), 200, 1024},
               {constant(4), constant(4), sweep(2, 4, kInLinear, 1), sweep(4, 8, kInLinear, 1), kInLinear, kInLinear,
                kInCubic, 0.0f, kCrossShape},
               {{{1.0f, 0xffffffffu}, {1.0f, 0xffffffffu}}});
        define(9, newDef(), {100, &m_origin, turning, constant(20), constant(3000), 1000, 100, 5.0f}, bolt, colours);
        define(10, newDef(), {30, &m_origin, turning, constant(30), constant(3000), 500, 1000, 5.0f},
               {constant(14), constant(4), constant(18), constant(3), kInSine, kInQuint, kInQuint, 4.0f, kDiamondShape},
               colours);
        define(11, newDef(), {1, &m_origin, spinning, constant(18), constant(5000), 10000, 1000},
               {constant(4), constant(4), constant(10), constant(10), kInLinear, kInLinear, kInCubic, 0.0f,
                kDiamondShape},
               {{{0.95f, 0xfffddbf7u}, {1.0f, 0x00905090u}}, {{0.95f, 0xffe36dbcu}, {1.0f, 0x00702060u}}});
        define(12, newDef(), {15, &m_origin, spinning, constant(18), constant(1000), 1000, 1000},
               {constant(1), constant(70), constant(10), constant(10), kInLinear, kInOutCubic, kInLinear, 0.0f,
                kDiamondShape},
               {{{0.95f, 0xff5600e0u}, {1.0f, 0x00200090u}}, {{0.95f, 0xff1b7b11u}, {1.0f, 0x00209000u}}});
    }

    // The player's charge glow (1), body glow (18, 19) and charge effect (20 to 27); all start
    // without a rate and are switched on by the player's code.
    void buildPlayerEffects() {
        define(1, newDef(),
               {0, movingPoint<Util::RandMovingPoint>(0.0f, Util::RandMovingPoint::Range{-5.0f, 5.0f}, 0.0f,
                                                       Util::RandMovingPoint::Range{-5.0f, 5.0f}),
                random(0, 359), sweep(0.1f, 0.85f, kInLinear, 500), random(300, 700), -1, 120},
               {constant(4), constant(4), random(0.5f, 2), random(5.5f, 6.5f), kOutBack, kInLinear, kInCirc, 1.0f,
                kCrossShape},
               {{{0.8f, 0xff5603bfu}, {1.0f, 0xff1528c2u}, {1.0f, 0xff0f0000u}}, kFlame});

        const Look body{constant(4), constant(4), constant(3), constant(3), kInLinear,
                        kInLinear,   kInCubic,    0.0f,        kDiamondShape};
        const std::vector<Gradient> bodyColours = {
            {{0.8f, 0xfff70b00u}, {0.9f, 0x7f905000u}, {1.0f, 0x70000090u}},
            {{0.8f, 0xffbc0d00u}, {0.9f, 0x7f602000u}, {1.0f, 0x70000060u}}};
        define(18, newDef(),
               {0, splinePath(kBodyCurve, true, 500), random(0, 359), constant(1), sweep(500, 1000, kInLinear, 60), -1,
                500},
               body, bodyColours);
        define(19, newDef(),
               {0, splinePath(mirroredInX(kBodyCurve), true, 500), random(0, 359), constant(1),
                sweep(500, 1000, kInLinear, 60), -1, 500},
               body, bodyColours);

        // Per facing direction (up, down, left, right) two mirrored curves and the angle their
        // particles fly at.
        struct Charge {
            SplinePoints curve;
            SplinePoints mirrored;
            float angle;
        };
        const Charge directions[] = {{kChargeUp, mirroredInX(kChargeUp), 180.0f},
                                     {kChargeDown, mirroredInX(kChargeDown), 360.0f},
                                     {kChargeLeft, mirroredInY(kChargeLeft), 90.0f},
                                     {kChargeRight, mirroredInY(kChargeRight), 270.0f}};
        const Look charge{constant(4), constant(4), random(4, 5), random(5.5f, 6.5f), kInLinear,
                          kInLinear,   kInCubic,    0.0f,         kCrossShape};
        int index = 20;
        for (const Charge& direction : directions) {
            for (const SplinePoints& points : {direction.curve, direction.mirrored}) {
                define(index++, newDef(),
                       {0, splinePath(points, false, 560), random(direction.angle - 1, direction.angle + 1),
                        sweep(1, 4, kInLinear, 500), random(500, 1000), -1, 1000},
                       charge, {{{1.0f, 0xffbc2000u}, {1.0f, 0x00602030u}}});
            }
        }
    }

    // Sparks where something is hit: a robot (2), a beam on a wall or the player (3, 4), on the
    // shield, the armour or a robot (5, 6, 7); and the splinters of a broken door (8).
    void buildSparks() {
        PSys::ParticleDef& sparks = newDef();
        define(2, sparks,
               {100, movingPoint<Util::RandMovingPointCircle>(0.0f, 30.0f, 0.0f), random(0, 359), random(2.5f, 7.5f),
                sweep(135, 550, kInLinear, 60), 200, 2000},
               {constant(4), constant(4), sweep(4, 5, kInLinear, 60), random(0.5f, 1.5f), kInQuart, kInLinear,
                kInOutElastic, 2.0f, kCrossShape},
               {kFlame});
        file(3, sparks, kCrossShape);
        file(4, sparks, kCrossShape);

        const Look glancing{constant(4), constant(4), sweep(3, 4, kInLinear, 60), random(0.5f, 1.5f), kInQuart,
                            kInLinear,   kInOutElastic, 1.0f,                   kCrossShape};
        for (int index : {5, 6, 7}) {
            define(index, newDef(),
                   {400, movingPoint<Util::RandMovingPointCircle>(0.0f, 10.0f, 0.0f), random(0, 359),
                    random(5.5f, 10.5f), sweep(400, 600, kInLinear, 60), 100, 2000},
                   glancing, kPinkSparks);
        }

        constexpr float kFrame = 16.666666f;
        define(8, newDef(),
               {400,
                movingPoint<Util::RandMovingPoint>(kFrame, Util::RandMovingPoint::Range{-20.0f, 20.0f}, kFrame,
                                                   Util::RandMovingPoint::Range{0.0f, 10.0f}),
                random(75, 105), random(5.5f, 10.5f), sweep(400, 600, kInLinear, 60), 100, 2000},
               {constant(4), constant(4), constant(1), constant(1), kInQuart, kInLinear, kInLinear, 0.0f, kCrossShape},
               kPinkSparks);
    }

    // Bursts: the destroyed boss (13), a boss bullet's trail (14), an opened power-up box (15, 16)
    // and a picked-up power-up (17).
    void buildBursts() {
        define(13, newDef(),
               {0, movingPoint<Util::CircleMovingPoint>(80.0f, 3.0f, true, 0), random(0, 359),
                sweep(1, 4, kInLinear, 500), random(100, 350), -1, 1000},
               {constant(4), constant(4), random(4, 5), random(5.5f, 6.5f), kInLinear, kInLinear, kInCubic, 0.0f,
                kCrossShape},
               {{{0.8f, 0x0fb0700fu}, {1.0f, 0x00005090u}}, {{1.0f, 0x0fd0c00bu}, {1.0f, 0x00002060u}}});
        define(14, newDef(),
               {0, movingPoint<Util::CircleMovingPoint>(40.0f, 5.0f, true, 0), random(0, 359),
                sweep(1, 3, kInLinear, 500), random(100, 300), -1, 500},
               {constant(2), constant(4), random(2, 4), random(5.5f, 6.5f), kInLinear, kInLinear, kInCubic, 1.0f,
                kDiamondShape},
               {{{0.9f, 0xff4c0078u}, {1.0f, 0xff0000a8u}}, {{1.0f, 0xff0000a8u}, {1.0f, 0x00000048u}}});

        // Two points circling the box in opposite directions, starting on opposite sides.
        const Look box{constant(4), constant(4), constant(0.5f), constant(4), kInLinear,
                       kInLinear,   kInLinear,   0.0f,           kCrossShape};
        const Gradient boxColours = {{0.75f, 0xff7f15b6u}, {1.0f, 0xff9c240eu}};
        define(15, newDef(),
               {1000, movingPoint<Util::CircleMovingPoint>(100.0f, 2.0f, false, 0), random(0, 359), random(1, 2),
                sweep(100, 500, kInOutQuart, 60), 1000, 40},
               box, {boxColours});
        define(16, newDef(),
               {1000, movingPoint<Util::CircleMovingPoint>(100.0f, 2.0f, true, 180), random(0, 359), random(1, 2),
                sweep(100, 500, kInOutQuart, 60), 1000, 40},
               box, {boxColours});

        define(17, newDef(), {200, &m_origin, random(0, 359), constant(4), constant(250), 500, 100},
               {constant(4), constant(4), constant(2), constant(2), kInLinear, kInLinear, kInLinear, 0.0f, kCrossShape},
               {{{1.0f, 0x70006090u}}, {{1.0f, 0x70009060u}}});
    }

    PSys::ParticleDef& newDef() { return m_defs.emplace_back(); }

    template <typename Point, typename... Args>
    Util::IMovingPoint* movingPoint(Args&&... args) {
        return m_points.emplace_back(std::make_unique<Point>(std::forward<Args>(args)...)).get();
    }

    Util::IMovingPoint* splinePath(const SplinePoints& points, bool pingPong, float period) {
        const CatmullRomSpline* spline =
            m_splines.emplace_back(std::make_unique<CatmullRomSpline>(points.data(), int(points.size() / 2))).get();
        return movingPoint<Tween::SplinePath>(0.0f, 0.0f, pingPong, period, spline);
    }

    void define(int index, PSys::ParticleDef& def, const Emission& emission, const Look& look,
                std::vector<Gradient> gradients) {
        def.rate = emission.rate;
        def.path = &m_origin;
        def.spread = emission.spread;
        def.angle = emission.angle;
        def.speed = emission.speed;
        def.size0 = look.size0;
        def.size1 = look.size1;
        def.thickness0 = look.thickness0;
        def.thickness1 = look.thickness1;
        def.life = emission.life;
        def.aimSpread = emission.aimSpread;
        def.gradients = std::move(gradients);
        def.positionEaser = look.positionEaser;
        def.sizeEaser = look.sizeEaser;
        def.thicknessEaser = look.thicknessEaser;
        def.thicknessScale = look.thicknessScale;
        def.duration = emission.duration;
        def.maxParticles = emission.maxParticles;
        file(index, def, look.shape);
    }

    // A definition filed under several indexes has the id of the last.
    void file(int index, PSys::ParticleDef& def, int shape) {
        def.id = index;
        m_registry[static_cast<size_t>(index)] = &def;
        m_shapes[index] = shape;
    }

    Util::NonMovingPoint m_origin{0.0f, 0.0f};
    std::vector<std::unique_ptr<CatmullRomSpline>> m_splines;
    std::vector<std::unique_ptr<Util::IMovingPoint>> m_points;
    std::deque<PSys::ParticleDef> m_defs;  // a deque keeps the registry's pointers valid as it grows
    std::array<const PSys::ParticleDef*, kParticleDefCount> m_registry{};
    std::map<int, int> m_shapes;
};

Library& library() {
    static Library s_library;
    return s_library;
}

}  // namespace

const PSys::ParticleDef* particleDef(int index) { return library().def(index); }

int particleShape(int id) { return library().shape(id); }

}  // namespace Zelmo
