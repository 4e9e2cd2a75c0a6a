#pragma once
#include <string>

namespace Input {

// Lets a screen hide some areas of the current input controller from drawing (such as the
// areas of pages not shown).
class IRenderAreaNameFilter {
public:
    virtual ~IRenderAreaNameFilter() = default;
    virtual bool isRendered(const std::string& areaName) const = 0;
};

}  // namespace Input
