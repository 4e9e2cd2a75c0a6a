#pragma once
#include <string>

#include "engine/input/IScreenArea.h"

namespace Input {

class ScreenArea : public IScreenArea {
public:
    explicit ScreenArea(const std::string& name) : Util::NamedObject(name) {}

    void setRect(float x, float y, float width, float height) override;
    // The left and top edges are inside, the right and bottom edges outside, so that areas
    // laid edge to edge never both claim a point.
    bool contains(float x, float y) const override;
    AreaRect getRect() const override { return m_rect; }

private:
    AreaRect m_rect;
};

}  // namespace Input
