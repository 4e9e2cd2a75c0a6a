// The twenty beam types: their entries, loops and restarts, what shows at a few moments, and when
// each finishes.
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "game/effects/BeamTimeline.h"

using Zelmo::BeamSegment;
using Zelmo::BeamSegmentDef;
using Zelmo::BeamTimeline;

namespace {

using Ids = std::vector<int>;

Ids range(int first, int last) {
    Ids ids;
    for (int id = first; id <= last; ++id) {
        ids.push_back(id);
    }
    return ids;
}

Ids operator+(Ids a, const Ids& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Ids times(int n, const Ids& ids) {
    Ids all;
    for (int i = 0; i < n; ++i) {
        all = all + ids;
    }
    return all;
}

// Each id once, n times in turn: 96, 96, 97, 97, ...
Ids eachTimes(const Ids& ids, int n) {
    Ids all;
    for (int id : ids) {
        all = all + times(n, {id});
    }
    return all;
}

template <typename T>
bool between(T value, T a, T b) {
    return value >= std::min(a, b) - T(1e-3) && value <= std::max(a, b) + T(1e-3);
}

bool colourBetween(uint32_t value, uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (!between<int>(int(value >> shift & 0xff), int(a >> shift & 0xff), int(b >> shift & 0xff))) {
            return false;
        }
    }
    return true;
}

// A segment is an evaluation of the definition when every value lies on the definition's way
// from its start to its end value and the shape is the definition's.
::testing::AssertionResult showsSegment(const BeamSegment& s, int id) {
    const BeamSegmentDef* d = Zelmo::beamSegmentDef(id);
    if (d == nullptr) {
        return ::testing::AssertionFailure() << "no segment " << id;
    }
    const bool values = between(s.count, d->count.from, d->count.to) &&
                        between(s.offsetX, d->offsetX.from, d->offsetX.to) &&
                        between(s.offsetY, d->offsetY.from, d->offsetY.to) &&
                        between(s.scale, d->scale.from, d->scale.to) &&
                        between(s.thickness, d->thickness.from, d->thickness.to) &&
                        between(s.angle, d->angle.from, d->angle.to) &&
                        colourBetween(s.colour, d->colour.from, d->colour.to);
    const bool flags = s.stretch == d->stretch && s.mirror == d->mirror && s.filled == d->filled;
    const bool shape = d->isLightning() ? !s.polylines.empty() : s.polylines == d->polylines;
    if (values && flags && shape) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "not an evaluation of segment " << id << " (values " << values
                                         << ", flags " << flags << ", shape " << shape << ")";
}

struct Probe {
    float timeMs;
    Ids shown;
};

struct TypeCase {
    int type;
    size_t entries;
    int32_t loops;
    float restartMs;
    float lastEndMs;
    std::vector<Probe> probes;
};

const std::vector<TypeCase>& typeCases() {
    static const std::vector<TypeCase> cases = {
        {1, 2, 2, 0, 400, {{100, {0}}, {300, {1}}}},
        {2, 17, 1, 600, 900,
         {{50, {14, 13}}, {250, {15, 5, 6, 17}}, {650, {15, 7, 8, 9, 10, 11, 12, 18, 17}}}},
        {3, 2, 0, 0, 1000, {{250, {19}}, {750, {20}}}},
        {4, 3, 0, 0, 1000, {{50, {25}}, {500, {25, 23, 26}}}},
        {5, 21, 0, 0, 850, {{50, {31, 32}}, {450, times(5, {31}) + Ids{33, 34, 35}}}},
        {6, 36, 0, 0, 900, {{50, {32, 41}}, {650, range(32, 36) + Ids{42, 15}}}},
        {7, 3, 0, 0, 600, {{250, {21, 28, 30}}, {550, {28, 30}}}},
        {8, 43, 0, 0, 1550,
         {{50, {51, 54, 49, 52}}, {600, eachTimes({51, 54, 49, 52}, 3) + Ids{0, 31, 31}}}},
        {9, 34, 0, 0, 2100, {{550, range(86, 95) + range(102, 107)}, {1000, eachTimes(range(96, 101), 2)}}},
        {10, 22, 0, 0, 1250, {{50, {44, 45, 46}}, {1000, Ids{43} + times(7, {45}) + times(7, {46}) + Ids{60, 61}}}},
        {11, 24, 0, 0, 1700, {{250, {44}}, {1400, Ids{43} + range(66, 85)}}},
        {12, 34, 0, 0, 2100, {{550, range(86, 95) + range(102, 107)}, {1000, eachTimes(range(96, 101), 2)}}},
        {13, 8, 10, 0, 200, {{50, range(128, 131)}, {150, range(128, 131)}}},
        {14, 10, 0, 0, 2750, {{100, {139}}, {300, {139, 140}}, {2700, {140}}}},
        {15, 40, 6, 0, 500,
         {{50, {141, 146, 151, 156, 145, 150, 155, 160}}, {450, {145, 150, 155, 160, 141, 146, 151, 156}}}},
        {16, 63, 0, 0, 1300, {{450, times(5, range(161, 167))}, {1250, range(161, 167)}}},
        {17, 2, 5, 0, 200, {{50, {138}}, {150, {138}}}},
        {18, 56, 0, 0, 400, {{25, range(66, 85) + range(116, 121)}, {275, range(66, 85) + range(122, 127)}}},
        {19, 2, BeamTimeline::kForEver, 0, 400, {{200, {134, 135}}}},
        {20, 2, BeamTimeline::kForEver, 0, 400, {{200, {136, 137}}}},
    };
    return cases;
}

}  // namespace

