// The beam segments the timelines are made of, built in code on first use.
#include <cmath>
#include <map>

#include "engine/tween/Penner.h"
#include "game/effects/BeamSegmentDef.h"

namespace Zelmo {
namespace {

using Defs = std::map<int, BeamSegmentDef>;

const Polyline kCentreLine = {0.0f, 0.0f, 0.0f, 1.0f};

template <typename T>
constexpr FromTo<T> steady(T value) {
    return {value, value};
}

constexpr ColourPair steadyColour(uint32_t colour) { return {colour, colour}; }

BeamSegmentDef shape(std::vector<Polyline> polylines, ColourPair colour) {
    BeamSegmentDef def;
    def.polylines = std::move(polylines);
    def.colour = colour;
    return def;
}

// Sized in world units rather than along the beam.
BeamSegmentDef unstretched(std::vector<Polyline> polylines, ColourPair colour) {
    BeamSegmentDef def = shape(std::move(polylines), colour);
    def.stretch = false;
    return def;
}

void addSideLines(Defs& defs) {
    const std::vector<Polyline> sides = {{-25.0f, 0.0f, -25.0f, 1.0f}, {25.0f, 0.0f, 25.0f, 1.0f}};
    defs[0] = shape(sides, {0xffffffff, 0xffff00ff});
    defs[1] = shape(sides, {0xffff00ff, 0xffffffff});
}

// 5 to 12 move out to one side or the other (odd ids right, even left) through a cycle of colours.
void addSpreadingLines(Defs& defs) {
    const ColourPair colours[] = {
        {0xffa5fbfa, 0xff541d22}, {0xff541d22, 0xffff3800}, {0xffff3800, 0xff3d16ea}, {0xff3d16ea, 0xffa5fbfa}};
    for (int id = 5; id <= 12; ++id) {
        BeamSegmentDef def = shape({kCentreLine}, colours[(id - 5) / 2]);
        def.offsetX = {0.0f, id % 2 == 1 ? 20.0f : -20.0f};
        defs[id] = def;
    }
    for (int id : {13, 14}) {
        const float side = id == 13 ? 1.0f : -1.0f;
        BeamSegmentDef def = shape({kCentreLine}, {0xff557b7a, 0xffff3800});
        def.offsetX = {20.0f * side, 0.0f};
        def.count = {1, 4};
        def.angle = {15.0f * side, 0.0f};
        defs[id] = def;
    }
    BeamSegmentDef thickening = shape({kCentreLine}, {0xffffffff, 0xffff00ff});
    thickening.thickness = {1.0f, 4.0f};
    defs[15] = thickening;
    BeamSegmentDef thinning = shape({kCentreLine}, steadyColour(0xffffffff));
    thinning.thickness = {4.0f, 1.0f};
    defs[16] = thinning;
}

void addRunningBars(Defs& defs) {
    for (int id : {17, 18}) {
        BeamSegmentDef def = shape({{-15.0f, 0.0f, 15.0f, 0.0f}}, steadyColour(id == 17 ? 0xff3d16ea : 0xffff3800));
        def.offsetY = {0.0f, 1.0f};
        def.count = {4, 1};
        def.thickness = {3.0f, 1.0f};
        defs[id] = def;
    }
}

void addFilledBeams(Defs& defs) {
    const Polyline quad = {-20.0f, 1.0f, -20.0f, 0.0f, 20.0f, 0.0f, 20.0f, 1.0f};
    BeamSegmentDef glowing = shape({quad}, {0x4faf0faf, 0x4fafafaf});
    glowing.filled = true;
    glowing.count = steady(4);
    glowing.thickness = steady(4.0f);
    defs[19] = glowing;
    BeamSegmentDef fading = shape({quad}, {0xffafafaf, 0x001f001f});
    fading.filled = true;
    fading.count = {4, 1};
    fading.thickness = steady(4.0f);
    defs[20] = fading;

    BeamSegmentDef opening =
        shape({{-30.0f, 1.0f, -30.0f, 0.0f, 30.0f, 0.0f, 30.0f, 1.0f}, {-20.0f, 1.0f, 20.0f, 1.0f}},
              {0x4faf0faf, 0x4fafff0a});
    opening.mirror = true;
    opening.filled = true;
    opening.offsetX = {0.0f, -45.0f};
    opening.count = steady(4);
    opening.thickness = steady(4.0f);
    defs[21] = opening;

    struct Trapezoid {
        int id;
        float farHalf;
        float nearHalf;
        ColourPair colour;
    };
    for (const Trapezoid& t : {Trapezoid{23, 5.0f, 12.5f, {0xff5040f0, 0xff4600c0}},
                               Trapezoid{25, 12.5f, 20.0f, {0x7fa03800, 0xfff83d53}},
                               Trapezoid{26, 3.0f, 5.0f, {0xff79d0ff, 0x7f6be2f7}}}) {
        BeamSegmentDef def =
            shape({{t.farHalf, 1.0f, t.nearHalf, 0.0f, -t.nearHalf, 0.0f, -t.farHalf, 1.0f}}, t.colour);
        def.mirror = true;
        def.filled = true;
        def.offsetX = {-5.0f, 5.0f};
        def.thickness = {0.5f, 1.0f};
        defs[t.id] = def;
    }
}

void addDashes(Defs& defs) {
    BeamSegmentDef four = shape({}, steadyColour(0xffafff0a));
    for (float y : {0.1f, 0.3f, 0.5f, 0.7f}) {
        four.polylines.push_back({0.0f, y, 0.0f, y + 0.1f});
    }
    four.offsetY = {0.0f, 0.1f};
    four.thickness = steady(4.0f);
    defs[28] = four;

    BeamSegmentDef five = shape({}, steadyColour(0xfffaa5fa));
    for (int k = 0; k <= 4; ++k) {
        five.polylines.push_back({0.0f, 0.2f * float(k), 0.0f, 0.2f * float(k) + 0.1f});
    }
    five.offsetY = {0.0f, 0.1f};
    five.thickness = steady(4.0f);
    defs[30] = five;

    BeamSegmentDef one = shape({{0.0f, 0.0f, 0.0f, 0.1f}}, steadyColour(0xfffaa5fa));
    one.offsetY = {0.0f, 0.9f};
    one.thickness = steady(4.0f);
    defs[31] = one;

    for (int k = 0; k <= 4; ++k) {
        const float y0 = 0.03f + 0.2f * float(k);
        const float y1 = 0.05f + 0.2f * float(k);
        BeamSegmentDef ticks = shape({{20.0f, y0, 20.0f, y1}, {-20.0f, y0, -20.0f, y1}}, steadyColour(0xffafff0a));
        ticks.mirror = true;
        ticks.offsetX = {0.0f, -60.0f};
        ticks.offsetY = {0.0f, 0.2f};
        ticks.thickness = steady(2.0f);
        defs[32 + k] = ticks;
    }
}

void addZigzags(Defs& defs) {
    const std::vector<Polyline> zigzags = {{-20.0f, 0.0f, -30.0f, 0.2f, -20.0f, 0.4f, -30.0f, 0.6f, -20.0f, 1.0f},
                                           {20.0f, 0.0f, 30.0f, 0.2f, 20.0f, 0.4f, 30.0f, 0.6f, 20.0f, 1.0f}};
    const ColourPair colour = steadyColour(0xff0038af);
    BeamSegmentDef steadyZigzag = shape(zigzags, colour);
    steadyZigzag.thickness = steady(4.0f);
    defs[40] = steadyZigzag;
    BeamSegmentDef closing = shape(zigzags, colour);
    closing.mirror = true;
    closing.offsetX = {-20.0f, 0.0f};
    closing.thickness = {2.0f, 4.0f};
    defs[41] = closing;
    BeamSegmentDef vanishing = shape(zigzags, colour);
    vanishing.thickness = {4.0f, 0.0f};
    defs[42] = vanishing;
}

void addBlasts(Defs& defs) {
    BeamSegmentDef ring = unstretched({circlePolyline(50.0f, 12.0f)}, {0xffff3800, 0x3fffffff});
    ring.easer = Penner::Cubic::easeIn;
    ring.scale = {1.0f, 3.0f};
    ring.thickness = {1.0f, 20.0f};
    defs[43] = ring;
    BeamSegmentDef shrinking = unstretched({circlePolyline(50.0f, 36.0f)}, {0xff01018a, 0xff0505fa});
    shrinking.easer = Penner::Cubic::easeIn;
    shrinking.scale = {3.0f, 1.0f};
    shrinking.thickness = {1.0f, 3.0f};
    defs[44] = shrinking;

    const std::vector<Polyline> spokes = {{0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, -1.0f}};
    for (int id : {45, 46}) {
        BeamSegmentDef def = unstretched(spokes, {0xff557b7a, 0xffff3800});
        def.easer = Penner::Cubic::easeIn;
        def.scale = {500.0f, 1200.0f};
        def.thickness = id == 45 ? FromTo<float>{1.0f, 4.0f} : FromTo<float>{2.0f, 6.0f};
        def.angle = id == 45 ? FromTo<float>{360.0f, 0.0f} : FromTo<float>{0.0f, 360.0f};
        defs[id] = def;
    }
}

void addRescueBars(Defs& defs) {
    std::vector<Polyline> bars;
    for (int k = 0; k <= 4; ++k) {
        bars.push_back({-20.0f, 0.2f * float(k), 20.0f, 0.2f * float(k)});
    }
    for (int id : {49, 52}) {
        BeamSegmentDef def = unstretched(bars, steadyColour(0xffafff0a));
        def.offsetY = id == 49 ? FromTo<float>{0.0f, 100.0f} : FromTo<float>{100.0f, 0.0f};
        defs[id] = def;
    }
    for (int id : {51, 54}) {
        BeamSegmentDef def = unstretched({{-20.0f, 0.0f, 20.0f, 0.0f}}, steadyColour(0xff0505fa));
        def.thickness = {1.0f, 4.0f};
        def.offsetY = {50.0f, id == 51 ? 100.0f : 0.0f};
        defs[id] = def;
    }
}

void addDiamonds(Defs& defs) {
    const Polyline diamond = {0.0f, 10.0f, 10.0f, 0.0f, 0.0f, -10.0f, -10.0f, 0.0f, 0.0f, 10.0f};
    for (int id : {139, 140}) {
        BeamSegmentDef def =
            unstretched({diamond}, id == 139 ? ColourPair{0xff060359, 0xff0603a9} : ColourPair{0xff2c004a, 0xff4c008a});
        def.scale = {1.0f, 5.0f};
        def.thickness = {2.0f, 3.0f};
        defs[id] = def;
    }
}

// --- Lightning ---

template <typename T>
VaryingValue<T> eased(T min, T max) {
    return {min, max, VaryingValue<T>::kEased};
}

template <typename T>
VaryingValue<T> everyUpdate(T min, T max) {
    return {min, max, VaryingValue<T>::kEveryUpdate};
}

template <typename T>
VaryingValue<T> once(T min, T max) {
    return {min, max, VaryingValue<T>::kOnce};
}

template <typename T>
VaryingValue<T> fixed(T value) {
    return {value, value, VaryingValue<T>::kOnce};
}

struct Bolts {
    VaryingValue<int32_t> count;
    VaryingValue<float> start;
    VaryingValue<float> end;
    VaryingValue<int32_t> amplitude;
    VaryingValue<float> decay;
    VaryingValue<float> threshold;
    VaryingValue<float> midpoint;
};

BeamSegmentDef lightning(float angle, ColourPair colour, FromTo<float> scale, FromTo<float> thickness,
                         const Bolts& bolts) {
    BeamSegmentDef def;
    def.stretch = false;
    def.angle = steady(angle);
    def.colour = colour;
    def.scale = scale;
    def.thickness = thickness;
    def.boltCount = bolts.count;
    def.boltStartRadius = bolts.start;
    def.boltEndRadius = bolts.end;
    def.boltAmplitude = bolts.amplitude;
    def.boltDecay = bolts.decay;
    def.boltThreshold = bolts.threshold;
    def.boltMidpointScale = bolts.midpoint;
    return def;
}

// Successive ids of a group take these colours in turn.
constexpr uint32_t kFireCycle[] = {0xff541d22, 0xffff3800, 0xff966359, 0xfff83d53};
constexpr uint32_t kSparkCycle[] = {0xfb61e727, 0xffe79328, 0xff966359, 0xfff83d53};

ColourPair inTurn(const uint32_t (&cycle)[4], int index) { return steadyColour(cycle[index % 4]); }

void addExplosionLightning(Defs& defs) {
    for (int id : {60, 61}) {
        BeamSegmentDef def = lightning(0.0f, {0xffff3800, 0xffa53838}, steady(1.0f), {4.0f, 1.0f},
                                       {eased(1, 4), fixed(0.0f), fixed(id == 60 ? -4.0f : 4.0f), eased(300, 50),
                                        fixed(0.5f), fixed(25.0f), eased(0.66f, 1.5f)});
        def.stretch = true;
        def.easer = Penner::Cubic::easeIn;
        defs[id] = def;
    }
    for (int id = 66; id <= 85; ++id) {
        defs[id] = lightning(18.0f * float(id - 66), inTurn(kFireCycle, id - 66), {1.0f, 5.0f}, {3.0f, 0.5f},
                             {eased(5, 1), eased(0.0f, 20.0f), eased(50.0f, 60.0f), eased(60, 40), once(0.5f, 0.7f),
                              fixed(10.0f), eased(0.5f, 1.2f)});
    }
}

void addStrikeLightning(Defs& defs) {
    for (int id = 86; id <= 95; ++id) {
        defs[id] = lightning(36.0f * float(id - 86), inTurn(kFireCycle, id - 86), steady(1.0f), {2.0f, 0.5f},
                             {eased(3, 1), eased(50.0f, 10.0f), eased(90.0f, 50.0f), eased(500, 100),
                              everyUpdate(0.5f, 0.7f), fixed(50.0f), fixed(0.5f)});
    }
    for (int id = 96; id <= 101; ++id) {
        defs[id] = lightning(60.0f * float(id - 96), inTurn(kFireCycle, id - 96), steady(1.0f), {3.0f, 0.5f},
                             {eased(5, 1), eased(0.0f, 100.0f), eased(100.0f, 125.0f), eased(300, 200),
                              once(0.5f, 0.7f), fixed(50.0f), eased(0.5f, 1.2f)});
    }
    for (int id = 102; id <= 107; ++id) {
        defs[id] = lightning(60.0f * float(id - 102), inTurn(kFireCycle, id - 102), steady(1.0f), steady(3.0f),
                             {fixed(5), fixed(0.0f), eased(10.0f, 100.0f), eased(50, 100), once(0.5f, 0.7f),
                              fixed(50.0f), eased(0.5f, 1.2f)});
    }
}

void addSparkLightning(Defs& defs) {
    const ColourPair spark = steadyColour(0xffffdb75);
    auto sparkDef = [&](float angle, const Bolts& bolts) {
        BeamSegmentDef def = lightning(angle, spark, steady(1.0f), {1.3f, 1.7f}, bolts);
        def.boltMirror = true;
        return def;
    };
    for (int i = 0; i <= 5; ++i) {
        defs[116 + i] = sparkDef(60.0f * float(i), {fixed(1), eased(10.0f, 20.0f), eased(60.0f, 80.0f), fixed(115),
                                                    once(0.6f, 0.64f), fixed(45.0f), eased(0.6f, 0.75f)});
        defs[122 + i] = sparkDef(60.0f * float(i), {fixed(1), eased(20.0f, 10.0f), eased(80.0f, 60.0f), fixed(115),
                                                    once(0.6f, 0.64f), fixed(45.0f), eased(0.6f, 0.75f)});
    }
    for (int i = 0; i <= 3; ++i) {
        BeamSegmentDef def = sparkDef(180.0f * float(i), {fixed(1), everyUpdate(20.0f, 30.0f), fixed(110.0f),
                                                          fixed(115), once(0.6f, 0.64f), fixed(45.0f),
                                                          eased(0.6f, 0.75f)});
        def.boltAngleMin = -5;
        def.boltAngleMax = 5;
        defs[128 + i] = def;
    }
}

void addChainLightning(Defs& defs) {
    for (int id = 134; id <= 137; ++id) {
        const float reach = id <= 135 ? 230.0f : 230.0f * 1.333333f;
        BeamSegmentDef def = lightning(id % 2 == 0 ? 0.0f : 110.0f, {0xff8d6df7, 0xff5d4dd6}, steady(1.0f),
                                       steady(2.0f),
                                       {fixed(3), fixed(0.0f), fixed(reach), fixed(150), fixed(0.5f), fixed(50.0f),
                                        eased(0.5f, 1.2f)});
        def.mirror = true;
        defs[id] = def;
    }
    BeamSegmentDef whip = lightning(0.0f, {0xffffdb75, 0xff10d0e0}, steady(1.0f), {1.0f, 4.0f},
                                    {eased(1, 3), fixed(0.0f), everyUpdate(-100.0f, 100.0f), fixed(100),
                                     everyUpdate(0.1f, 0.5f), once(10.0f, 50.0f), everyUpdate(0.5f, 1.2f)});
    whip.offsetX = {-20.0f, 20.0f};
    defs[138] = whip;
}

void addFlashLightning(Defs& defs) {
    for (int id = 141; id <= 160; ++id) {
        defs[id] = lightning(18.0f * float(id - 141), inTurn(kSparkCycle, id - 141), steady(1.0f), {2.0f, 0.5f},
                             {eased(1, 2), fixed(50.0f), fixed(80.0f), eased(70, 50), once(0.5f, 0.7f), fixed(20.0f),
                              eased(0.5f, 1.2f)});
    }
    for (int id = 161; id <= 167; ++id) {
        defs[id] = lightning(360.0f / 7.0f * float(id - 161), inTurn(kFireCycle, id - 161), {0.08f, 0.12f},
                             {3.0f, 0.5f},
                             {fixed(1), eased(50.0f, 100.0f), eased(400.0f, 450.0f), eased(300, 200),
                              once(0.5f, 0.7f), fixed(50.0f), eased(0.5f, 1.2f)});
    }
}

Defs buildAll() {
    Defs defs;
    addSideLines(defs);
    addSpreadingLines(defs);
    addRunningBars(defs);
    addFilledBeams(defs);
    addDashes(defs);
    addZigzags(defs);
    addBlasts(defs);
    addRescueBars(defs);
    addDiamonds(defs);
    addExplosionLightning(defs);
    addStrikeLightning(defs);
    addSparkLightning(defs);
    addChainLightning(defs);
    addFlashLightning(defs);
    return defs;
}

}  // namespace

const BeamSegmentDef* beamSegmentDef(int id) {
    static const Defs defs = buildAll();
    const auto found = defs.find(id);
    return found == defs.end() ? nullptr : &found->second;
}

Polyline circlePolyline(float radius, float n) {
    Polyline points;
    for (int i = 0; float(i) < n; ++i) {
        const double angle = double(float(i) * 6.2831855f / n);
        points.push_back(radius * float(std::sin(angle)));
        points.push_back(radius * float(std::cos(angle)));
    }
    if (!points.empty()) {
        points.push_back(points[0]);
        points.push_back(points[1]);
    }
    return points;
}

}  // namespace Zelmo
