#include "game/screens/GameOverLogicView.h"

#include <algorithm>
#include <array>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Random.h"
#include "engine/vector/GameVectors.h"
#include "game/config/ConfigReaders.h"
#include "game/screens/SpeechTrace.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 136;
constexpr int kMusic = 45;
constexpr int kSpeechBus = 2;
constexpr float kFaceLineThickness = 10.0f;
// The face is drawn in the shape library at the size of the game's figures; the closing
// picture shows it this much larger, with its mouth where the trace of the words runs.
constexpr float kFaceEnlargement = 8.0f;
constexpr std::array<int, 5> kLostLines = {55, 56, 57, 58, 59};

Util::Random& lineChooser() {
    static Util::Random s_random;
    return s_random;
}

}  // namespace

GameOverLogicView::GameOverLogicView(AppContext& context) : DrawingScreen(context, kBaseView) {}

void GameOverLogicView::enter(const Game::LogicEntry&, const std::string& command) {
    m_won = command == "WON";
    const GameTable game = readGameTable();
    showDrawing(m_won ? game.wonDrawing : game.lostDrawing, "GAMEOVER");
    Sound::SoundController& sound = m_context.soundController();
    sound.stopAll();
    m_musicHandle = sound.play(kMusic, 100, 0);
    const uint32_t line = lineChooser().nextInt(uint32_t(kLostLines.size()));
    m_lostVoice = m_won ? 0 : sound.play(kLostLines[line], 100, 0);
}

std::string GameOverLogicView::update(float dtMs) {
    // The drawing waits while the words are being said.
    m_waiting = m_context.soundController().isValidHandle(m_lostVoice);
    if (!m_waiting) play(dtMs);
    if (!m_command.empty()) leave("THIS");
    return m_command;
}

void GameOverLogicView::leave(const std::string&) {
    Sound::SoundController& sound = m_context.soundController();
    sound.stop(m_musicHandle);
    sound.stop(m_lostVoice);
    m_musicHandle = 0;
    m_lostVoice = 0;
    hideDrawing();
}

void GameOverLogicView::drawOverLayer(int layer, VectorDisplay& display) {
    if (layer != 0 || m_won) return;
    const float width = float(m_width);
    const float height = float(m_height);
    const float e = std::min(width / float(m_designWidth), height / float(m_designHeight));
    const float scale = e * 0.5f * kFaceEnlargement;
    const float cx = width * 0.47f;
    const float cy = height * 0.5f;
    const gfx::ViewId view = gfx::ViewId(kBaseView);
    gfx::setViewTransform(view, gfx::ortho(0.0f, width, 0.0f, height, -1.0f, 100.0f, gfx::caps().homogeneousDepth));
    gfx::setViewRect(view, 0, 0, uint16_t(m_width), uint16_t(m_height));
    const GameVectors& shapes = GameVectors::instance();
    shapes.drawShapeFilled(view, m_program, 0, kLostFace, cx, cy, -1.0f, Util::Colour{}, scale, 0.0f);
    // The library's line thickness multiplies the display's: the face's lines are set outright.
    const float thickness = display.getThickness();
    display.setThickness(kFaceLineThickness);
    shapes.drawShape(display, 0, kLostFace, cx, cy, 1.0f, scale, 0, 0.0f);
    display.setThickness(thickness);

    const std::vector<TracePoint> trace =
        speechTrace(m_context.soundController().getBusWave(kSpeechBus), width, height, cx, cy, e);
    if (trace.empty()) return;
    display.setDrawColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (const float lift : {0.0f, 1.0f}) {
        display.beginDraw(trace.front().x, trace.front().y + lift, true);
        for (size_t i = 1; i < trace.size(); ++i) display.drawTo(trace[i].x, trace[i].y + lift);
        display.endDraw();
    }
}

}  // namespace Zelmo