TEST(BeamTimeline, EachTypeHasItsEntriesLoopsAndRestart) {
    for (const TypeCase& c : typeCases()) {
        BeamTimeline timeline;
        Zelmo::beamTimeline(c.type, timeline);
        SCOPED_TRACE(::testing::Message() << "type " << c.type);
        EXPECT_EQ(timeline.entries.size(), c.entries);
        EXPECT_EQ(timeline.loops, c.loops);
        EXPECT_EQ(timeline.restartTime, c.restartMs);
        float lastEnd = 0.0f;
        for (const Zelmo::BeamTimelineEntry& entry : timeline.entries) {
            ASSERT_NE(entry.segment, nullptr);
            EXPECT_LT(entry.startMs, entry.endMs);
            lastEnd = std::max(lastEnd, entry.endMs);
        }
        EXPECT_EQ(lastEnd, c.lastEndMs);
    }
}

TEST(BeamTimeline, EachTypeShowsItsSegmentsInOrder) {
    for (const TypeCase& c : typeCases()) {
        for (const Probe& probe : c.probes) {
            SCOPED_TRACE(::testing::Message() << "type " << c.type << " at " << probe.timeMs << " ms");
            BeamTimeline timeline;
            Zelmo::beamTimeline(c.type, timeline);
            std::vector<BeamSegment> shown;
            float bounds[4];
            timeline.update(probe.timeMs, shown, bounds);
            EXPECT_TRUE(timeline.active);
            ASSERT_EQ(shown.size(), probe.shown.size());
            for (size_t i = 0; i < shown.size(); ++i) {
                EXPECT_TRUE(showsSegment(shown[i], probe.shown[i])) << "segment " << i;
            }
        }
    }
}

TEST(BeamTimeline, TypesNineAndTwelveAreTheSameAndOthersAddNothing) {
    BeamTimeline nine, twelve, none;
    Zelmo::beamTimeline(9, nine);
    Zelmo::beamTimeline(12, twelve);
    ASSERT_EQ(nine.entries.size(), twelve.entries.size());
    for (size_t i = 0; i < nine.entries.size(); ++i) {
        EXPECT_EQ(nine.entries[i].segment, twelve.entries[i].segment);
        EXPECT_EQ(nine.entries[i].startMs, twelve.entries[i].startMs);
        EXPECT_EQ(nine.entries[i].endMs, twelve.entries[i].endMs);
    }
    for (int type : {0, 21, -3}) {
        Zelmo::beamTimeline(type, none);
        EXPECT_TRUE(none.entries.empty()) << type;
        EXPECT_EQ(none.loops, 0) << type;
    }
}

// Runs in 10 ms steps until the timeline finishes; passes counts the restarts and the first run.
struct LoopRun {
    int passes = 1;
    bool finished = false;
    float finishedAt = 0.0f;  // total time run
};

LoopRun runToEnd(BeamTimeline& timeline, float limitMs) {
    LoopRun run;
    std::vector<BeamSegment> shown;
    float bounds[4];
    for (float total = 10.0f; total <= limitMs; total += 10.0f) {
        const float before = timeline.time;
        shown.clear();
        timeline.update(10.0f, shown, bounds);
        if (timeline.time < before + 10.0f) {
            ++run.passes;
        }
        if (timeline.finished) {
            run.finished = true;
            run.finishedAt = total;
            return run;
        }
    }
    return run;
}

