#include "engine/input/ScreenArea.h"

namespace Input {

void ScreenArea::setRect(float x, float y, float width, float height) { m_rect = {x, y, width, height}; }

bool ScreenArea::contains(float x, float y) const {
    return x >= m_rect.x && x < m_rect.x + m_rect.width && y >= m_rect.y && y < m_rect.y + m_rect.height;
}

}  // namespace Input
