#include "game/startup/InitLogic.h"

#include <cstdio>
#include <filesystem>

#include "engine/gfx/ColourQuad.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Convert.h"
#include "engine/util/Fatal.h"
#include "engine/vg/Context.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/input/GlobalInputRefs.h"
#include "game/vector/ShapeLibrary.h"
#include "game/world/RobotFactory.h"

namespace Zelmo {
namespace {

bool addSound(Sound::SoundController& sound, const SoundEntry& entry) {
    switch (entry.type) {
        case SoundType::Wav:
            return sound.addWav(entry.id, entry.source, entry.looping, entry.singleInstance);
        case SoundType::Stream:
            return sound.addWavStream(entry.id, entry.source, entry.looping, entry.singleInstance);
        case SoundType::Speech:
            return sound.addSpeech(entry.id, entry.source, entry.looping, entry.singleInstance);
    }
    return false;
}

std::string soundNotLoaded(const SoundEntry& entry) {
    if (entry.type == SoundType::Speech) return "speech \"" + entry.source + "\" could not be made";
    return entry.source + (std::filesystem::exists(entry.source) ? ": not a sound the game can read" : ": missing");
}

}  // namespace

void InitLogic::enter(const Game::LogicEntry& previous, const std::string& command) {
    // The tuning table was loaded by set-up, which checks the level data against it before any
    // window shows.
    if (previous.name.empty()) {
        loadFonts();
        return;
    }
    setPref(Setting::kInputMethod, command);
    loadInputs();
    loadSounds();
    if (!initShapeLibrary()) Util::fatal("Failed to init GameVectors");
    RobotFactory& robots = RobotFactory::instance();
    if (!robots.init()) Util::fatal("Failed to init RobotFactory: " + robots.error());
    Game::createColourProgram();
}

std::string InitLogic::update(float) {
    const std::string method = getPref(Setting::kInputMethod);
    return isInputMethod(method) ? method : "PICK";
}

// A font that does not load is left out; text asking for it draws nothing.
void InitLogic::loadFonts() {
    vg::Context* overlay = m_context.overlay();
    if (!overlay) return;
    for (const auto& font : readFonts()) overlay->createFont(font.name, font.path);
}

void InitLogic::loadInputs() {
    const std::string schema = "data/Accessibility.fbs", data = "data/accessibility";
    GlobalInputRefs refs;
    // The input files take their timing from these; without them they would fail later, in ways
    // that no longer point here.
    if (!refs.load(schema, data)) Util::fatal("Failed to load the accessibility references: " + refs.loadError());
    Input::InputControllers& controllers = m_context.inputControllers();
    for (const auto& input : readInputs(getPref(Setting::kInputMethod))) {
        if (!controllers.load(input.name, input.path, &refs)) Util::fatal(controllers.loadError());
    }
}

// A sound that does not load is left out, and playing it does nothing; the player is told which.
// With sound off nothing loads, and there is nothing to tell.
void InitLogic::loadSounds() {
    Sound::SoundController& sound = m_context.soundController();
    for (const auto& entry : readSounds()) {
        if (!addSound(sound, entry) && sound.isOn()) {
            std::fprintf(stderr, "%s; playing on without it\n", soundNotLoaded(entry).c_str());
        }
    }
    sound.setMasterVolume(Util::toFloat(getPref(Setting::kMasterVolume)) / 100.0f);
    sound.setSoundVolume(Util::toFloat(getPref(Setting::kSoundVolume)) / 100.0f);
    sound.setMusicVolume(Util::toFloat(getPref(Setting::kMusicVolume)) / 100.0f);
    sound.setSpeechVolume(Util::toFloat(getPref(Setting::kSpeechVolume)) / 100.0f);
}

}  // namespace Zelmo
