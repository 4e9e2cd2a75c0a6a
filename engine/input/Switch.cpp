#include "engine/input/Switch.h"

namespace Input {

void Switch::setAreaFromList(size_t i, const std::vector<std::string>& names) {
    const size_t count = names.size();
    m_areaName = names.at(i);
    m_prevAreaName = names[(i + count - 1) % count];
    m_nextAreaName = names[(i + 1) % count];
}

}  // namespace Input
