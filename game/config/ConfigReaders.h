#pragma once
#include <array>
#include <string>
#include <vector>

#include "game/config/Config.h"
#include "game/config/InputMethods.h"

// Plain-value views of the configuration's tables. Each reader takes the root to read (the
// loaded configuration by default) and gives the schema's defaults for absent fields and tables.
namespace Zelmo {

// The game table's scalar fields and the names of the further data files.
struct GameTable {
    std::string title;  // empty when absent
    float timeScale = 1.0f;
    int designWidth = 640;
    int designHeight = 480;
    bool keepAspect = false;
    int rate = 60;
    int frameSkip = 0;  // 0 never skips
    std::string shapeData;
    std::string introDrawing;
    std::string lostDrawing;
    std::string wonDrawing;
    std::string vectorFont;
    int mapViewWidth = 1024;
    int mapViewHeight = 1024;
    std::string texture1;
    std::string texture2;
};
GameTable readGameTable(const ConfigRoot* root = configRoot());

// Name of the robot data file and default of the option "log" (root fields 2 and 3).
std::string readRobotDataName(const ConfigRoot* root = configRoot());
std::string readLogDefault(const ConfigRoot* root = configRoot());

// The setting names of the 22 binding slots, in the order of the defaults table's fields 0 to 21.
const std::array<std::string, 22>& bindingNames();

// The settings-store defaults: bindings in the order of bindingNames, the input method's name.
struct SettingDefaults {
    std::array<std::string, 22> bindings;
    std::string inputMethod = kNoInputMethod;
    int screenWidth = 640;
    int screenHeight = 480;
    bool screenFull = false;
};
SettingDefaults readSettingDefaults(const ConfigRoot* root = configRoot());

// kNoInputMethod for 0, the methods of kInputMethods for 1 to 4; a value outside 0-4 reads as
// kNoInputMethod, which leads to the method picker.
std::string inputMethodName(int value);

struct FontEntry {
    std::string name;
    std::string path;  // "data/" + file
};
std::vector<FontEntry> readFonts(const ConfigRoot* root = configRoot());

struct InputEntry {
    std::string name;
    std::string path;  // "data/" + file, "[INPUT-METHOD]" replaced by the method
};
std::vector<InputEntry> readInputs(const std::string& inputMethod, const ConfigRoot* root = configRoot());

enum class SoundType { Wav = 1, Stream = 2, Speech = 3 };

struct SoundEntry {
    int id = 0;
    SoundType type = SoundType::Wav;
    std::string source;  // "data/" + file, or the text to speak
    bool singleInstance = false;
    bool looping = false;
};
// An entry of any other type (also none) is a fatal stop "Unknown sound type: <type>".
std::vector<SoundEntry> readSounds(const ConfigRoot* root = configRoot());

struct CellPos {
    int x = 0;
    int y = 0;
};

struct RobotSpawnEntry {
    int type = 0;
    int x = -1;  // -1: chosen within the column section
    int y = -1;  // -1: chosen within the row section
    int columnSections = 1;
    int rowSections = 1;
    int columnSection = -1;  // -1: random
    int rowSection = -1;     // -1: random
};

struct LevelEntry {
    // seed, loop percentage, cells wide and high, cell width and height in tiles, tile shifts x
    // and y, margins left, right, top and bottom, tile flag bits, two extra values
    std::array<int, 15> params{};
    std::vector<CellPos> specialCells;  // the start and lift first
    int minimapRegionsX = 0;
    int minimapRegionsY = 0;
    std::string collisionData;
    std::string tileAtlas;
    int minimapTerminalOffset = 8;
    // The bytes of the stored colour (0x63123C26 by default) from the most significant, / 255.
    std::array<float, 4> floorColour{0x63 / 255.0f, 0x12 / 255.0f, 0x3C / 255.0f, 0x26 / 255.0f};
    bool floorOn = true;
    float floorScale = 1.0f;
    std::array<float, 4> floorParams{0.95f, 0.3f, 0.2f, 0.25f};
    std::vector<RobotSpawnEntry> robots;
};
int levelCount(const ConfigRoot* root = configRoot());
// The level at index; an index outside the list gives an entry of defaults.
LevelEntry readLevel(int index, const ConfigRoot* root = configRoot());

}  // namespace Zelmo
