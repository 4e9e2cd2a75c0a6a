#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/config/Config.h"
#include "game/config/Preferences.h"
#include "game/config/Settings.h"
#include "tests/engine/util/TempFolder.h"

namespace {

using namespace Zelmo;

// A file as the game writes it, with one setting of each kind changed from its default.
const std::string kPlayersFile =
    "INPUT_JPAD_B1 = \"JPAD: B2\"\n"
    "INPUT_KEY_W = KEY:UP\n"
    "INPUT_METHOD = ONESWITCH\n"
    "OPT_PLAYER_LIVES = 2\n"
    "SCREEN_FULL = 1\n"
    "SCREEN_HEIGHT = 768\n"
    "SCREEN_WIDTH = 1024\n"
    "VOL_MASTER = 70\n"
    "VOL_MUSIC = 40\n";

// The shipped configuration's defaults under a preferences file of the test's own.
class PlayersPreferences : public ::testing::Test {
protected:
    TempFolder m_folder;
    const std::string m_path = m_folder.path("preferences.cfg");

    // What the player is told while the file loads.
    std::string load(const std::string& text) {
        m_folder.write("preferences.cfg", text);
        ::testing::internal::CaptureStderr();
        loadConfig("data/config", m_path);
        return ::testing::internal::GetCapturedStderr();
    }
    void TearDown() override {
        unloadConfig();
        settings().clear();
    }
};

struct BrokenLineCase {
    const char* label;
    std::string line;
    std::string told;  // the line the player sees, after the file's path and ": "
};

void PrintTo(const BrokenLineCase& c, std::ostream* out) { *out << c.label; }

class BrokenLine : public PlayersPreferences, public ::testing::WithParamInterface<BrokenLineCase> {};

// The broken line comes first, so everything the player set comes after it; it costs only itself.
TEST_P(BrokenLine, IsLeftOutWithOneLineAndTheRestIsKept) {
    ASSERT_EQ(load(kPlayersFile), "");
    const Game::SettingsMap players = settings();
    settings().clear();
    unloadConfig();

    EXPECT_EQ(load(GetParam().line + "\n" + kPlayersFile), m_path + ": " + GetParam().told + "\n");
    EXPECT_EQ(settings(), players);
}

const std::string kNotABinding = "not a binding such as KEY:w, MOUSE:LMB or JPAD: B1";

INSTANTIATE_TEST_SUITE_P(
    Preferences, BrokenLine,
    ::testing::Values(
        BrokenLineCase{"VolumeNotANumber", "VOL_MUSIC = abc",
                       "line 1: VOL_MUSIC = abc ignored (not a volume from 0 to 100); using 40"},
        BrokenLineCase{"VolumeTooLoud", "VOL_SOUND = 150",
                       "line 1: VOL_SOUND = 150 ignored (not a volume from 0 to 100); using 100"},
        BrokenLineCase{"VolumeBelowZero", "VOL_SPEECH=-1",
                       "line 1: VOL_SPEECH=-1 ignored (not a volume from 0 to 100); using 100"},
        BrokenLineCase{"VolumeWithAUnit", "VOL_SOUND = 50%",
                       "line 1: VOL_SOUND = 50% ignored (not a volume from 0 to 100); using 100"},
        BrokenLineCase{"FullScreenWord", "SCREEN_FULL = maybe",
                       "line 1: SCREEN_FULL = maybe ignored (not 0 or 1); using 1"},
        BrokenLineCase{"WindowSideWord", "SCREEN_WIDTH = wide",
                       "line 1: SCREEN_WIDTH = wide ignored (not a window size); using 1024"},
        BrokenLineCase{"WindowSideOverflows", "SCREEN_HEIGHT = 99999999999",
                       "line 1: SCREEN_HEIGHT = 99999999999 ignored (not a window size); using 768"},
        BrokenLineCase{"OptionWord", "OPT_PUNCH_DMG = two",
                       "line 1: OPT_PUNCH_DMG = two ignored (not an option index); using 0"},
        BrokenLineCase{"OptionNegative", "OPT_GAME_SEED = -3",
                       "line 1: OPT_GAME_SEED = -3 ignored (not an option index); using 0"},
        BrokenLineCase{"BindingEmpty",
                       "INPUT_KEY_S = ", "line 1: INPUT_KEY_S = ignored (" + kNotABinding + "); using KEY:s"},
        BrokenLineCase{"BindingUnknownKey", "INPUT_KEY_S = KEY:NOSUCHKEY",
                       "line 1: INPUT_KEY_S = KEY:NOSUCHKEY ignored (" + kNotABinding + "); using KEY:s"},
        BrokenLineCase{"BindingUnknownButton", "INPUT_MOUSE_LMB = MOUSE:LEFT",
                       "line 1: INPUT_MOUSE_LMB = MOUSE:LEFT ignored (" + kNotABinding + "); using MOUSE:LMB"},
        BrokenLineCase{"BindingUnknownKind", "INPUT_JPAD_B2 = \"PAD: B2\"",
                       "line 1: INPUT_JPAD_B2 = \"PAD: B2\" ignored (" + kNotABinding + "); using JPAD: B2"},
        BrokenLineCase{"BindingOfNoSlotUnknownKind", "INPUT_KEY_Q = KEYS:q",
                       "line 1: INPUT_KEY_Q = KEYS:q ignored (" + kNotABinding + ")"},
        BrokenLineCase{"InputMethodUnknown", "INPUT_METHOD = KEYBOARD",
                       "line 1: INPUT_METHOD = KEYBOARD ignored (not an input method); using ONESWITCH"},
        BrokenLineCase{"UnclosedQuote", "INPUT_METHOD = \"ONEKEY",
                       "line 1: INPUT_METHOD = \"ONEKEY ignored (its closing quote is missing); using ONESWITCH"},
        BrokenLineCase{"NoEquals", "SCREEN_WIDTH 800", "line 1: SCREEN_WIDTH 800 ignored (not NAME = value)"},
        BrokenLineCase{"NoName", "= 800", "line 1: = 800 ignored (not NAME = value)"},
        BrokenLineCase{
            "LongValueIsCut", "VOL_SOUND = " + std::string(300, '9'),
            "line 1: VOL_SOUND = " + std::string(48, '9') + "... ignored (not a volume from 0 to 100); using 100"},
        BrokenLineCase{"ControlCharactersAreNotEchoed", "VOL_SOUND = 5\x1b[2J",
                       "line 1: VOL_SOUND = 5?[2J ignored (not a volume from 0 to 100); using 100"}),
    [](const auto& info) { return std::string(info.param.label); });

// Every setting reaches the file as it is and reads back without a word, whatever the game or
// the player put in it.
TEST_F(PlayersPreferences, SaveAndLoadKeepEverySetting) {
    ASSERT_EQ(load(kPlayersFile), "");
    setPref("INPUT_JPAD_B1", "JPAD: B1");
    setPref("INPUT_KEY_W", "KEY:CTRL PAGE_UP");
    setPref("INPUT_MOUSE_RMB", "MOUSE:RMB+MMB");
    setPref("VOL_SPEECH", "0");
    setPref("SCREEN_WIDTH", "0");
    setPref("SCREEN_HEIGHT", "0");
    setPref("NOTE", " two\nlines ");
    const Game::SettingsMap saved = settings();
    ASSERT_TRUE(savePreferences(m_path));
    EXPECT_FALSE(std::filesystem::exists(m_path + ".tmp"));
    EXPECT_EQ(m_folder.read("preferences.cfg").rfind("INPUT_JPAD_B1 = \"JPAD: B1\"\n", 0), 0u);
    settings().clear();
    EXPECT_EQ(load(m_folder.read("preferences.cfg")), "");
    EXPECT_EQ(settings(), saved);
}

// A read-only file is one the player made so; it stays read-only, with the new settings in it.
TEST_F(PlayersPreferences, AReadOnlyFileKeepsItsMode) {
    ASSERT_EQ(load(kPlayersFile), "");
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    setPref("VOL_MUSIC", "10");
    ASSERT_TRUE(savePreferences(m_path));
    struct stat saved {};
    ASSERT_EQ(stat(m_path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0444u);
    EXPECT_NE(m_folder.read("preferences.cfg").find("VOL_MUSIC = 10\n"), std::string::npos);
}

// Sets or clears the flag that keeps even root from replacing the file; false where the file
// system or the user's rights do not allow it.
bool makeImmutable(const std::string& path, bool immutable) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    int flags = 0;
    bool done = ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    close(descriptor);
    return done;
}

// The text as a POSIX extended expression that matches exactly it.
std::string literally(const std::string& text) {
    std::string expression;
    for (const char c : text) {
        if (std::string(".[]()*+?{}|^$\\").find(c) != std::string::npos) expression += '\\';
        expression += c;
    }
    return expression;
}

// Saves as a player would, never as root, whose rights would pass over a read-only folder.
bool saveAsAPlayer(const std::string& path) {
    const gid_t nobody = 65534;
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) return false;
    return savePreferences(path);
}

