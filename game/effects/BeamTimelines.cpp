// The twenty beam types as timelines of segments.
#include <initializer_list>

#include "game/effects/BeamTimeline.h"

namespace Zelmo {
namespace {

class Entries {
public:
    explicit Entries(BeamTimeline& timeline) : m_timeline(timeline) {}

    Entries& add(float startMs, float endMs, std::initializer_list<int> ids) {
        for (int id : ids) {
            m_timeline.entries.push_back({startMs, endMs, beamSegmentDef(id)});
        }
        return *this;
    }

    Entries& addRange(float startMs, float endMs, int firstId, int lastId) {
        for (int id = firstId; id <= lastId; ++id) {
            add(startMs, endMs, {id});
        }
        return *this;
    }

    // For k = 0..4: 100k to 450 + 100k, starting `delay` later.
    Entries& fiveOverlapping(float delay, int id) {
        for (int k = 0; k <= 4; ++k) {
            add(delay + 100.0f * float(k), delay + 450.0f + 100.0f * float(k), {id});
        }
        return *this;
    }

    void loop(int32_t loops, float restartTime) {
        m_timeline.loops = loops;
        m_timeline.restartTime = restartTime;
    }

private:
    BeamTimeline& m_timeline;
};

// A forked beam of lines that spread out and change colour, with bars running along it.
void spreadingBeam(Entries& e) {
    e.add(0, 200, {14}).add(0, 200, {13}).add(100, 900, {15});
    e.add(200, 400, {5}).add(200, 400, {6}).add(300, 700, {7}).add(300, 700, {8});
    e.add(400, 800, {9}).add(400, 800, {10}).add(500, 900, {11}).add(500, 900, {12});
    e.add(200, 400, {17}).add(300, 500, {18}).add(400, 600, {17}).add(500, 700, {18});
    e.add(600, 800, {17}).add(700, 900, {18});
    e.loop(1, 600);
}

// Ticks stepping outward in 100 ms windows.
void steppingTicks(Entries& e) {
    e.add(0, 100, {32});
    e.add(100, 200, {32, 33});
    e.add(200, 300, {32, 33, 34});
    e.add(300, 400, {32, 33, 34, 35});
    e.add(400, 500, {33, 34, 35});
    e.add(600, 700, {34, 35});
    e.add(700, 800, {35});
}

void tickedZigzag(Entries& e) {
    e.add(0, 100, {32});
    for (float start : {100.0f, 200.0f, 300.0f, 400.0f, 600.0f, 700.0f}) {
        e.add(start, start + 100, {32, 33, 34, 35, 36});
    }
    e.add(0, 300, {41}).add(300, 600, {40}).add(600, 900, {42}).add(600, 900, {15}).add(800, 900, {16});
}

void rescue(Entries& e) {
    e.fiveOverlapping(0, 51).fiveOverlapping(0, 54).fiveOverlapping(0, 49).fiveOverlapping(0, 52);
    e.add(500, 700, {0}).add(700, 900, {1});
    e.add(700, 900, {5, 6}).add(800, 1200, {7, 8}).add(900, 1300, {9, 10}).add(1000, 1400, {11, 12});
    e.add(850, 1050, {5, 6}).add(950, 1350, {7, 8}).add(1050, 1450, {9, 10}).add(1150, 1550, {11, 12});
    e.fiveOverlapping(500, 31);
}

void strikeHit(Entries& e) {
    e.addRange(0, 600, 86, 95).addRange(500, 700, 102, 107);
    for (int id = 96; id <= 101; ++id) {
        e.add(700, 1300, {id}).add(900, 1700, {id}).add(1100, 2100, {id});
    }
}

void explosion(Entries& e) {
    e.add(0, 600, {44}).add(100, 750, {44}).add(200, 900, {44}).add(500, 1250, {43});
    for (int k = 0; k <= 7; ++k) {
        e.add(150.0f * float(k), 1200, {45});
    }
    for (int k = 0; k <= 7; ++k) {
        e.add(150.0f * float(k), 1200, {46});
    }
    e.add(900, 1250, {60}).add(900, 1250, {61});
}

void beamHit(Entries& e) {
    e.add(200, 800, {44}).add(300, 950, {44}).add(400, 1100, {44}).add(700, 1450, {43});
    e.addRange(1300, 1700, 66, 85);
}

void flashOfSparks(Entries& e) {
    for (int s = 0; s <= 4; ++s) {
        const float start = 100.0f * float(s);
        for (int j = 0; j <= 3; ++j) {
            e.add(start, start + 100, {141 + s + 5 * j});
        }
        for (int j = 0; j <= 3; ++j) {
            e.add(start, start + 100, {145 - s + 5 * j});
        }
    }
    e.loop(6, 0);
}

void robotDeath(Entries& e) {
    e.addRange(0, 400, 66, 85);
    for (int m = 0; m <= 2; ++m) {
        const float start = 100.0f * float(m);
        for (int i = 0; i <= 5; ++i) {
            e.add(start, start + 50, {116 + i}).add(start + 50, start + 100, {122 + i});
        }
    }
}

}  // namespace

void beamTimeline(int type, BeamTimeline& timeline) {
    Entries e(timeline);
    switch (type) {
        case 1:
            e.add(0, 200, {0}).add(200, 400, {1}).loop(2, 0);
            break;
        case 2:
            spreadingBeam(e);
            break;
        case 3:
            e.add(0, 500, {19}).add(500, 1000, {20});
            break;
        case 4:
            e.add(0, 1000, {25}).add(100, 1000, {23}).add(300, 1000, {26});
            break;
        case 5:
            e.fiveOverlapping(0, 31);
            steppingTicks(e);
            break;
        case 6:
            tickedZigzag(e);
            break;
        case 7:
            e.add(0, 500, {21}).add(0, 600, {28}).add(0, 600, {30});
            break;
        case 8:
            rescue(e);
            break;
        case 9:
        case 12:
            strikeHit(e);
            break;
        case 10:
            explosion(e);
            break;
        case 11:
            beamHit(e);
            break;
        case 13:
            for (int id = 128; id <= 131; ++id) {
                e.add(0, 100, {id}).add(100, 200, {id});
            }
            e.loop(10, 0);
            break;
        case 14:
            for (int k = 0; k <= 9; ++k) {
                e.add(250.0f * float(k), 500.0f + 250.0f * float(k), {k % 2 == 0 ? 139 : 140});
            }
            break;
        case 15:
            flashOfSparks(e);
            break;
        case 16:
            for (int k = 0; k <= 8; ++k) {
                e.addRange(100.0f * float(k), 500.0f + 100.0f * float(k), 161, 167);
            }
            break;
        case 17:
            e.add(0, 100, {138}).add(100, 200, {138}).loop(5, 0);
            break;
        case 18:
            robotDeath(e);
            break;
        case 19:
            e.add(0, 400, {134}).add(0, 400, {135}).loop(BeamTimeline::kForEver, 0);
            break;
        case 20:
            e.add(0, 400, {136}).add(0, 400, {137}).loop(BeamTimeline::kForEver, 0);
            break;
        default:
            break;
    }
}

}  // namespace Zelmo
