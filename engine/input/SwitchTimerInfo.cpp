#include "engine/input/SwitchTimerInfo.h"

#include <cmath>

SwitchTimerInfo::Colour SwitchTimerInfo::Colour::fromRgba(uint32_t rrggbbaa) {
    return {uint8_t(rrggbbaa >> 24), uint8_t(rrggbbaa >> 16), uint8_t(rrggbbaa >> 8), uint8_t(rrggbbaa)};
}

uint32_t SwitchTimerInfo::Colour::abgr() const {
    return uint32_t(alpha) << 24 | uint32_t(blue) << 16 | uint32_t(green) << 8 | red;
}

namespace {

bool shows(const SwitchTimerInfo::Entry& entry) { return entry.total != 0 && !entry.colour.isZero(); }

float runPercent(const SwitchTimerInfo::Entry& entry) {
    return float(entry.total - entry.remaining) / float(entry.total) * 100.0f;
}

}  // namespace

bool SwitchTimerInfo::getProgress(float& percent, Colour& colour) const {
    const Entry* shown = nullptr;
    if (shows(repeat)) {
        shown = &repeat;
        percent = runPercent(repeat);
    } else if (shows(hold) || shows(afterHold)) {
        shown = shows(hold) ? &hold : &afterHold;
        percent = std::trunc(runPercent(*shown));
    } else {
        return false;
    }
    if (percent < 100.0f) percent += 1.0f;
    colour = shown->colour;
    return true;
}
