#include "game/config/Config.h"

#include <gtest/gtest.h>

#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "game/config/ConfigReaders.h"
#include "game/config/GameTableCheck.h"
#include "game/config/Settings.h"
#include "tests/engine/util/TempFolder.h"

namespace {

using namespace Zelmo;

// Loads configuration JSON from a temporary file against the real schema, with no preferences file.
class ConfigTest : public ::testing::Test {
protected:
    TempFolder m_folder;

    void load(const std::string& json) {
        m_folder.write("config.json", json);
        ASSERT_TRUE(loadConfig(m_folder.path("config"), m_folder.path("preferences.cfg")));
    }
    void TearDown() override {
        unloadConfig();
        settings().clear();
    }
};

TEST_F(ConfigTest, TitleOnlyGivesTheDefaultWindowAndTiming) {
    load(R"({game: {title: "ZELMO"}})");
    const GameTable game = readGameTable();
    EXPECT_EQ(game.title, "ZELMO");
    EXPECT_EQ(game.designWidth, 640);
    EXPECT_EQ(game.designHeight, 480);
    EXPECT_EQ(game.rate, 60);
    EXPECT_EQ(game.frameSkip, 0);
    EXPECT_FLOAT_EQ(game.timeScale, 1.0f);
    EXPECT_FALSE(game.keepAspect);
    EXPECT_EQ(game.mapViewWidth, 1024);
    EXPECT_EQ(game.mapViewHeight, 1024);
    EXPECT_EQ(levelCount(), 0);
    EXPECT_TRUE(readSounds().empty());
}

TEST_F(ConfigTest, MissingTablesReadAsDefaults) {
    load("{}");
    EXPECT_EQ(readGameTable().title, "");
    EXPECT_EQ(readGameTable().rate, 60);
    EXPECT_EQ(readRobotDataName(), "");
    const SettingDefaults defaults = readSettingDefaults();
    EXPECT_EQ(defaults.inputMethod, "NONE");
    EXPECT_EQ(defaults.screenWidth, 640);
    EXPECT_EQ(defaults.bindings[0], "");
    EXPECT_EQ(readGameTable(nullptr).designHeight, 480);
}

TEST_F(ConfigTest, FillsTheSettingsFromItsDefaults) {
    load(R"({defaults: {key_w: "KEY:UP", mouse_mmb: "MOUSE:MMB", jpad_b4: "JPAD: B4", input_method: ONESWITCH,
             screen_width: 1024, screen_full: true}, game: {title: "T"}})");
    EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:UP");
    EXPECT_EQ(getPref("INPUT_MOUSE_MMB"), "MOUSE:MMB");
    EXPECT_EQ(getPref("INPUT_JPAD_B4"), "JPAD: B4");
    EXPECT_EQ(getPref("INPUT_KEY_S"), "");
    EXPECT_EQ(getPref("INPUT_METHOD"), "ONESWITCH");
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "1024");
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), "480");
    EXPECT_EQ(getPref("SCREEN_FULL"), "1");
    EXPECT_EQ(getPref("VOL_SPEECH"), "100");
    EXPECT_EQ(getPref("OPT_FLOOR_ON"), "0");
}

