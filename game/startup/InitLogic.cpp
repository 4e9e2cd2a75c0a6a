#include "game/startup/InitLogic.h"

#include "engine/gfx/ColourQuad.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Convert.h"
#include "engine/util/Fatal.h"
#include "engine/vg/Context.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/input/GlobalInputRefs.h"
#include "game/vector/ShapeLibrary.h"

namespace Zelmo {

void InitLogic::enter(const Game::LogicEntry& previous, const std::string& command) {
    if (previous.name.empty()) {
        loadTuningTable();
        loadFonts();
        return;
    }
    setPref(Setting::kInputMethod, command);
    loadInputs();
    loadSounds();
    if (!initShapeLibrary()) Util::fatal("Failed to init GameVectors");
    Game::createColourProgram();
}

std::string InitLogic::update(float) {
    const std::string l_method = getPref(Setting::kInputMethod);
    return isInputMethod(l_method) ? l_method : "PICK";
}

// A font that does not load is left out; text asking for it draws nothing.
void InitLogic::loadFonts() {
    vg::Context* l_overlay = m_context.overlay();
    if (!l_overlay) return;
    for (const auto& l_font : readFonts()) l_overlay->createFont(l_font.name, l_font.path);
}

void InitLogic::loadInputs() {
    const std::string l_schema = "data/Accessibility.fbs", l_data = "data/accessibility";
    GlobalInputRefs l_refs;
    // The input files take their timing from these; without them they would fail later, in ways
    // that no longer point here.
    if (!l_refs.load(l_schema, l_data)) {
        Util::fatal("Failed to load the accessibility references: " + Game::resolveDataName(l_data) + " against " +
                    l_schema);
    }
    for (const auto& l_input : readInputs(getPref(Setting::kInputMethod))) {
        if (!m_context.inputControllers().load(l_input.name, l_input.path, &l_refs)) {
            Util::fatal("Failed to create input " + l_input.name + " from: " + l_input.path);
        }
    }
}

void InitLogic::loadSounds() {
    Sound::SoundController& l_sound = m_context.soundController();
    for (const auto& l_entry : readSounds()) {
        switch (l_entry.type) {
            case SoundType::Wav:
                l_sound.addWav(l_entry.id, l_entry.source, l_entry.looping, l_entry.singleInstance);
                break;
            case SoundType::Stream:
                l_sound.addWavStream(l_entry.id, l_entry.source, l_entry.looping, l_entry.singleInstance);
                break;
            case SoundType::Speech:
                l_sound.addSpeech(l_entry.id, l_entry.source, l_entry.looping, l_entry.singleInstance);
                break;
        }
    }
    l_sound.setMasterVolume(Util::toFloat(getPref(Setting::kMasterVolume)) / 100.0f);
    l_sound.setSoundVolume(Util::toFloat(getPref(Setting::kSoundVolume)) / 100.0f);
    l_sound.setMusicVolume(Util::toFloat(getPref(Setting::kMusicVolume)) / 100.0f);
    l_sound.setSpeechVolume(Util::toFloat(getPref(Setting::kSpeechVolume)) / 100.0f);
}

}  // namespace Zelmo
