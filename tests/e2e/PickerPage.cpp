#include "tests/e2e/PickerPage.h"

#include <cmath>

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

Box PickerPage::box(const std::string& area) const {
    for (const Named& l_named : m_areas) {
        if (l_named.name == area) return l_named.box;
    }
    return {};
}

}  // namespace E2E
