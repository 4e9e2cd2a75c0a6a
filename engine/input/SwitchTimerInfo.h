#pragma once
#include <cstdint>

#include "engine/util/Colour.h"

// The countdowns of the current area that are nearest to firing, for drawing as a growing bar:
// a switch or dwell user sees from it when the next action will come. All zero shows nothing.
struct SwitchTimerInfo {
    using Colour = Util::Colour;

    struct Entry {
        int32_t remaining = 0;  // milliseconds
        int32_t total = 0;
        Colour colour;

        bool isEmpty() const { return remaining == 0 && total == 0 && colour.isZero(); }
    };

    Entry repeat;
    Entry hold;
    Entry afterHold;

    // How far the first of repeat, hold and after-hold with a total and a colour has run, in
    // percent, and that entry's colour. A countdown that has not quite run out shows 1 more, so
    // that the bar is never empty while one runs; the hold entries show whole percents only.
    // False when no entry qualifies.
    bool getProgress(float& percent, Colour& colour) const;
};
