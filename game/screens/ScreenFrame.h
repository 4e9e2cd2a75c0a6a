#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/Events_generated.h"
#include "engine/events/EventReceiver.h"
#include "engine/inputrender/StringConvertor.h"
#include "engine/shell/LogicState.h"
#include "engine/shell/Renderer.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/DrawVectorText.h"

class AppContext;

namespace Zelmo {

// What the menu screens share: a logic state that draws itself, whose menu items are the input
// areas of its controller. Entering sets up the text writer, the display and the controller;
// the player's choice arrives as a LogicReturnEvent and is returned by the next update; leaving
// tears the picture down again.
class ScreenFrame : public Game::ILogicState, public Game::IRenderer, public EVT::EventReceiver<LogicReturnEvent> {
public:
    struct Views {
        int base;                  // cleared and touched each frame; its rectangle is the window
        int display;               // the first view of the menu's display
        std::vector<int> cleared;  // cleared on entry
    };

    ScreenFrame(AppContext& context, Views views);

    // Taken only while the screen is the current state.
    void receive(const LogicReturnEvent& event) override;
    void render(const Util::FrameGeometry& frame) override;

    // Null outside enter and leave.
    const VectorDisplay* display() const { return m_display.get(); }
    const DrawVectorText* text() const { return m_text.get(); }

protected:
    // The shared steps of entering, with the controller to make current and the labels' filler
    // (null for screens without placeholders).
    void enterFrame(const std::string& controller, Game::IStringConvertor* labels);
    // touchBase: false when the screen is going away with the program.
    void leaveFrame(bool touchBase);
    virtual void resize(int width, int height);
    // The screen's own picture, drawn each frame before the menu.
    virtual void drawPicture() {}

    AppContext& m_context;
    const Views m_views;
    std::string m_command;
    std::unique_ptr<DrawVectorText> m_text;
    std::unique_ptr<VectorDisplay> m_display;
    int m_width = 0;
    int m_height = 0;
    int m_designWidth = 0;
    int m_designHeight = 0;
};

// A glow display as every screen sets one up: thin lines, scaled with the window, without glow.
std::unique_ptr<VectorDisplay> makeScreenDisplay(int width, int height, int view, int designWidth);

}  // namespace Zelmo