TEST(BeamTimeline, EachTypeFinishesAfterItsLastEntryAndItsLoops) {
    for (const TypeCase& c : typeCases()) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type);
        BeamTimeline timeline;
        Zelmo::beamTimeline(c.type, timeline);
        std::vector<BeamSegment> shown;
        float bounds[4];
        timeline.update(c.lastEndMs, shown, bounds);
        EXPECT_FALSE(timeline.finished) << "the last entry is still shown at its end";
        EXPECT_TRUE(timeline.active);
        shown.clear();
        timeline.update(1.0f, shown, bounds);
        EXPECT_TRUE(shown.empty());
        EXPECT_FALSE(timeline.active);
        if (c.loops == 0) {
            EXPECT_TRUE(timeline.finished);
            continue;
        }
        EXPECT_FALSE(timeline.finished) << "it restarts instead";
        EXPECT_EQ(timeline.time, c.restartMs);
        EXPECT_EQ(timeline.loops, c.loops == BeamTimeline::kForEver ? BeamTimeline::kForEver : c.loops - 1);
    }
}

TEST(BeamTimeline, LoopingTypesRunOnceMoreThanTheirLoopsOrForEver) {
    struct Case {
        int type;
        int passes;
    };
    for (const Case& c : {Case{1, 3}, Case{2, 2}, Case{13, 11}, Case{15, 7}, Case{17, 6}, Case{3, 1}}) {
        BeamTimeline timeline;
        Zelmo::beamTimeline(c.type, timeline);
        const LoopRun run = runToEnd(timeline, 60000.0f);
        EXPECT_TRUE(run.finished) << "type " << c.type;
        EXPECT_EQ(run.passes, c.passes) << "type " << c.type;
    }
    for (int type : {19, 20}) {
        BeamTimeline timeline;
        Zelmo::beamTimeline(type, timeline);
        const LoopRun run = runToEnd(timeline, 60000.0f);
        EXPECT_FALSE(run.finished) << "type " << type;
        EXPECT_GT(run.passes, 100) << "type " << type;
        EXPECT_EQ(timeline.loops, BeamTimeline::kForEver);
    }
}

TEST(BeamTimeline, TheFirstBeamShowsEachOfItsTwoSegmentsForTwoHundredMillisecondsThreeTimes) {
    BeamTimeline timeline;
    Zelmo::beamTimeline(1, timeline);
    const Zelmo::Polyline& sides = Zelmo::beamSegmentDef(0)->polylines[0];
    // A letter per update in the middle of each 50 ms: 'a' while segment 0 turns from white to
    // magenta, 'b' while segment 1 turns back, '-' for the update that ends a pass.
    std::string seen;
    std::vector<BeamSegment> shown;
    float bounds[4];
    for (int step = 0; step < 40 && !timeline.finished; ++step) {
        shown.clear();
        timeline.update(timeline.time == 0.0f ? 25.0f : 50.0f, shown, bounds);
        ASSERT_LE(shown.size(), 1u);
        if (shown.empty()) {
            seen += '-';
            continue;
        }
        ASSERT_EQ(shown[0].polylines[0], sides);
        const bool greenHigh = (shown[0].colour >> 8 & 0xff) > 0x80;
        const bool firstHalf = std::fmod(timeline.time, 200.0f) < 100.0f;
        seen += greenHigh == firstHalf ? 'a' : 'b';
    }
    EXPECT_EQ(seen, "aaaabbbb-aaaabbbb-aaaabbbb-");
    EXPECT_TRUE(timeline.finished);
}

// The second pass of the spreading beam starts at 600 ms: only what still runs then shows.
TEST(BeamTimeline, ARestartAtSixHundredShowsOnlyTheEntriesStillRunning) {
    BeamTimeline timeline;
    Zelmo::beamTimeline(2, timeline);
    std::vector<BeamSegment> shown;
    float bounds[4];
    timeline.update(901.0f, shown, bounds);
    ASSERT_EQ(timeline.time, 600.0f);
    EXPECT_EQ(timeline.loops, 0);
    shown.clear();
    timeline.update(50.0f, shown, bounds);
    const Ids expected = {15, 7, 8, 9, 10, 11, 12, 18, 17};
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(showsSegment(shown[i], expected[i])) << i;
    }
    shown.clear();
    timeline.update(251.0f, shown, bounds);
    EXPECT_TRUE(timeline.finished);
}
