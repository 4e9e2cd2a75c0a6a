#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/input/IRenderAreaNameFilter.h"
#include "engine/input/IScreenArea.h"
#include "engine/input/IScreenAreaRenderer.h"
#include "engine/input/SwitchTimerInfo.h"
#include "engine/util/NonCopyable.h"

namespace Input {

// Owns the screen areas of one input controller. Areas named "PAGE<n>_..." belong to page n;
// while a page is set, the areas of other pages are transparent to the pointer.
class ScreenAreaController : Util::NonCopyable {
public:
    ScreenAreaController() = default;
    virtual ~ScreenAreaController() = default;

    // The controller owns the area from then on.
    void add(std::unique_ptr<IScreenArea> area);
    // The first area of that exact name, whatever its page; null when there is none.
    IScreenArea* find(const std::string& name) const;
    // The area under the point, the last added first; null when none.
    IScreenArea* areaAt(bool visibleOnly, float x, float y) const;

    const std::vector<std::unique_ptr<IScreenArea>>& getAreas() const { return m_areas; }

    // Not owned; null draws every area.
    void setRenderFilter(const IRenderAreaNameFilter* filter) { m_renderFilter = filter; }
    bool isRendered(const std::string& areaName) const;
    // Draws every area the filter lets through, in list order; an area is selected when it is
    // the current one or names it among its groups. Selected areas on top come last, selected
    // only when current. Only the current area gets the timer info.
    void render(IScreenAreaRenderer& renderer, const IScreenArea* current, const SwitchTimerInfo& timerInfo) const;

    // 0 for none.
    void setPage(int32_t page) { m_page = page; }
    int32_t getPage() const { return m_page; }

private:
    bool isOnCurrentPage(const std::string& areaName) const;

    std::vector<std::unique_ptr<IScreenArea>> m_areas;
    const IRenderAreaNameFilter* m_renderFilter = nullptr;
    int32_t m_page = 0;
};

}  // namespace Input
