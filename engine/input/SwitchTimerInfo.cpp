#include "engine/input/SwitchTimerInfo.h"

#include <cmath>

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