TEST_F(ConfigTest, ReadsTheGameTable) {
    load(R"({game: {title: "ZELMO", time_scale: 0.5, design_width: 800, design_height: 600, keep_aspect: true,
             rate: 30, frame_skip: 2, shape_data: "shapes", intro_drawing: "intro", lost_drawing: "lost",
             won_drawing: "won", vector_font: "vfont", map_view_width: 512, map_view_height: 256,
             texture_1: "a.png", texture_2: "b.png"},
             robot_data: "robots", log_file: "x.log"})");
    const GameTable game = readGameTable();
    EXPECT_FLOAT_EQ(game.timeScale, 0.5f);
    EXPECT_EQ(game.designWidth, 800);
    EXPECT_EQ(game.designHeight, 600);
    EXPECT_TRUE(game.keepAspect);
    EXPECT_EQ(game.rate, 30);
    EXPECT_EQ(game.frameSkip, 2);
    EXPECT_EQ(game.shapeData, "shapes");
    EXPECT_EQ(game.introDrawing, "intro");
    EXPECT_EQ(game.lostDrawing, "lost");
    EXPECT_EQ(game.wonDrawing, "won");
    EXPECT_EQ(game.vectorFont, "vfont");
    EXPECT_EQ(game.mapViewWidth, 512);
    EXPECT_EQ(game.mapViewHeight, 256);
    EXPECT_EQ(game.texture1, "a.png");
    EXPECT_EQ(game.texture2, "b.png");
    EXPECT_EQ(readRobotDataName(), "robots");
    EXPECT_EQ(readLogDefault(), "x.log");
}

TEST_F(ConfigTest, FontsAndInputsLieInTheDataFolder) {
    load(R"({game: {title: "T", fonts: [{name: "DEFAULT", file: "Sans.ttf"}],
             inputs: [{name: "GAME", file: "GAME-[INPUT-METHOD].json"}, {name: "MENU", file: "menu.json"}]}})");
    const auto fonts = readFonts();
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].name, "DEFAULT");
    EXPECT_EQ(fonts[0].path, "data/Sans.ttf");
    const auto inputs = readInputs("ONESWITCH");
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].name, "GAME");
    EXPECT_EQ(inputs[0].path, "data/GAME-ONESWITCH.json");
    EXPECT_EQ(inputs[1].path, "data/menu.json");
}

TEST_F(ConfigTest, SoundsOfTheThreeTypesWithTheirOwnDefaults) {
    load(R"({game: {title: "T", sounds: [
             {id: 1, sound_type: WavSound, sound: {file: "hit.wav"}},
             {id: 2, sound_type: StreamSound, sound: {file: "music.ogg"}},
             {id: 3, sound_type: SpeechSound, sound: {text: "Hello"}},
             {id: 4, sound_type: WavSound, sound: {file: "loop.wav", single_instance: true, looping: true}},
             {id: 5, sound_type: SpeechSound, sound: {text: "Again", single_instance: false, looping: true}}]}})");
    const auto sounds = readSounds();
    ASSERT_EQ(sounds.size(), 5u);
    struct Expected {
        int id;
        SoundType type;
        const char* source;
        bool singleInstance;
        bool looping;
    };
    const Expected expected[] = {{1, SoundType::Wav, "data/hit.wav", false, false},
                                 {2, SoundType::Stream, "data/music.ogg", true, true},
                                 {3, SoundType::Speech, "Hello", true, false},
                                 {4, SoundType::Wav, "data/loop.wav", true, true},
                                 {5, SoundType::Speech, "Again", false, true}};
    for (size_t i = 0; i < sounds.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(sounds[i].id, expected[i].id);
        EXPECT_EQ(sounds[i].type, expected[i].type);
        EXPECT_EQ(sounds[i].source, expected[i].source);
        EXPECT_EQ(sounds[i].singleInstance, expected[i].singleInstance);
        EXPECT_EQ(sounds[i].looping, expected[i].looping);
    }
}

