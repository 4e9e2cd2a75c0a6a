#include <gtest/gtest.h>

#include "engine/data/Globals.h"
#include "game/config/Config.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/world/LevelCheck.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// One level of 4 x 3 cells, with fields replaced or added (field name, JSON value).
std::string configWith(const std::map<std::string, std::string>& changes) {
    std::map<std::string, std::string> fields = {
        {"cells_wide", "4"},        {"cells_high", "3"},   {"cell_width_tiles", "3"},
        {"cell_height_tiles", "3"}, {"tile_shift_x", "5"}, {"tile_shift_y", "5"},
        {"collision_data", "\"tilecollision\""}, {"special_cells", R"([{"x": 1, "y": 1}])"}};
    for (const auto& [field, value] : changes) fields[field] = value;
    std::string level;
    for (const auto& [name, text] : fields) level += (level.empty() ? "\"" : ", \"") + name + "\": " + text;
    return R"({"game": {"levels": [{)" + level + "}]}}";
}

std::string errorOf(const std::string& json) {
    TempFolder folder;
    folder.write("config.json", json);
    EXPECT_TRUE(Zelmo::loadConfig(folder.path("config"), "no-preferences-for-the-level-check.cfg"));
    const std::string error = Zelmo::levelDataError();
    Zelmo::unloadConfig();
    Zelmo::settings().clear();
    return error;
}

TEST(LevelCheck, NamesTheLevelAndFieldOfEachFault) {
    struct Case {
        std::string field;
        std::string value;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"robots", R"([{"type": 1}])", ""},
        {"cells_wide", R"(0)", "level 0 field cells_wide: must be 2 to 1024"},
        {"cell_width_tiles", R"(1)", "level 0 field cell_width_tiles: must be 2 to 64"},
        {"tile_shift_y", R"(0)", "level 0 field tile_shift_y: must be 1 to 10"},
        {"margin_top", R"(-1)", "level 0 field margin_top: must be 0 to 256"},
        {"special_cells", R"([])", "level 0 field special_cells: needs the start cell"},
        {"special_cells", R"([{"x": 4, "y": 1}])", "level 0 field special_cells[0]: outside the maze"},
        {"special_cells", R"([{"x": 2, "y": 1}, {"x": 0, "y": 0}])",
         "level 0 field special_cells[1]: on the maze's start cell 0, 0"},
        {"special_cells", R"([{"x": 2, "y": 1}, {"x": 2, "y": 1}])", "level 0 field special_cells[1]: named twice"},
        {"robots", R"([{"type": 1}, {"type": 2, "column_sections": 0}])",
         "level 0 field robots[1].column_sections: must be 1 to cells_wide"},
        {"robots", R"([{"type": 2, "row_sections": 4}])", "level 0 field robots[0].row_sections: must be 1 to cells_high"},
        {"robots", R"([{"type": 2, "column_sections": 2, "column_section": 2}])",
         "level 0 field robots[0].column_section: must be -1 or below column_sections"},
        {"robots", R"([{"type": 2, "y": 3}])", "level 0 field robots[0].y: outside the maze"},
    };
    for (const Case& c : cases) {
        const std::string error = errorOf(configWith({{c.field, c.value}}));
        EXPECT_EQ(error, c.line.empty() ? "" : "data/config: " + c.line) << c.field << " " << c.value;
    }
    EXPECT_EQ(errorOf(R"({"game": {"levels": []}})"), "data/config: field levels: the level list is empty");
}

// Sizes each within their range whose product is a tile map too large to build or a world too
// many pixels across for the collision grids: (fields, values) -> the one line the player sees.
TEST(LevelCheck, BoundsTheTileMapThatTheSizesMakeTogether) {
    const std::map<std::string, std::string> largest = {
        {"cells_wide", "1024"}, {"cells_high", "1024"},  {"cell_width_tiles", "64"}, {"cell_height_tiles", "64"},
        {"margin_left", "256"}, {"margin_right", "256"}, {"margin_top", "256"},      {"margin_bottom", "256"}};
    struct Case {
        std::map<std::string, std::string> fields;
        std::string line;  // after "data/config: level 0 field "; empty: sound
    };
    const std::vector<Case> cases = {
        {largest,
         "cells_wide: with cells_high, the cell sizes and the margins the tile map is 67073 x 67073 tiles, "
         "more than 1048576 tiles"},
        {{{"cells_wide", "342"}, {"cells_high", "342"}, {"cell_width_tiles", "2"}, {"cell_height_tiles", "2"}},
         "cells_wide: with cells_high, the cell sizes and the margins the tile map is 1027 x 1027 tiles, more than "
         "1048576 tiles"},
        // The largest square map allowed: 341 cells of 2 tiles and their walls, and the closing wall.
        {{{"cells_wide", "341"}, {"cells_high", "341"}, {"cell_width_tiles", "2"}, {"cell_height_tiles", "2"}}, ""},
        {{{"cells_wide", "100"}, {"cell_width_tiles", "64"}, {"tile_shift_x", "5"}},
         "tile_shift_x: the tile map of 6501 x 13 tiles is more than 65536 pixels wide"},
        {{{"cells_high", "64"}, {"cell_height_tiles", "15"}, {"tile_shift_y", "6"}},
         "tile_shift_y: the tile map of 17 x 1025 tiles is more than 65536 pixels high"},
        {{{"cells_high", "64"}, {"cell_height_tiles", "15"}, {"tile_shift_y", "5"}}, ""},
    };
    for (const Case& c : cases) {
        const std::string error = errorOf(configWith(c.fields));
        EXPECT_EQ(error, c.line.empty() ? "" : "data/config: level 0 field " + c.line) << c.line;
    }
}

