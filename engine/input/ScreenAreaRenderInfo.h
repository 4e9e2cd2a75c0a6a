#pragma once
#include <cstdint>
#include <string>

#include "engine/input/IScreenArea.h"
#include "engine/input/SwitchTimerInfo.h"

// What an area renderer is told about one area: the texts are those of its selected form when
// it is drawn selected.
struct ScreenAreaRenderInfo {
    SwitchTimerInfo timerInfo;  // zero unless this is the current area
    int32_t mode = 0;
    bool selected = false;
    Input::AreaRect rect;  // percent of the window
    std::string colour;    // "0xRRGGBBAA"
    std::string label;
    std::string style;  // "colour, size, font, letter spacing"
};
