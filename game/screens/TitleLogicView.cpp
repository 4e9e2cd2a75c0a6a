#include "game/screens/TitleLogicView.h"

#include <array>

#include "engine/gfx/ColourQuad.h"
#include "engine/gfx/Gfx.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Colour.h"
#include "engine/util/Convert.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 136;
constexpr int kPictureView = 137;
constexpr int kMenuView = 163;
constexpr int kTitleMusic = 45;
constexpr int kPulseMs = 2000;
const std::string kTitlePage = "TITLE";
const std::string kSettingsPage = "SETTINGS";
const std::string kBack = "BACK";

// Commands that leave the title for another state; anything else names a page.
bool endsTitle(const std::string& command) {
    static const std::array<std::string, 5> s_commands = {"NEWGAME", "CONTROLS", "OPTIONS", "HELP", "QUIT"};
    for (const auto& each : s_commands) {
        if (command == each) return true;
    }
    return false;
}

// The screens that keep the title music playing and come back to the settings page.
bool isSettingsScreen(const std::string& name) { return name == "CONTROLS" || name == "OPTIONS" || name == "HELP"; }

struct VolumeBus {
    const char* prefix;
    const std::string& setting;
    void (Sound::SoundController::*set)(float);
    int preview;  // 0 for none
};

const std::array<VolumeBus, 4>& volumeBuses() {
    using S = Sound::SoundController;
    static const std::array<VolumeBus, 4> s_buses = {{
        {"MASTER", Setting::kMasterVolume, &S::setMasterVolume, 0},
        {"EFFECT", Setting::kSoundVolume, &S::setSoundVolume, 1},
        {"MUSIC", Setting::kMusicVolume, &S::setMusicVolume, kTitleMusic},
        {"SPEECH", Setting::kSpeechVolume, &S::setSpeechVolume, 47},
    }};
    return s_buses;
}

// The pink of the picture's lines at rest and the cyan they sweep to, packed.
constexpr uint32_t kRestColour = 0xFFFFB2FF;
constexpr uint32_t kSweptColour = 0xFFE7D973;
constexpr uint32_t kBlack = 0xFF000000;
// The lines swell with the swing from their rest width to four times it, the fan to thirteen
// times: at the top of the swing the broad strokes melt into a haze of light. (Drawn straight
// onto the window without a trail, a software renderer keeps up with them.)
constexpr float kLineThickness = 12.0f;
constexpr float kLinePulse = 36.0f;

}  // namespace

TitleLogicView::TitleLogicView(AppContext& context)
    : ScreenFrame(context, {kBaseView, kMenuView, {kBaseView, kPictureView, kMenuView}}) {
    m_swing.easer = m_sweep.easer = Tween::findEaser("inLinear");
}

TitleLogicView::~TitleLogicView() { leave("DESTRUCTOR"); }

void TitleLogicView::enter(const Game::LogicEntry& previous, const std::string&) {
    Sound::SoundController& sound = m_context.soundController();
    // A game left for the title leaves nothing playing, its looping sounds least of all.
    if (previous.name == "RUNNING" || previous.name == "PAUSE") sound.stopAll();
    if (m_musicHandle == 0 || !sound.isValidHandle(m_musicHandle)) m_musicHandle = sound.play(kTitleMusic, 100, 0);

    const bool backFromSettings = previous.name == "CONTROLS" || previous.name == "OPTIONS";
    enterFrame(backFromSettings ? kSettingsPage : kTitlePage, this);
    if (Input::InputController* page = m_context.inputControllers().getCurrent()) {
        page->gotoArea(backFromSettings ? previous.name : "ANYWHERE");
        // A pointer that rested on the choice to take it may rest there still: it must leave the
        // choice and come back before the choice is taken again.
        if (backFromSettings && m_pointerTookChoice) page->getInputHandler().holdDwellUntilPointerReturns();
    }
    const Util::FrameGeometry& geometry = m_context.geometry();
    m_pictureDisplay = makeScreenDisplay(m_width, m_height, kPictureView, m_designWidth);
    // Its lines move slowly and broadly: a trail of earlier frames would only blur them, and
    // without one the display draws them straight onto the window.
    m_pictureDisplay->setDecaySteps(1);

    m_swing = {0.0f, 1.0f, float(kPulseMs), Tween::findEaser("inOutCubic"), m_swing.elapsed};
    m_sweep = {0.0f, 1.0f, float(kPulseMs), Tween::findEaser("outQuad"), m_sweep.elapsed};

    std::vector<Game::VideoMode> modes;
    m_context.getVideoModes(modes);
    m_resolutions = resolutionsWith(std::move(modes), {geometry.windowWidth, geometry.windowHeight});
    m_command.clear();
}

std::string TitleLogicView::update(float dtMs) {
    m_swing.elapsed += dtMs;
    m_sweep.elapsed += dtMs;
    if (PSys::System* effects = particleSystem(kEffectsSystem)) effects->update(dtMs);

    if (endsTitle(m_command)) {
        const Input::InputController* page = m_context.inputControllers().getCurrent();
        m_pointerTookChoice = page && page->getInputHandler().pointerChoseArea();
        leave(m_command);
        return m_command;
    }
    if (m_command == kBack) {
        // Nothing to go back to from the first page: it stays.
        if (!m_pageStack.empty()) {
            m_context.inputControllers().setCurrent(m_pageStack.back());
            m_pageStack.pop_back();
        }
        m_command.clear();
    } else if (!m_command.empty()) {
        openPage(m_command);
        m_command.clear();
    }
    return m_command;
}

