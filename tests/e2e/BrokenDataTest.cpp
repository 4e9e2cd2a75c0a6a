#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/GameProcess.h"

// The real game on a copy of the data folder with one value changed: each broken value ends the
// game with exit code 1 and one line naming the file, the field and the fault, and never a crash,
// a hang or a frozen game. Faults in the configuration, the tuning table, the levels and the pick
// files stop it before any window shows; those in the files the start-up state loads (the input
// configurations, the accessibility times, the robot kinds) as soon as it loads them.
namespace {

struct BrokenValue {
    const char* label;
    const char* file;  // in data/; with no changes, the configuration name given on the command line
    // "field: value" pairs, comma-separated: the first "field": of the file gets the value. "<cut>"
    // cuts the file in half instead.
    const char* changes;
    std::string line;  // the whole of standard error but its line break, as a regex
    const char* inputMethod = "STANDARD";
};

void PrintTo(const BrokenValue& value, std::ostream* out) { *out << value.label; }

void changeFile(const std::string& path, const std::string& changes) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (changes == "<cut>") text.resize(text.size() / 2);
    std::istringstream pairs(changes == "<cut>" ? "" : changes);
    for (std::string field, value;
         std::getline(pairs >> std::ws, field, ':') && std::getline(pairs >> std::ws, value, ',');) {
        const std::regex first("\"" + field + "\": *[^,}\\]\\s]+");
        std::smatch found;
        ASSERT_TRUE(std::regex_search(text, found, first)) << path << " has no field " << field;
        text.replace(size_t(found.position(0)), size_t(found.length(0)), "\"" + field + "\": " + value);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class BrokenData : public ::testing::TestWithParam<BrokenValue> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }
};

TEST_P(BrokenData, StopsWithOneLineNamingTheFileAndField) {
    const BrokenValue& broken = GetParam();
    const bool nameGiven = *broken.changes == '\0';
    std::vector<std::string> arguments = {"-s", "0"};
    if (nameGiven) arguments.insert(arguments.begin(), broken.file);
    // Straight to the start-up state that loads the method's files, past the method picker.
    const std::string preferences = std::string("INPUT_METHOD = ") + broken.inputMethod + "\n";
    E2E::GameProcess game(arguments, preferences, /*linkData=*/false, {}, [&](const std::string& workDir) {
        namespace fs = std::filesystem;
        fs::copy(E2E::GameProcess::sourceDir() + "/data", workDir + "/data",
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        if (!nameGiven) changeFile(workDir + "/data/" + broken.file, broken.changes);
    });
    int exitCode = -1;
    // The start-up state runs in the first frames, which the sanitizer build draws slowly.
    ASSERT_TRUE(game.waitForExit(2 * E2E::kStartTimeoutMs, exitCode)) << "still running: " << game.standardError();
    EXPECT_EQ(exitCode, 1);
    EXPECT_THAT(game.standardError(), ::testing::MatchesRegex(broken.line + "\n"));
}

// The parser's own line: the file (its whole path), the line and column, and the fault.
std::string parserLine(const std::string& prefix, const std::string& file) {
    return prefix + "/.*/data/" + file + ":[0-9]+: [0-9]+: error: [^\n]*";
}

const std::vector<BrokenValue> kBrokenValues = {
    {"TimeScaleEndless", "config.json", "time_scale: inf", "data/config: field game.time_scale: must be 0.1 to 10"},
    {"TimeScalePastAFloat", "config.json", "time_scale: 1e39", "data/config: field game.time_scale: must be 0.1 to 10"},
    {"TimeScaleNotANumber", "config.json", "time_scale: nan", "data/config: field game.time_scale: must be 0.1 to 10"},
    {"TimeScaleNegative", "config.json", "time_scale: -1", "data/config: field game.time_scale: must be 0.1 to 10"},
    {"TimeScaleZero", "config.json", "time_scale: 0", "data/config: field game.time_scale: must be 0.1 to 10"},
    {"DesignWidthZero", "config.json", "design_width: 0", "data/config: field game.design_width: must be 64 to 4096"},
    {"ConfigurationCutShort", "config.json", "<cut>", parserLine("Failed to load: ", "config.json")},
    {"TuningTableCutShort", "globals.json", "<cut>", parserLine("Failed to load: ", "globals.json")},
    {"LevelTooLargeTogether", "config.json",
     "cells_wide: 1024, cells_high: 1024, cell_width_tiles: 64, cell_height_tiles: 64, margin_left: 256, "
     "margin_right: 256, margin_top: 256, margin_bottom: 256",
     "data/config: level 0 field cells_wide: with cells_high, the cell sizes and the margins the tile map is 67073 x "
     "67073 tiles, more than 1048576 tiles"},
    {"ConfigurationThatNeverEnds", "/dev/zero", "", "Failed to load: /dev/zero: larger than 16 MiB"},
    {"PickAreaNotANumber", "INPUT-METHOD-PICK.json", "x: nan",
     "Failed to create input INPUT-METHOD from: data/INPUT-METHOD-PICK.json: area 0 ANYWHERE field rect.x: must be a "
     "finite number"},
    {"IntroAreaNotANumber", "input/STANDARD/INTRO.json", "x: nan",
     "Failed to create input INTRO from: data/input/STANDARD/INTRO.json: area 0 ANYWHERE field rect.x: must be a "
     "finite number"},
    {"TitleAreaOfNegativeSize", "input/ONEKEY/TITLE.json", "width: -10",
     "Failed to create input TITLE from: data/input/ONEKEY/TITLE.json: area 0 ANYWHERE field rect.width: must be "
     "above 0",
     "ONEKEY"},
    {"GameAreaOffTheWindow", "input/HEADTRACKER/GAME.json", "x: 500",
     "Failed to create input GAME from: data/input/HEADTRACKER/GAME.json: area 0 ANYWHERE field rect: must lie within "
     "the window, 0 to 100 percent",
     "HEADTRACKER"},
    {"OneKeyDelayZero", "accessibility.json", "one_key_delay: 0",
     "Failed to load the accessibility references: data/accessibility.json: field menu.one_key_delay: must be 1 to "
     "60000 ms",
     "ONEKEY"},
    {"RobotAnimationWithoutShape", "robots.json", "animation: 999",
     "Failed to init RobotFactory: data/robots.json: robot type 1: animation 999 names no drawing with a shape"},
    {"RobotScaleNotANumber", "robots.json", "scale: nan",
     "Failed to init RobotFactory: data/robots.json: robot type 1: scale is not 0 \\(random\\) or a number up to 4"},
};

INSTANTIATE_TEST_SUITE_P(Values, BrokenData, ::testing::ValuesIn(kBrokenValues),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