struct FailedSaveCase {
    const char* label;
    // Makes the save fail; false when this machine cannot.
    bool (*block)(const TempFolder& folder);
    std::string reason;
};

void PrintTo(const FailedSaveCase& c, std::ostream* out) { *out << c.label; }

class FailedSave : public PlayersPreferences, public ::testing::WithParamInterface<FailedSaveCase> {
protected:
    void TearDown() override {
        makeImmutable(m_path, false);
        std::filesystem::permissions(m_folder.path(""), std::filesystem::perms::owner_all);
        PlayersPreferences::TearDown();
    }
};

// The file keeps the settings it had, and the player hears that the new ones were not saved.
TEST_P(FailedSave, KeepsTheOldFileAndSaysSoInOneLine) {
    ASSERT_EQ(load(kPlayersFile), "");
    setPref("VOL_MUSIC", "10");
    // Open to every user, so that the save fails only for the case's reason.
    std::filesystem::permissions(m_folder.path(""), std::filesystem::perms::all);
    if (!GetParam().block(m_folder)) GTEST_SKIP() << "this machine cannot make " << GetParam().label;
    EXPECT_EXIT(std::_Exit(saveAsAPlayer(m_path) ? 0 : 2), ::testing::ExitedWithCode(2),
                "^" + literally(m_path + ": could not save the settings (" + GetParam().reason + ")") + "\n$");
    EXPECT_EQ(m_folder.read("preferences.cfg"), kPlayersFile);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(m_path + ".tmp")));
}

