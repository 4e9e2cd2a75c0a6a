#include "tests/e2e/PickerPage.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "engine/input/InputControllers.h"
#include "tests/e2e/GameProcess.h"

namespace E2E {

PickerPage::PickerPage(const std::string& file, int windowWidth, int windowHeight,
                       Input::InputController::IRefs* refs) {
    Input::InputControllers controllers;
    if (!controllers.loadSchema("data/InputConfig.fbs") || !controllers.load("PAGE", file, refs)) return;
    Input::InputController& page = *controllers.find("PAGE");
    for (const auto& area : page.getScreenAreaController().getAreas()) {
        const Input::AreaRect rect = area->getRect();
        const Box choiceBox{int(std::floor(float(windowWidth) * rect.x / 100)),
                            int(std::floor(float(windowHeight) * rect.y / 100)),
                            int(std::ceil(float(windowWidth) * (rect.x + rect.width) / 100)),
                            int(std::ceil(float(windowHeight) * (rect.y + rect.height) / 100))};
        m_areas.push_back({area->getName(), choiceBox});
        const std::string& label = area->getLabel();
        if (area->isVisible() && !area->getColour().empty()) {
            m_choices.push_back(area->getName());
        } else if (area->getColour().empty() && !label.empty() && label != "*FILLAREA*") {
            m_texts.push_back(area->getName());
        }
    }
}

namespace {

// How brightly a box is lit on average (r + g + b per pixel).
long meanLight(const Picture& picture, const Box& box) {
    long sum = 0;
    for (int y = box.y0; y < box.y1 && y < picture.height; ++y) {
        for (int x = box.x0; x < box.x1 && x < picture.width; ++x) sum += long(picture.brightness(x, y));
    }
    return sum / std::max(1, box.width() * box.height());
}

}  // namespace

std::string PickerPage::litChoice(const Picture& picture) const {
    std::string lit;
    long brightest = 0, next = 0;
    for (const std::string& choice : m_choices) {
        const long light = meanLight(picture, box(choice));
        if (light > brightest) {
            next = brightest;
            brightest = light;
            lit = choice;
        } else {
            next = std::max(next, light);
        }
    }
    return brightest > next * 3 / 2 ? lit : std::string();
}

// Probed a few pixels in from the left edge of the boxes, clear of their rounded corners.
bool PickerPage::isShownIn(const Picture& picture) const {
    if (m_choices.empty() || picture.width == 0) return false;
    const auto lit = [&](int x, int y) { return y >= 0 && y < picture.height && picture.brightness(x, y) > 0; };
    const int x = box(m_choices.front()).x0 + 6;
    for (size_t i = 0; i < m_choices.size(); ++i) {
        const Box choiceBox = box(m_choices[i]);
        if (!lit(x, choiceBox.centreY())) return false;
        if (i + 1 < m_choices.size() && lit(x, (choiceBox.y1 + box(m_choices[i + 1]).y0) / 2)) return false;
    }
    return true;
}

Picture PickerPage::step(X11Window& window) const {
    const std::string before = litChoice(window.capture());
    window.quickTapKey("Down");
    Picture moved;
    window.waitUntil(
        [&](const Picture& picture) {
            const std::string after = litChoice(picture);
            if (after.empty() || after == before) return false;
            moved = picture;
            return true;
        },
        kSeeTimeoutMs);
    // The picker takes no press for a moment after each step, so that a player does not take
    // a choice that has only just lit.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return moved;
}

// The taps begin once the page lights its choices by itself, so that its own start and a tap
// never cross. The scan goes on moving the light between taps: a slow build, or a busy
// machine, can show a step so late that the scan moves the light on before the next look, so
// the choice counts as lit in the picture that showed the step, and the taps go round the page
// a few times.
std::optional<Picture> PickerPage::stepTo(X11Window& window, const std::string& choice) const {
    window.waitUntil([&](const Picture& picture) { return !litChoice(picture).empty(); }, kSeeTimeoutMs);
    Picture picture = window.capture();
    for (size_t tap = 0;; ++tap) {
        if (litChoice(picture) == choice) return picture;
        if (tap == 3 * m_choices.size()) return std::nullopt;
        picture = step(window);
    }
}

Box PickerPage::box(const std::string& area) const {
    for (const Named& named : m_areas) {
        if (named.name == area) return named.box;
    }
    return {};
}

}  // namespace E2E
