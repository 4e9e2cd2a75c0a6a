#pragma once

// The segments beams are made of: a shape (polylines in beam-local coordinates, or lightning
// bolts generated every frame) and how its offset, repetition, scale, thickness, rotation and
// colour move from a start to an end value over the segment's time.
//
// Beam-local coordinates: y runs along the beam from its origin, x across it in world units.
// For a stretched segment y = 0 is the beam's origin and y = 1 its end. Angles are degrees.

#include <cstdint>
#include <vector>

#include "engine/tween/Easing.h"
#include "game/effects/ColourPair.h"

namespace Zelmo {

template <typename T>
struct FromTo {
    T from;
    T to;
};

// A value of a lightning segment that may vary over the segment's life.
template <typename T>
struct VaryingValue {
    static constexpr int32_t kEased = -1;      // from min to max over the segment's time
    static constexpr int32_t kEveryUpdate = 1;  // drawn between min and max at every update
    static constexpr int32_t kOnce = 0;         // drawn once when the bolts are first made, then kept

    T min = 0;
    T max = 0;
    int32_t mode = kOnce;
};

using Polyline = std::vector<float>;  // x0, y0, x1, y1, ...

struct BeamSegmentDef {
    Tween::EaseFn easer = Penner::Linear::easeIn;
    FromTo<float> offsetX{0.0f, 0.0f};
    FromTo<float> offsetY{0.0f, 0.0f};
    FromTo<int32_t> count{1, 1};  // times the shape is drawn over itself, for brightness
    FromTo<float> scale{1.0f, 1.0f};
    FromTo<float> thickness{1.0f, 1.0f};  // multiplier of the display's line thickness
    FromTo<float> angle{0.0f, 0.0f};      // relative to the beam
    ColourPair colour{0xffffffff, 0xffffffff};
    bool stretch = true;      // y is also multiplied by the beam's length
    bool mirror = false;      // points with x < 0 take the negated x offset
    bool filled = false;      // also drawn as a filled polygon
    bool boltMirror = false;  // each bolt is reflected through the midpoint of its ends
    int32_t boltAngleMin = 0;  // whole degrees of the direction of a bolt's ends
    int32_t boltAngleMax = 0;
    // With kEveryUpdate a whole number between min and max inclusive, otherwise eased and
    // truncated. A segment whose bolt count min is not 0 is a lightning segment.
    VaryingValue<int32_t> boltCount;
    VaryingValue<float> boltStartRadius;  // distance of a bolt's start from the segment origin
    VaryingValue<float> boltEndRadius;
    VaryingValue<int32_t> boltAmplitude;
    VaryingValue<float> boltDecay;
    VaryingValue<float> boltThreshold;
    VaryingValue<float> boltMidpointScale;
    std::vector<Polyline> polylines;  // the shape, each an open polyline; empty for lightning

    bool isLightning() const { return boltCount.min != 0; }
};

// The definition with the id, or null when there is none. Built on the first call and kept
// until the process ends.
const BeamSegmentDef* beamSegmentDef(int id);

// A closed polygon of n corners on a circle, starting at (0, radius) and ending there again.
Polyline circlePolyline(float radius, float n);

}  // namespace Zelmo
