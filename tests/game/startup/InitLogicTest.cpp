#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/shell/AppContext.h"
#include "game/config/Config.h"
#include "game/startup/InitLogic.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// A data folder that is the shipped one except for an accessibility file with a misspelt field.
TEST(InitLogicDeathTest, AccessibilityReferencesThatDoNotLoadStopTheStartNamingTheFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("data"));
    for (const char* schema : {"Accessibility.fbs", "InputConfig.fbs"}) {
        std::filesystem::create_symlink(std::filesystem::absolute(std::string("data/") + schema),
                                        folder.path("data/") + schema);
    }
    folder.write("data/accessibility.json", "{\n  menu: {},\n  gaem: {}\n}\n");
    EXPECT_EXIT(
        {
            if (chdir(folder.path("").c_str()) != 0) std::_Exit(2);
            AppContext context(false, 640, 480, false, 60, 0);
            Zelmo::InitLogic(context).loadInputs();
        },
        ::testing::ExitedWithCode(1),
        "^Failed to load the accessibility references: /.*/data/accessibility.json:3: .*unknown field: gaem\n$");
}

// A configuration that lists a sound that loads, one whose file is missing and one whose file is
// no sound: the two are left out, each named in one line, and the start goes on.
TEST(InitLogicDeathTest, SoundsThatDoNotLoadAreNamedAndLeftOut) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path("data/sounds"));
    std::filesystem::create_symlink(std::filesystem::absolute("data/config.fbs"), folder.path("data/config.fbs"));
    std::filesystem::copy_file("data/sounds/punch.wav", folder.path("data/sounds/punch.wav"));
    folder.write("data/sounds/broken.ogg", "OggS, and nothing after it");
    folder.write("data/config.json", R"({game: {title: "T", sounds: [
        {id: 1, sound_type: "WavSound", sound: {file: "sounds/punch.wav"}},
        {id: 2, sound_type: "WavSound", sound: {file: "sounds/missing.wav"}},
        {id: 3, sound_type: "StreamSound", sound: {file: "sounds/broken.ogg"}}]}})");
    EXPECT_EXIT(
        {
            if (chdir(folder.path("").c_str()) != 0) std::_Exit(2);
            Zelmo::loadConfig("data/config");
            AppContext context(true, 640, 480, false, 60, 0);
            Zelmo::InitLogic(context).loadSounds();
            const Sound::SoundController& sound = context.soundController();
            std::_Exit(sound.find(1) && !sound.find(2) && !sound.find(3) ? 0 : 3);
        },
        ::testing::ExitedWithCode(0),
        "^data/sounds/missing\\.wav: missing; playing on without it\n"
        "data/sounds/broken\\.ogg: not a sound the game can read; playing on without it\n$");
}

}  // namespace