TEST_F(ConfigTest, ReadsLevelsWithTheirCellsAndRobots) {
    load(R"({game: {title: "T", levels: [
             {seed: 1, loop_percent: 2, cells_wide: 3, cells_high: 4, cell_width_tiles: 5, cell_height_tiles: 6,
              tile_shift_x: 7, tile_shift_y: 8, margin_left: 9, margin_right: 10, margin_top: 11, margin_bottom: 12,
              tile_flag_bits: 13, extra_value_1: 14, extra_value_2: 15,
              special_cells: [{x: 1, y: 2}, {x: 3, y: 4}], minimap_regions_x: 2, minimap_regions_y: 3,
              collision_data: "coll", tile_atlas: "atlas.png", minimap_terminal_offset: 4,
              floor_colour: 0xFF804000, floor_on: false, floor_scale: 2.0,
              floor_param_1: 0.1, floor_param_2: 0.2, floor_param_3: 0.3, floor_param_4: 0.4,
              robots: [{type: 3}, {type: 4, x: 5, y: 6, column_sections: 2, row_sections: 3,
                        column_section: 1, row_section: 0}]},
             {}]}})");
    ASSERT_EQ(levelCount(), 2);
    const LevelEntry level = readLevel(0);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(level.params[size_t(i)], i + 1);
    ASSERT_EQ(level.specialCells.size(), 2u);
    EXPECT_EQ(level.specialCells[1].x, 3);
    EXPECT_EQ(level.specialCells[1].y, 4);
    EXPECT_EQ(level.minimapRegionsX, 2);
    EXPECT_EQ(level.minimapRegionsY, 3);
    EXPECT_EQ(level.collisionData, "coll");
    EXPECT_EQ(level.tileAtlas, "atlas.png");
    EXPECT_EQ(level.minimapTerminalOffset, 4);
    EXPECT_FLOAT_EQ(level.floorColour[0], 1.0f);
    EXPECT_FLOAT_EQ(level.floorColour[1], 128 / 255.0f);
    EXPECT_FLOAT_EQ(level.floorColour[2], 64 / 255.0f);
    EXPECT_FLOAT_EQ(level.floorColour[3], 0.0f);
    EXPECT_FALSE(level.floorOn);
    EXPECT_FLOAT_EQ(level.floorScale, 2.0f);
    EXPECT_FLOAT_EQ(level.floorParams[3], 0.4f);
    ASSERT_EQ(level.robots.size(), 2u);
    EXPECT_EQ(level.robots[0].type, 3);
    EXPECT_EQ(level.robots[0].x, -1);
    EXPECT_EQ(level.robots[0].y, -1);
    EXPECT_EQ(level.robots[0].columnSections, 1);
    EXPECT_EQ(level.robots[0].rowSection, -1);
    EXPECT_EQ(level.robots[1].x, 5);
    EXPECT_EQ(level.robots[1].rowSections, 3);
    EXPECT_EQ(level.robots[1].columnSection, 1);
    EXPECT_EQ(level.robots[1].rowSection, 0);
}

TEST_F(ConfigTest, AbsentLevelFieldsAndIndexesOutsideTheListGiveDefaults) {
    load(R"({game: {title: "T", levels: [{}]}})");
    const LevelEntry defaults;
    for (const LevelEntry& level : {readLevel(0), readLevel(1), readLevel(-1)}) {
        EXPECT_EQ(level.params, defaults.params);
        EXPECT_TRUE(level.specialCells.empty());
        EXPECT_EQ(level.minimapTerminalOffset, 8);
        EXPECT_FLOAT_EQ(level.floorColour[0], 0x63 / 255.0f);
        EXPECT_FLOAT_EQ(level.floorColour[3], 0x26 / 255.0f);
        EXPECT_TRUE(level.floorOn);
        EXPECT_FLOAT_EQ(level.floorScale, 1.0f);
        EXPECT_FLOAT_EQ(level.floorParams[0], 0.95f);
        EXPECT_FLOAT_EQ(level.floorParams[2], 0.2f);
    }
}

TEST_F(ConfigTest, UnloadingLeavesNoRoot) {
    load(R"({game: {title: "T"}})");
    EXPECT_NE(configRoot(), nullptr);
    unloadConfig();
    EXPECT_EQ(configRoot(), nullptr);
    EXPECT_EQ(readGameTable().title, "");
}

TEST(InputMethodName, NamesTheFiveMethodsAndTreatsOthersAsNone) {
    const std::pair<int, const char*> cases[] = {{0, "NONE"},        {1, "STANDARD"}, {2, "ONEKEY"}, {3, "ONESWITCH"},
                                                 {4, "HEADTRACKER"}, {5, "NONE"},     {-1, "NONE"}};
    for (const auto& [value, name] : cases) EXPECT_EQ(inputMethodName(value), name) << value;
}

