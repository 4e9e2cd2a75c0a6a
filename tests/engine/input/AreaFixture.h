#pragma once
#include <memory>
#include <string>

#include "engine/input/ScreenArea.h"
#include "engine/input/ScreenAreaController.h"

// Adds an area over the given rectangle, in percent of the window. Only a hidden area is told
// its visibility, so that the tests also see what a new area starts as.
inline Input::IScreenArea& addArea(Input::ScreenAreaController& areas, const std::string& name, float x, float y,
                                   float width, float height, bool visible = true) {
    auto area = std::make_unique<Input::ScreenArea>(name);
    area->setRect(x, y, width, height);
    if (!visible) area->setVisible(false);
    Input::IScreenArea& added = *area;
    areas.add(std::move(area));
    return added;
}
