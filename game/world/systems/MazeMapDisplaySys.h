#pragma once
#include <vector>

#include "engine/ecs/System.h"
#include "engine/maze/Node.h"
#include "game/world/DisplayComps.h"
#include "game/world/MotionComps.h"

class AppContext;
namespace vg {
class Context;
}

namespace Zelmo {

class GameLogic;

// The minimap: the maze's plan zooming open over the play field (walls green, excluded cells
// red, each entity's minimap drawing at its place, a pulsing ring on the player once fully open)
// and closing again. Drawn on the 2D overlay at the end of the game's frame.
class MazeMapDisplaySys : public ecs::System {
public:
    MazeMapDisplaySys() : System(ecs::componentMask<MazeMapDisplayComp, PVAComp>()) {}
    // Level start: closed, nothing drawn. The context's overlay is what draw() draws on.
    void init(AppContext* context, GameLogic& logic);
    void update(float dt);
    // Opens or closes the map: opening runs the margin around it from 99 % of the window down to
    // 10 %, closing back up; either runs from its own start, also when it cuts the other short.
    void setShown(bool on);
    bool shown() const { return m_shown; }
    // Whether the map is drawn this frame: shown, or still opening or closing.
    bool drawing() const { return m_drawing; }

    // Called by the game's renderer at the end of the frame.
    void draw(int windowWidth, int windowHeight, int designWidth, int designHeight);
    void draw(vg::Context& overlay, int windowWidth, int windowHeight, int designWidth, int designHeight);

private:
    // The margin around the map in percent of the window: 99 closed, 10 open.
    struct Zoom {
        float from = 10.0f;
        float to = 99.0f;
        float elapsed = 0.0f;
    };
    // The drawn map: its lower left corner and size in overlay units, y upward.
    struct Extent {
        float minX = 9999999.0f, minY = 9999999.0f, width = 0.0f, height = 0.0f;
    };

    void drawWalls(vg::Context& overlay, float windowHeight, float cellWidth, float cellHeight, float left,
                   float bottom, Extent& extent) const;
    void drawEntities(vg::Context& overlay, float windowHeight, const Extent& extent, float scaleX, float scaleY,
                      float strokeWidth) const;

    AppContext* m_context = nullptr;
    GameLogic* m_logic = nullptr;
    std::vector<Maze::Node*> m_nodes;
    bool m_shown = false;
    bool m_drawing = false;
    Zoom m_zoom;
    // How long the map has been fully open, ms; the player's ring pulses with it.
    float m_holdTime = 0.0f;
};

}  // namespace Zelmo
