// The render path shared by every area renderer: which areas are drawn, in which order, as
// selected or not, and with which countdown.
#include <algorithm>

#include "engine/input/InputHandler.h"
#include "engine/input/ScreenAreaController.h"

namespace Input {
namespace {

// Keeps in the entry the running countdown that fires soonest among those with a colour.
void offer(SwitchTimerInfo::Entry& entry, const Countdown& countdown, uint32_t colour) {
    if (!countdown.isRunning() || colour == 0) return;
    if (entry.isEmpty() || countdown.getRemaining() < entry.remaining) {
        entry = {countdown.getRemaining(), countdown.getTotal(), SwitchTimerInfo::Colour::fromRgba(colour)};
    }
}

ScreenAreaRenderInfo renderInfo(const IScreenArea& area, bool selected, const SwitchTimerInfo& timerInfo) {
    ScreenAreaRenderInfo info;
    info.timerInfo = timerInfo;
    info.mode = area.getMode();
    info.selected = selected;
    info.rect = area.getRect();
    info.colour = selected ? area.getSelColour() : area.getColour();
    info.label = selected ? area.getSelLabel() : area.getLabel();
    info.style = selected ? area.getSelStyle() : area.getStyle();
    return info;
}

bool namesInGroups(const IScreenArea& area, const std::string& name) {
    const std::vector<std::string>& groups = area.getGroups();
    return std::find(groups.begin(), groups.end(), name) != groups.end();
}

}  // namespace

void InputHandler::render(IScreenAreaRenderer& renderer) const {
    SwitchTimerInfo timerInfo;
    std::vector<Switch*> switches;
    if (m_currentArea != nullptr && m_switches.findSwitches(switches, *m_currentArea, TriggerType::UNDEF)) {
        for (const Switch* each : switches) {
            const SwitchColours& colours = each->getColours();
            offer(timerInfo.repeat, each->repeatCountdown(), colours.repeat);
            offer(timerInfo.hold, each->holdCountdown(), colours.hold);
            offer(timerInfo.afterHold, each->afterHoldCountdown(), colours.afterHold);
        }
    }
    m_areas.render(renderer, m_currentArea, timerInfo);
}

void ScreenAreaController::render(IScreenAreaRenderer& renderer, const IScreenArea* current,
                                  const SwitchTimerInfo& timerInfo) const {
    const SwitchTimerInfo none;
    const auto timerOf = [&](const IScreenArea& area) -> const SwitchTimerInfo& {
        return &area == current ? timerInfo : none;
    };
    const auto isSelected = [&](const IScreenArea& area) {
        return &area == current || (current != nullptr && namesInGroups(area, current->getName()));
    };
    for (const auto& area : m_areas) {
        if (!isRendered(area->getName())) continue;
        if (isSelected(*area) && area->isOnTop()) continue;
        renderer.renderArea(renderInfo(*area, isSelected(*area), timerOf(*area)));
    }
    // On top of the rest, a group member no longer counts as selected: only the current area
    // is drawn highlighted there.
    for (const auto& area : m_areas) {
        if (!area->isOnTop() || !isSelected(*area) || !isRendered(area->getName())) continue;
        renderer.renderArea(renderInfo(*area, area.get() == current, timerOf(*area)));
    }
}

}  // namespace Input