TEST(ConfigDeathTest, SoundOfUnknownTypeStops) {
    TempFolder folder;
    folder.write("config.json", R"({game: {title: "T", sounds: [{id: 9}]}})");
    EXPECT_EXIT(
        {
            loadConfig(folder.path("config"), folder.path("preferences.cfg"));
            readSounds();
        },
        ::testing::ExitedWithCode(1), "^Unknown sound type: 0\n$");
}

TEST(ConfigDeathTest, MissingDataStops) {
    TempFolder folder;
    const std::string name = folder.path("config");
    EXPECT_EXIT(loadConfig(name, folder.path("preferences.cfg")), ::testing::ExitedWithCode(1),
                "^Failed to load: " + name + "\n$");
}

TEST(ConfigDeathTest, JsonThatDoesNotParseStopsWithTheFileLineAndColumn) {
    TempFolder folder;
    folder.write("config.json", "{game: {title: \"T\",\n rate: \"fast\"}}");
    EXPECT_EXIT(loadConfig(folder.path("config"), folder.path("preferences.cfg")), ::testing::ExitedWithCode(1),
                "^Failed to load: " + folder.path("config.json") + ":2: 13: error: .*\n$");
}

// Numbers of the game table that would stop the clock, make a frame endless or a window of no
// size: (field, value) -> the one line the player sees.
TEST(GameTableCheck, NamesTheFieldOutsideItsRange) {
    struct Case {
        std::string field;
        std::string value;
        std::string line;  // after "data/config: field game."; empty: sound
    };
    const std::vector<Case> cases = {
        {"time_scale", "1.0", ""},
        {"time_scale", "0.1", ""},
        {"time_scale", "10", ""},
        {"time_scale", "inf", "time_scale: must be 0.1 to 10"},
        {"time_scale", "1e39", "time_scale: must be 0.1 to 10"},
        {"time_scale", "nan", "time_scale: must be 0.1 to 10"},
        {"time_scale", "-1", "time_scale: must be 0.1 to 10"},
        {"time_scale", "0", "time_scale: must be 0.1 to 10"},
        {"time_scale", "11", "time_scale: must be 0.1 to 10"},
        {"design_width", "0", "design_width: must be 64 to 4096"},
        {"design_height", "-480", "design_height: must be 64 to 4096"},
        {"design_height", "100000", "design_height: must be 64 to 4096"},
        {"rate", "0", "rate: must be 1 to 1000"},
        {"frame_skip", "-1", "frame_skip: must be 0 to 10"},
        {"map_view_width", "0", "map_view_width: must be 64 to 2048"},
        {"map_view_height", "1000000", "map_view_height: must be 64 to 2048"},
    };
    Game::Info config;
    ASSERT_TRUE(config.loadSchema("data/config.fbs"));
    for (const Case& c : cases) {
        const std::string json = R"({"game": {"title": "T", ")" + c.field + "\": " + c.value + "}}";
        const uint8_t* data = config.storeData(json, false);
        ASSERT_NE(data, nullptr) << json << " " << config.parseError();
        EXPECT_EQ(gameTableError(readGameTable(GetConfigRoot(data)), "data/config"),
                  c.line.empty() ? "" : "data/config: field game." + c.line)
            << c.field << " " << c.value;
    }
}

TEST(ConfigDeathTest, AGameTableOutOfRangeStopsNamingTheField) {
    TempFolder folder;
    folder.write("config.json", R"({game: {title: "T", time_scale: 0}})");
    EXPECT_EXIT(loadConfig(folder.path("config"), folder.path("preferences.cfg")), ::testing::ExitedWithCode(1),
                "^" + folder.path("config") + ": field game.time_scale: must be 0.1 to 10\n$");
}

}  // namespace