TEST(LevelCheck, NamesTheCombatValuesTheGameDividesByOrDrawsFrom) {
    const std::string sound =
        R"("punch_damage_div": 25.0, "knockback_values": [4.0], "powup_drops": [{"drawing": 49, "weight": 1}])";
    struct Case {
        std::string json;
        std::string line;
    } cases[] = {
        {sound, ""},
        {R"("knockback_values": [4.0], "powup_drops": [{"drawing": 49, "weight": 1}])",
         "punch_damage_div: missing or 0, the punch divides by it"},
        {R"("punch_damage_div": 0.0, "knockback_values": [4.0], "powup_drops": [{"drawing": 49, "weight": 1}])",
         "punch_damage_div: missing or 0, the punch divides by it"},
        {R"("punch_damage_div": 25.0, "knockback_values": [], "powup_drops": [{"drawing": 49, "weight": 1}])",
         "knockback_values: the list is empty"},
        {R"("punch_damage_div": 25.0, "knockback_values": [4.0], "powup_drops": [{"drawing": 49, "weight": 0}])",
         "powup_drops: needs an entry of weight 1 or more"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("globals.json", "{" + c.json + "}");
        ASSERT_TRUE(Globals::loadFiles("data/Globals.fbs", folder.path("globals"), Zelmo::tuningFieldSlots()));
        EXPECT_EQ(Zelmo::combatDataError(), c.line.empty() ? "" : "data/globals: field " + c.line) << c.json;
    }
    ASSERT_TRUE(Zelmo::loadTuningTable());
    EXPECT_EQ(Zelmo::combatDataError(), "") << "the shipped values";
}

// The picture's settings of a tuning table holding one display row and the two options.
std::string displayErrorOf(const std::string& row, const std::string& zooms, const std::string& settings) {
    TempFolder folder;
    folder.write("globals.json", R"({"vd_settings": [)" + row + R"(], "option_values": [
        {"name": "OPT_GAME_ZOOM", "values": [)" +
                                     zooms + R"(]},
        {"name": "OPT_VECTOR_SETTINGS", "values": [)" +
                                     settings + "]}]}");
    EXPECT_TRUE(Globals::loadFiles("data/Globals.fbs", folder.path("globals"), Zelmo::tuningFieldSlots()));
    return Zelmo::displayDataError();
}

TEST(LevelCheck, PictureSettingsAreWholeZoomsAndRowsTheDisplayCanTake) {
    const std::string row = R"({"thickness": 6, "brightness": 1.0, "decay_start": 0.04, "decay_steps": 5})";
    const std::string one = R"({"value": 1.0})";
    const std::string zero = R"({"value": 0.0})";
    struct Case {
        std::string row;
        std::string zooms;
        std::string settings;
        std::string line;
    };
    const std::vector<Case> cases = {
        {row, one + R"(, {"value": 2.0})", zero, ""},
        {row, R"({"value": 1.5})", zero,
         "field option_values: GAME_ZOOM value 1.500000 is not a whole number from 1 to 4"},
        {row, R"({"value": 0.0})", zero,
         "field option_values: GAME_ZOOM value 0.000000 is not a whole number from 1 to 4"},
        {row, one, R"({"value": 1.0})",
         "field option_values: VECTOR_SETTINGS value 1.000000 names no row of vd_settings (0 to 3)"},
        {R"({"thickness": 0, "brightness": 1.0, "decay_start": 0.04, "decay_steps": 5})", one, zero,
         "field vd_settings[0].thickness: must be above 0"},
        {R"({"thickness": 6, "brightness": 9.0, "decay_start": 0.04, "decay_steps": 5})", one, zero,
         "field vd_settings[0].brightness: must be 0 to 5"},
        {R"({"thickness": 6, "brightness": 1.0, "decay_start": 1.0, "decay_steps": 5})", one, zero,
         "field vd_settings[0].decay_start: must be 0 to below 1"},
        {R"({"thickness": 6, "brightness": 1.0, "decay_start": 0.04, "decay_steps": 0})", one, zero,
         "field vd_settings[0].decay_steps: must be 1 to 60"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(displayErrorOf(c.row, c.zooms, c.settings), c.line.empty() ? "" : "data/globals: " + c.line)
            << c.row << " " << c.zooms << " " << c.settings;
    }
    ASSERT_TRUE(Zelmo::loadTuningTable());
    EXPECT_EQ(Zelmo::displayDataError(), "") << "the shipped tuning table";
}

}  // namespace
