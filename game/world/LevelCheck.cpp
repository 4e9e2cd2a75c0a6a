#include "game/world/LevelCheck.h"

#include <algorithm>
#include <set>
#include <utility>

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/util/Fatal.h"
#include "engine/vector/VectorDisplay.h"
#include "game/config/ConfigReaders.h"

namespace Zelmo {
namespace {

const char* const kLevelFile = "data/config: ";
// The game's glow display starts 25 views higher per setting and must end below the menus' 136:
// from view 85 it takes the scene, 8 views per unit of brightness for the glow and 2 composites.
constexpr int kMaxVectorSetting = 3;
constexpr float kMaxBrightness = 5.0f;
// Each size may lie in its range while together they do not: the tile map, the maze behind it and
// the collision grids over its pixels must stay small enough to build at once. The shipped
// levels' largest map is 103 x 103 tiles of 32 pixels; the largest allowed, a square of 341 cells
// of 2 tiles, builds headless in half a second and holds some 100 MiB.
constexpr int64_t kMostTiles = int64_t(1024) * 1024;
constexpr int64_t kMostPixelsAcross = int64_t(1) << 16;

std::string fault(int level, const std::string& field, const std::string& why) {
    return std::string(kLevelFile) + "level " + std::to_string(level) + " field " + field + ": " + why;
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

std::string spawnError(int level, size_t index, const RobotSpawnEntry& spawn, int cellsWide, int cellsHigh) {
    const std::string field = "robots[" + std::to_string(index) + "].";
    if (!inRange(spawn.columnSections, 1, cellsWide)) return fault(level, field + "column_sections", "must be 1 to cells_wide");
    if (!inRange(spawn.rowSections, 1, cellsHigh)) return fault(level, field + "row_sections", "must be 1 to cells_high");
    if (spawn.columnSection != -1 && !inRange(spawn.columnSection, 0, spawn.columnSections - 1)) {
        return fault(level, field + "column_section", "must be -1 or below column_sections");
    }
    if (spawn.rowSection != -1 && !inRange(spawn.rowSection, 0, spawn.rowSections - 1)) {
        return fault(level, field + "row_section", "must be -1 or below row_sections");
    }
    if (spawn.x != -1 && !inRange(spawn.x, 0, cellsWide - 1)) return fault(level, field + "x", "outside the maze");
    if (spawn.y != -1 && !inRange(spawn.y, 0, cellsHigh - 1)) return fault(level, field + "y", "outside the maze");
    return "";
}

std::string levelError(int level, const LevelEntry& entry) {
    const std::array<int, 15>& p = entry.params;
    const int cellsWide = p[2], cellsHigh = p[3];
    if (!inRange(cellsWide, 2, 1024)) return fault(level, "cells_wide", "must be 2 to 1024");
    if (!inRange(cellsHigh, 2, 1024)) return fault(level, "cells_high", "must be 2 to 1024");
    if (!inRange(p[4], 2, 64)) return fault(level, "cell_width_tiles", "must be 2 to 64");
    if (!inRange(p[5], 2, 64)) return fault(level, "cell_height_tiles", "must be 2 to 64");
    if (!inRange(p[6], 1, 10)) return fault(level, "tile_shift_x", "must be 1 to 10");
    if (!inRange(p[7], 1, 10)) return fault(level, "tile_shift_y", "must be 1 to 10");
    const char* const margins[4] = {"margin_left", "margin_right", "margin_top", "margin_bottom"};
    for (int i = 0; i < 4; ++i) {
        if (!inRange(p[size_t(8 + i)], 0, 256)) return fault(level, margins[i], "must be 0 to 256");
    }
    // The map's size as the level map builds it: margins, cells with their walls, a closing wall.
    const int64_t tilesWide = int64_t(p[8]) + int64_t(cellsWide) * (p[4] + 1) + p[9] + 1;
    const int64_t tilesHigh = int64_t(p[10]) + int64_t(cellsHigh) * (p[5] + 1) + p[11] + 1;
    const std::string mapSize = std::to_string(tilesWide) + " x " + std::to_string(tilesHigh) + " tiles";
    if (tilesWide * tilesHigh > kMostTiles) {
        return fault(level, "cells_wide",
                     "with cells_high, the cell sizes and the margins the tile map is " + mapSize + ", more than " +
                         std::to_string(kMostTiles) + " tiles");
    }
    if ((tilesWide << p[6]) > kMostPixelsAcross) {
        return fault(
            level, "tile_shift_x",
            "the tile map of " + mapSize + " is more than " + std::to_string(kMostPixelsAcross) + " pixels wide");
    }
    if ((tilesHigh << p[7]) > kMostPixelsAcross) {
        return fault(
            level, "tile_shift_y",
            "the tile map of " + mapSize + " is more than " + std::to_string(kMostPixelsAcross) + " pixels high");
    }
    if (!inRange(p[1], 0, 100)) return fault(level, "loop_percent", "must be 0 to 100");
    if (entry.specialCells.empty()) return fault(level, "special_cells", "needs the start cell");
    std::set<std::pair<int, int>> seen;
    for (size_t i = 0; i < entry.specialCells.size(); ++i) {
        const CellPos& cell = entry.specialCells[i];
        const std::string field = "special_cells[" + std::to_string(i) + "]";
        if (!inRange(cell.x, 0, cellsWide - 1) || !inRange(cell.y, 0, cellsHigh - 1)) {
            return fault(level, field, "outside the maze");
        }
        // The maze is generated from its first cell.
        if (cell.x == 0 && cell.y == 0) return fault(level, field, "on the maze's start cell 0, 0");
        if (!seen.insert({cell.x, cell.y}).second) return fault(level, field, "named twice");
    }
    if (int(seen.size()) >= cellsWide * cellsHigh) return fault(level, "special_cells", "leave no free cell");
    if (entry.collisionData.empty()) return fault(level, "collision_data", "missing");
    for (size_t i = 0; i < entry.robots.size(); ++i) {
        const std::string error = spawnError(level, i, entry.robots[i], cellsWide, cellsHigh);
        if (!error.empty()) return error;
    }
    return "";
}

}  // namespace

std::string levelDataError(const ConfigRoot* root) {
    const int count = levelCount(root);
    if (count == 0) return std::string(kLevelFile) + "field levels: the level list is empty";
    for (int level = 0; level < count; ++level) {
        const std::string error = levelError(level, readLevel(level, root));
        if (!error.empty()) return error;
    }
    return "";
}

std::string seedDataError() {
    const auto* seeds = Globals::vectorField<const GameSeed*>("GAMESEEDS");
    const size_t seedCount = seeds ? seeds->size() : 0;
    if (seedCount == 0) return "data/globals: field game_seeds: the seed list is empty";
    for (const OptionTable* option : Globals::tables<OptionTable>("OPTIONVALUES")) {
        if (!option->name() || option->name()->str() != "OPT_GAME_SEED" || !option->values()) continue;
        for (const OptionValue* value : *option->values()) {
            if (value->value() < 0.0f || size_t(value->value()) >= seedCount) {
                return "data/globals: field game_seeds: no seed for GAME_SEED value " + std::to_string(int(value->value()));
            }
        }
    }
    return "";
}

std::string combatDataError() {
    const std::string file = "data/globals: field ";
    if (Globals::getFloat("PUNCHDAMAGEDIV") == 0.0f)
        return file + "punch_damage_div: missing or 0, the punch divides by it";
    const auto* knockBacks = Globals::vectorField<float>("KNOCKBACKVALUES");
    if (!knockBacks || knockBacks->size() == 0) return file + "knockback_values: the list is empty";
    bool anyDrop = false;
    for (const PowerUpDrop* drop : Globals::tables<PowerUpDrop>("POWUPDROPS")) anyDrop = anyDrop || drop->weight() >= 1;
    if (!anyDrop) return file + "powup_drops: needs an entry of weight 1 or more";
    return "";
}

std::string displayDataError() {
    const std::string file = "data/globals: ";
    const std::vector<const DisplaySetting*> rows = Globals::tables<DisplaySetting>("VDSETTINGS");
    for (size_t i = 0; i < rows.size(); ++i) {
        const DisplaySetting* row = rows[i];
        const std::string field = file + "field vd_settings[" + std::to_string(i) + "].";
        if (row->thickness() <= 0) return field + "thickness: must be above 0";
        if (!(row->brightness() >= 0.0f && row->brightness() <= kMaxBrightness)) {
            return field + "brightness: must be 0 to 5";
        }
        if (!(row->decay_start() >= 0.0f && row->decay_start() < 1.0f))
            return field + "decay_start: must be 0 to below 1";
        if (row->decay_steps() < 1 || row->decay_steps() > VectorDisplay::kMaxDecaySteps) {
            return field + "decay_steps: must be 1 to " + std::to_string(VectorDisplay::kMaxDecaySteps);
        }
    }
    for (const OptionTable* option : Globals::tables<OptionTable>("OPTIONVALUES")) {
        if (!option->name() || !option->values()) continue;
        const std::string name = option->name()->str();
        for (const OptionValue* entry : *option->values()) {
            const float value = entry->value();
            const bool whole = value == float(int(value));
            if (name == "OPT_GAME_ZOOM" && !(whole && value >= 1.0f && value <= float(kMaxZoom))) {
                return file + "field option_values: GAME_ZOOM value " + std::to_string(value) +
                       " is not a whole number from 1 to " + std::to_string(kMaxZoom);
            }
            if (name == "OPT_VECTOR_SETTINGS" &&
                !(whole && value >= 0.0f && size_t(value) < rows.size() && int(value) <= kMaxVectorSetting)) {
                return file + "field option_values: VECTOR_SETTINGS value " + std::to_string(value) +
                       " names no row of vd_settings (0 to " + std::to_string(kMaxVectorSetting) + ")";
            }
        }
    }
    return "";
}

void checkLevelData() {
    std::string error = levelDataError();
    if (error.empty()) error = seedDataError();
    if (error.empty()) error = combatDataError();
    if (error.empty()) error = displayDataError();
    if (!error.empty()) Util::fatal(error);
}

}  // namespace Zelmo
