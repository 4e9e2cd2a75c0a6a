#pragma once
// Runs every configuration reader over a stored configuration, as the program would.
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"

inline Game::Info& configLoader() {
    static Game::Info* s_info = [] {
        auto* l_info = new Game::Info();
        if (!l_info->loadSchema(ZELMO_SOURCE_DIR "/data/config.fbs")) __builtin_trap();
        return l_info;
    }();
    return *s_info;
}

inline void readEverything(const Zelmo::ConfigRoot* root) {
    Zelmo::readGameTable(root);
    Zelmo::readRobotDataName(root);
    Zelmo::readLogDefault(root);
    Zelmo::readSettingDefaults(root);
    Zelmo::readFonts(root);
    Zelmo::readInputs(Zelmo::kOneSwitchMethod, root);
    // A sound of an unknown type stops the program on purpose; only known ones are read here.
    bool l_soundsKnown = true;
    if (root->game() && root->game()->sounds()) {
        for (const auto* l_sound : *root->game()->sounds()) {
            l_soundsKnown &= l_sound->sound_type() != Zelmo::SoundKind_NONE && l_sound->sound_type() <= Zelmo::SoundKind_MAX;
        }
    }
    if (l_soundsKnown) Zelmo::readSounds(root);
    for (int l_index = -1; l_index <= Zelmo::levelCount(root); ++l_index) Zelmo::readLevel(l_index, root);
}