INSTANTIATE_TEST_SUITE_P(Preferences, FailedSave,
                         ::testing::Values(FailedSaveCase{"ReadOnlyFolder",
                                                          [](const TempFolder& folder) {
                                                              std::filesystem::permissions(
                                                                  folder.path(""),
                                                                  std::filesystem::perms::owner_write |
                                                                      std::filesystem::perms::group_write |
                                                                      std::filesystem::perms::others_write,
                                                                  std::filesystem::perm_options::remove);
                                                              return true;
                                                          },
                                                          "Permission denied"},
                                           FailedSaveCase{"ImmutableFile",
                                                          [](const TempFolder& folder) {
                                                              return makeImmutable(folder.path("preferences.cfg"),
                                                                                   true);
                                                          },
                                                          "Operation not permitted"},
                                           // Every write of the new file meets a full disk.
                                           FailedSaveCase{"FullDisk",
                                                          [](const TempFolder& folder) {
                                                              std::filesystem::create_symlink(
                                                                  "/dev/full", folder.path("preferences.cfg.tmp"));
                                                              return true;
                                                          },
                                                          "No space left on device"}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace

// A file the player cannot read still holds their settings: the game starts on the defaults,
// says so, and does not save those defaults over it.
TEST_F(PlayersPreferences, AFileThatCannotBeReadIsNotSavedOver) {
    m_folder.write("preferences.cfg", kPlayersFile);
    std::filesystem::permissions(m_folder.path(""), std::filesystem::perms::all);
    std::filesystem::permissions(m_path, std::filesystem::perms::none);
    const auto startAndQuitAsAPlayer = [this] {
        const gid_t nobody = 65534;
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) std::_Exit(3);
        loadConfig("data/config", m_path);
        setPref("VOL_MUSIC", "10");
        std::_Exit(savePreferences(m_path) ? 0 : 2);
    };
    EXPECT_EXIT(startAndQuitAsAPlayer(), ::testing::ExitedWithCode(2),
                "^" + literally(m_path + ": could not read the settings (Permission denied); using the defaults, " +
                                "and not saving over it") +
                    "\n" + literally(m_path + ": could not save the settings (the file could not be read, and is kept)") +
                    "\n$");
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read);
    EXPECT_EQ(m_folder.read("preferences.cfg"), kPlayersFile);
}