void TitleLogicView::openPage(const std::string& page) {
    Input::InputControllers& controllers = m_context.inputControllers();
    m_pageStack.push_back(controllers.getCurrentName());
    controllers.setCurrent(page);
}

void TitleLogicView::leave(const std::string& reason) {
    if (!m_display && !m_text) return;
    m_context.setRenderer(nullptr);
    const bool musicGoesOn = reason == "DESTRUCTOR" || isSettingsScreen(reason);
    if (!musicGoesOn) {
        m_context.soundController().stop(m_musicHandle);
        m_musicHandle = 0;
    }
    m_pictureDisplay.reset();
    leaveFrame(!musicGoesOn);
}

std::string TitleLogicView::convert(const std::string& text) {
    if (!isActive()) return text;
    SettingsValues values;
    values.masterPercent = getPrefInt(Setting::kMasterVolume);
    values.effectsPercent = getPrefInt(Setting::kSoundVolume);
    values.musicPercent = getPrefInt(Setting::kMusicVolume);
    values.speechPercent = getPrefInt(Setting::kSpeechVolume);
    values.windowWidth = m_context.geometry().windowWidth;
    values.windowHeight = m_context.geometry().windowHeight;
    values.fullscreen = m_context.isFullscreen();
    return fillSettingsLabels(text, values);
}

// The settings hold the volumes in whole percent and the sound controller follows them. With
// sound off the controller has no volumes to give, so nothing changes and nothing is saved.
void TitleLogicView::receive(const MenuSoundEvent& event) {
    Sound::SoundController& sound = m_context.soundController();
    if (!isActive() || !sound.isOn()) return;
    const std::string bus = Util::toStdString(event.parameter());
    for (const VolumeBus& each : volumeBuses()) {
        if (!Util::startsWith(bus, each.prefix)) continue;
        const int percent = stepVolume(getPrefInt(each.setting), event.increase());
        (sound.*each.set)(float(percent) / 100.0f);
        if (each.preview != 0) {
            const int voice = sound.play(each.preview, 100, 0);
            // The music plays only once: its preview is the title music from here on.
            if (each.preview == kTitleMusic) m_musicHandle = voice;
        }
        setPref(each.setting, Util::intToString(percent));
        return;
    }
}

void TitleLogicView::receive(const MenuVideoEvent& event) {
    if (!isActive()) return;
    if (Util::toStdString(event.what()) != "RES") {
        const bool fullscreen = !m_context.isFullscreen();
        m_context.setFullscreen(fullscreen);
        setPref(Setting::kScreenFull, fullscreen ? "1" : "0");
        return;
    }
    const int index = stepResolution(m_resolutions, event.increase());
    if (index == m_resolutions.index) return;
    m_resolutions.index = index;
    const Game::VideoMode mode = m_resolutions.modes[size_t(index)];
    m_context.setWindowSize(mode.first, mode.second);
    setPref(Setting::kScreenWidth, Util::intToString(mode.first));
    setPref(Setting::kScreenHeight, Util::intToString(mode.second));
}

void TitleLogicView::resize(int width, int height) {
    ScreenFrame::resize(width, height);
    if (m_pictureDisplay) {
        m_pictureDisplay->resize(uint16_t(width), uint16_t(height));
        m_pictureDisplay->setThicknessScale(float(width) / float(m_designWidth));
    }
}

void TitleLogicView::drawPicture() {
    if (m_context.inputControllers().getCurrentName() != kTitlePage || !m_pictureDisplay) return;
    VectorDisplay& display = *m_pictureDisplay;
    const float v = m_swing.swing();
    const float s = m_sweep.sweep();
    const float w = float(m_width);
    const float h = float(m_height);
    display.beginFrame();
    uint32_t colour = kRestColour;
    Util::lerpColour(colour, kSweptColour, s);
    display.setDrawColor(colour);
    display.setThickness(kLineThickness + kLinePulse * v);
    struct Band {
        int offset;
        int amplitude;
    };
    for (const Band band : {Band{30, 20}, Band{40, 10}, Band{45, 5}, Band{50, 0}}) {
        const int percent = int(float(band.amplitude) * s + float(band.offset));
        const float y = float(int(float(percent) * h / 100));
        for (const float lineY : {y, h - y}) {
            display.beginDraw(0, lineY, true);
            display.drawTo(w, lineY);
            display.endDraw();
        }
    }
    display.setThickness(kLineThickness + 4 * kLinePulse * v);
    display.setDrawColor(kRestColour);
    const float spread = v / 10 + 0.8f;
    auto yAt = [h](int percent) { return float(int(h * float(percent) / 100)); };
    for (int g = 10; g <= 90; g += 10) {
        const int toward = g < 50 ? g + 10 : g > 50 ? g - 10 : 50;
        const float m = float(int(float(toward) * w / 100));
        const float p = (m - float(m_width / 2)) * spread + m;
        display.beginDraw(m, yAt(75), true);
        display.drawTo(p, yAt(55));
        display.endDraw();
        display.beginDraw(m, yAt(25), true);
        display.drawTo(p, yAt(45));
        display.endDraw();
    }
    const int next = display.endFrame(true);
    // The menu sits in the middle of the picture on black.
    Game::drawColourRect(gfx::ViewId(next), m_width, m_height, kBlack, {28, 25, 44, 56});
}

}  // namespace Zelmo
