#pragma once

namespace Game {

// What a state installs on the application context to draw its picture each frame.
class IRenderer {
public:
    virtual ~IRenderer() = default;
    virtual void render(int windowWidth, int windowHeight, int designWidth, int designHeight, int viewWidth,
                        int viewHeight) = 0;
};

}  // namespace Game
