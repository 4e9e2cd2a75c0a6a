#include "engine/input/ScreenAreaController.h"

#include <utility>

#include "engine/util/Text.h"

namespace Input {
namespace {

const std::string kPagePrefix = "PAGE";

}  // namespace

void ScreenAreaController::add(std::unique_ptr<IScreenArea> area) { m_areas.push_back(std::move(area)); }

IScreenArea* ScreenAreaController::find(const std::string& name) const {
    for (const auto& area : m_areas) {
        if (area->getName() == name) return area.get();
    }
    return nullptr;
}

IScreenArea* ScreenAreaController::areaAt(bool visibleOnly, float x, float y) const {
    for (auto it = m_areas.rbegin(); it != m_areas.rend(); ++it) {
        const IScreenArea& area = **it;
        if (area.contains(x, y) && (area.isVisible() || !visibleOnly) && isOnCurrentPage(area.getName())) {
            return it->get();
        }
    }
    return nullptr;
}

bool ScreenAreaController::isRendered(const std::string& areaName) const {
    return m_renderFilter == nullptr || m_renderFilter->isRendered(areaName);
}

bool ScreenAreaController::isOnCurrentPage(const std::string& areaName) const {
    if (m_page == 0 || !Util::startsWith(areaName, kPagePrefix)) return true;
    // The '_' keeps page 1 from claiming "PAGE10_...".
    return Util::startsWith(areaName, kPagePrefix + std::to_string(m_page) + "_");
}

}  // namespace Input
