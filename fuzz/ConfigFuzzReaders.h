#pragma once
// Runs every configuration reader over a stored configuration, as the program would.
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"

inline Game::Info& configLoader() {
    static Game::Info* s_info = [] {
        auto* info = new Game::Info();
        if (!info->loadSchema(ZELMO_SOURCE_DIR "/data/config.fbs")) __builtin_trap();
        return info;
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
    bool soundsKnown = true;
    if (root->game() && root->game()->sounds()) {
        for (const auto* sound : *root->game()->sounds()) {
            soundsKnown &= sound->sound_type() != Zelmo::SoundKind_NONE && sound->sound_type() <= Zelmo::SoundKind_MAX;
        }
    }
    if (soundsKnown) Zelmo::readSounds(root);
    for (int index = -1; index <= Zelmo::levelCount(root); ++index) Zelmo::readLevel(index, root);
}
