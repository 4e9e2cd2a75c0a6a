#pragma once

// A beam (a robot's weapon, a prisoner's chain, an explosion, a hit flash, the rescue effect) is
// a timeline of entries, each showing one segment definition between a start and an end time.
// Every frame the timeline is advanced and the entries active at that moment are evaluated into
// segments to draw. A finished timeline may restart a number of times.

#include <cstdint>
#include <vector>

#include "engine/util/Random.h"
#include "game/effects/BeamSegment.h"
#include "game/effects/BeamSegmentDef.h"
#include "game/effects/LightningGenerator.h"

namespace Zelmo {

struct BeamTimelineEntry {
    float startMs = 0.0f;
    float endMs = 0.0f;  // the segment's easing runs over endMs - startMs
    const BeamSegmentDef* segment = nullptr;
};

// The bolts of one lightning entry. Its generator's random state is saved when the state is made
// and restored before every regeneration, so the bolts keep their shape from frame to frame while
// their parameters stay the same.
struct BeamBoltState {
    int32_t entry = 0;  // the entry's position in its timeline
    LightningGenerator generator;
    BoltParams params;
};

struct BeamTimeline {
    static constexpr int32_t kForEver = -1;

    bool active = false;    // an entry was active in the last update
    bool finished = false;  // in the last update every entry had ended
    float time = 0.0f;      // the timeline's clock, ms
    int32_t loops = 0;      // restarts left; kForEver never runs out
    float restartTime = 0.0f;
    std::vector<BeamTimelineEntry> entries;  // also the drawing order of their segments
    std::vector<BeamBoltState> boltStates;

    // Advances the clock by dt ms and appends one segment per active entry to out. bounds
    // receives {-h, -h, 2h, 2h} for the last active segment, h = its extent × its scale.
    void update(float dt, std::vector<BeamSegment>& out, float (&bounds)[4]);
};

// Appends the entries of a beam type (1 to 20) and sets its loops and restart time; any other
// type adds nothing.
void beamTimeline(int type, BeamTimeline& timeline);

// The random numbers of the lightning segments' varying values, shared by every beam and drawn
// in update order; seeded from the system's random device.
Util::Random& beamRandom();

}  // namespace Zelmo
