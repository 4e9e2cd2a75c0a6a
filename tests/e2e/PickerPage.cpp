#include "tests/e2e/PickerPage.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "engine/input/InputControllers.h"

namespace E2E {

PickerPage::PickerPage(const std::string& file, int windowWidth, int windowHeight) {
    Input::InputControllers l_controllers;
    if (!l_controllers.loadSchema("data/InputConfig.fbs") || !l_controllers.load("PAGE", file, nullptr)) return;
    Input::InputController& l_page = *l_controllers.find("PAGE");
    for (const auto& l_area : l_page.getScreenAreaController().getAreas()) {
        const Input::AreaRect l_rect = l_area->getRect();
        const Box l_box{int(std::floor(float(windowWidth) * l_rect.x / 100)),
                        int(std::floor(float(windowHeight) * l_rect.y / 100)),
                        int(std::ceil(float(windowWidth) * (l_rect.x + l_rect.width) / 100)),
                        int(std::ceil(float(windowHeight) * (l_rect.y + l_rect.height) / 100))};
        m_areas.push_back({l_area->getName(), l_box});
        const std::string& l_label = l_area->getLabel();
        if (l_area->isVisible() && !l_area->getColour().empty()) {
            m_choices.push_back(l_area->getName());
        } else if (l_area->getColour().empty() && !l_label.empty() && l_label != "*FILLAREA*") {
            m_texts.push_back(l_area->getName());
        }
    }
}

namespace {

// How brightly a box is lit on average (r + g + b per pixel).
long meanLight(const Picture& picture, const Box& box) {
    long l_sum = 0;
    for (int y = box.y0; y < box.y1 && y < picture.height; ++y) {
        for (int x = box.x0; x < box.x1 && x < picture.width; ++x) l_sum += long(picture.brightness(x, y));
    }
    return l_sum / std::max(1, box.width() * box.height());
}

}  // namespace

std::string PickerPage::litChoice(const Picture& picture) const {
    std::string l_lit;
    long l_brightest = 0, l_next = 0;
    for (const std::string& l_choice : m_choices) {
        const long l_light = meanLight(picture, box(l_choice));
        if (l_light > l_brightest) {
            l_next = l_brightest;
            l_brightest = l_light;
            l_lit = l_choice;
        } else {
            l_next = std::max(l_next, l_light);
        }
    }
    return l_brightest > l_next * 3 / 2 ? l_lit : std::string();
}

// Probed a few pixels in from the left edge of the boxes, clear of their rounded corners.
bool PickerPage::isShownIn(const Picture& picture) const {
    if (m_choices.empty() || picture.width == 0) return false;
    const auto lit = [&](int x, int y) { return y >= 0 && y < picture.height && picture.brightness(x, y) > 0; };
    const int l_x = box(m_choices.front()).x0 + 6;
    for (size_t i = 0; i < m_choices.size(); ++i) {
        const Box l_box = box(m_choices[i]);
        if (!lit(l_x, l_box.centreY())) return false;
        if (i + 1 < m_choices.size() && lit(l_x, (l_box.y1 + box(m_choices[i + 1]).y0) / 2)) return false;
    }
    return true;
}

std::string PickerPage::step(X11Window& window) const {
    const std::string l_before = litChoice(window.capture());
    window.quickTapKey("Down");
    std::string l_after;
    window.waitUntil(
        [&](const Picture& picture) {
            l_after = litChoice(picture);
            return !l_after.empty() && l_after != l_before;
        },
        5000);
    // The picker takes no press for a moment after each step, so that a player does not take
    // a choice that has only just lit.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return l_after;
}

bool PickerPage::stepTo(X11Window& window, const std::string& choice) const {
    for (size_t l_tap = 0; l_tap <= m_choices.size(); ++l_tap) {
        if (litChoice(window.capture()) == choice) return true;
        step(window);
    }
    return litChoice(window.capture()) == choice;
}

Box PickerPage::box(const std::string& area) const {
    for (const Named& l_named : m_areas) {
        if (l_named.name == area) return l_named.box;
    }
    return {};
}

}  // namespace E2E
