#pragma once
#include <cstdint>

// The countdowns of the current area that are nearest to firing, for drawing as a growing bar:
// a switch or dwell user sees from it when the next action will come. All zero shows nothing.
struct SwitchTimerInfo {
    struct Colour {
        uint8_t red = 0;
        uint8_t green = 0;
        uint8_t blue = 0;
        uint8_t alpha = 0;

        // From a data colour, 0xRRGGBBAA.
        static Colour fromRgba(uint32_t rrggbbaa);
        bool isZero() const { return red == 0 && green == 0 && blue == 0 && alpha == 0; }
        // Packed for drawing (alpha in the top byte, red in the lowest).
        uint32_t abgr() const;
    };

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
