#pragma once
#include <memory>
#include <string>
#include <vector>

#include "data/Events_generated.h"
#include "engine/events/EventReceiver.h"
#include "engine/gfx/Handles.h"
#include "engine/shell/LogicState.h"
#include "engine/shell/Renderer.h"
#include "engine/vector/DrawingFactory.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/DrawVectorText.h"

class AppContext;

namespace Zelmo {

// What the intro and game-over screens share: an animated drawing played layer by layer, each
// layer on a glow display of its own, that the player can speed up, slow down or skip.
class DrawingScreen : public Game::ILogicState,
                      public Game::IRenderer,
                      public EVT::EventReceiver<IntroSpeedEvent>,
                      public EVT::EventReceiver<LogicReturnEvent> {
public:
    static constexpr int kFirstLayerView = 217;
    static constexpr int kViewsPerLayer = 10;

    DrawingScreen(AppContext& context, int baseView);
    ~DrawingScreen() override;

    // Taken whether the screen runs or not: the speed holds for the next showing too.
    void receive(const IntroSpeedEvent& event) override;
    // Taken only while the screen is the current state.
    void receive(const LogicReturnEvent& event) override;
    void render(const Util::FrameGeometry& frame) override;

    float speed() const { return m_speed; }
    int layerCount() const { return int(m_layerDisplays.size()); }
    bool drawingDone() const { return m_drawing && m_drawing->done(); }

protected:
    // Loads the drawing ("data/" + name) and sets up a display per layer, the fill program and
    // the text writer; makes the controller current and the screen the renderer.
    void showDrawing(const std::string& drawingName, const std::string& controller);
    // Advances the drawing by the elapsed time at the player's speed; "DONE" once it has ended.
    void play(float dtMs);
    // Ends what showDrawing started.
    void hideDrawing();
    // Drawn on a layer between the drawing and the end of the layer's frame.
    virtual void drawOverLayer(int /*layer*/, VectorDisplay& /*display*/) {}

    AppContext& m_context;
    const int m_baseView;
    // While set the drawing stands still: its texts, which move as they are drawn, are left out.
    bool m_waiting = false;
    std::string m_command;
    gfx::ProgramHandle m_program;
    int m_width = 0;
    int m_height = 0;
    int m_designWidth = 0;
    int m_designHeight = 0;

private:
    void resize(int width, int height);

    std::unique_ptr<Vector::DrawingFactory> m_factory;
    std::unique_ptr<DrawingLibrary> m_drawing;
    std::unique_ptr<DrawVectorText> m_text;
    std::vector<std::unique_ptr<VectorDisplay>> m_layerDisplays;
    float m_speed = 1.0f;
};

}  // namespace Zelmo
