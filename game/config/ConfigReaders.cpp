#include "game/config/ConfigReaders.h"

#include "data/config_generated.h"
#include "engine/data/TableDefaults.h"
#include "engine/util/Fatal.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/config/SettingKeys.h"

namespace Zelmo {
namespace {

// Other parts of the program name these fields by position: the schema must keep them there.
constexpr flatbuffers::voffset_t slot(int field) { return flatbuffers::voffset_t(4 + 2 * field); }
static_assert(ConfigRoot::VT_GAME == slot(1) && ConfigRoot::VT_LOG_FILE == slot(3));
static_assert(ConfigDefaults::VT_JPAD_B4 == slot(21) && ConfigDefaults::VT_SCREEN_FULL == slot(25));
static_assert(GameConfig::VT_TIME_SCALE == slot(5) && GameConfig::VT_FONTS == slot(11));
static_assert(GameConfig::VT_SHAPE_DATA == slot(14) && GameConfig::VT_VECTOR_FONT == slot(18));
static_assert(GameConfig::VT_LEVELS == slot(19) && GameConfig::VT_TEXTURE_2 == slot(23));
static_assert(SoundDef::VT_SOUND_TYPE == slot(1) && SoundDef::VT_SOUND == slot(2));
static_assert(LevelDef::VT_EXTRA_VALUE_2 == slot(14) && LevelDef::VT_SPECIAL_CELLS == slot(15));
static_assert(LevelDef::VT_FLOOR_COLOUR == slot(21) && LevelDef::VT_ROBOTS == slot(28));
static_assert(RobotSpawn::VT_ROW_SECTION == slot(6));

const std::string kDataFolder = "data/";

const ConfigRoot* rootOrDefaults(const ConfigRoot* root) { return Game::tableOrDefaults(root); }
const GameConfig* gameOf(const ConfigRoot* root) { return Game::tableOrDefaults(rootOrDefaults(root)->game()); }

template <typename Sound>
SoundEntry soundEntry(const SoundDef* def, SoundType type, const Sound* member, std::string source) {
    const Sound* sound = Game::tableOrDefaults(member);
    SoundEntry entry;
    entry.id = def->id();
    entry.type = type;
    entry.source = std::move(source);
    entry.singleInstance = sound->single_instance();
    entry.looping = sound->looping();
    return entry;
}

SoundEntry readSound(const SoundDef* def) {
    switch (def->sound_type()) {
        case SoundKind_WavSound: {
            const auto* wav = def->sound_as_WavSound();
            return soundEntry(def, SoundType::Wav, wav, kDataFolder + Util::toStdString(wav ? wav->file() : nullptr));
        }
        case SoundKind_StreamSound: {
            const auto* stream = def->sound_as_StreamSound();
            return soundEntry(def, SoundType::Stream, stream,
                              kDataFolder + Util::toStdString(stream ? stream->file() : nullptr));
        }
        case SoundKind_SpeechSound: {
            const auto* speech = def->sound_as_SpeechSound();
            return soundEntry(def, SoundType::Speech, speech, Util::toStdString(speech ? speech->text() : nullptr));
        }
        default: Util::fatal("Unknown sound type: " + std::to_string(int(def->sound_type())));
    }
}

RobotSpawnEntry readRobotSpawn(const RobotSpawn* spawn) {
    RobotSpawnEntry entry;
    entry.type = spawn->type();
    entry.x = spawn->x();
    entry.y = spawn->y();
    entry.columnSections = spawn->column_sections();
    entry.rowSections = spawn->row_sections();
    entry.columnSection = spawn->column_section();
    entry.rowSection = spawn->row_section();
    return entry;
}

std::array<float, 4> colourComponents(uint32_t colour) {
    return {float((colour >> 24) & 0xFF) / 255.0f, float((colour >> 16) & 0xFF) / 255.0f,
            float((colour >> 8) & 0xFF) / 255.0f, float(colour & 0xFF) / 255.0f};
}

}  // namespace

GameTable readGameTable(const ConfigRoot* root) {
    const GameConfig* game = gameOf(root);
    GameTable table;
    table.title = Util::toStdString(game->title());
    table.timeScale = game->time_scale();
    table.designWidth = game->design_width();
    table.designHeight = game->design_height();
    table.keepAspect = game->keep_aspect();
    table.rate = game->rate();
    table.frameSkip = game->frame_skip();
    table.shapeData = Util::toStdString(game->shape_data());
    table.introDrawing = Util::toStdString(game->intro_drawing());
    table.lostDrawing = Util::toStdString(game->lost_drawing());
    table.wonDrawing = Util::toStdString(game->won_drawing());
    table.vectorFont = Util::toStdString(game->vector_font());
    table.mapViewWidth = game->map_view_width();
    table.mapViewHeight = game->map_view_height();
    table.texture1 = Util::toStdString(game->texture_1());
    table.texture2 = Util::toStdString(game->texture_2());
    return table;
}

std::string readRobotDataName(const ConfigRoot* root) { return Util::toStdString(rootOrDefaults(root)->robot_data()); }

std::string readLogDefault(const ConfigRoot* root) { return Util::toStdString(rootOrDefaults(root)->log_file()); }

const std::array<std::string, 22>& bindingNames() {
    using namespace Setting;
    static const std::array<std::string, 22> s_names = {
        kKeyBindingPrefix + "W",          kKeyBindingPrefix + "S",          kKeyBindingPrefix + "A",
        kKeyBindingPrefix + "D",          kKeyBindingPrefix + "P",          kKeyBindingPrefix + "L",
        kKeyBindingPrefix + "SPACE",      kMouseBindingPrefix + "LMB",      kMouseBindingPrefix + "RMB",
        kMouseBindingPrefix + "MMB",      kJoypadBindingPrefix + "UP",      kJoypadBindingPrefix + "DN",
        kJoypadBindingPrefix + "LF",      kJoypadBindingPrefix + "RT",      kJoypadBindingPrefix + "DPAD_UP",
        kJoypadBindingPrefix + "DPAD_DN", kJoypadBindingPrefix + "DPAD_LF", kJoypadBindingPrefix + "DPAD_RT",
        kJoypadBindingPrefix + "B1",      kJoypadBindingPrefix + "B2",      kJoypadBindingPrefix + "B3",
        kJoypadBindingPrefix + "B4"};
    return s_names;
}

std::string inputMethodName(int value) {
    static_assert(InputMethod_MIN == 0 && InputMethod_MAX == int(kInputMethods.size()));
    return value >= 1 && value <= int(kInputMethods.size()) ? kInputMethods[size_t(value - 1)] : kNoInputMethod;
}

SettingDefaults readSettingDefaults(const ConfigRoot* root) {
    const ConfigDefaults* defaults = Game::tableOrDefaults(rootOrDefaults(root)->defaults());
    const flatbuffers::String* texts[22] = {
        defaults->key_w(),        defaults->key_s(),        defaults->key_a(),        defaults->key_d(),
        defaults->key_p(),        defaults->key_l(),        defaults->key_space(),    defaults->mouse_lmb(),
        defaults->mouse_rmb(),    defaults->mouse_mmb(),    defaults->jpad_up(),      defaults->jpad_dn(),
        defaults->jpad_lf(),      defaults->jpad_rt(),      defaults->jpad_dpad_up(), defaults->jpad_dpad_dn(),
        defaults->jpad_dpad_lf(), defaults->jpad_dpad_rt(), defaults->jpad_b1(),      defaults->jpad_b2(),
        defaults->jpad_b3(),      defaults->jpad_b4()};
    SettingDefaults result;
    for (size_t i = 0; i < result.bindings.size(); ++i) result.bindings[i] = Util::toStdString(texts[i]);
    result.inputMethod = inputMethodName(defaults->input_method());
    result.screenWidth = defaults->screen_width();
    result.screenHeight = defaults->screen_height();
    result.screenFull = defaults->screen_full();
    return result;
}

std::vector<FontEntry> readFonts(const ConfigRoot* root) {
    std::vector<FontEntry> fonts;
    if (const auto* list = gameOf(root)->fonts()) {
        for (const FontDef* font : *list) {
            fonts.push_back({Util::toStdString(font->name()), kDataFolder + Util::toStdString(font->file())});
        }
    }
    return fonts;
}

std::vector<InputEntry> readInputs(const std::string& inputMethod, const ConfigRoot* root) {
    std::vector<InputEntry> inputs;
    if (const auto* list = gameOf(root)->inputs()) {
        for (const InputDef* input : *list) {
            const std::string file = Util::replaceAll(Util::toStdString(input->file()), "[INPUT-METHOD]", inputMethod);
            inputs.push_back({Util::toStdString(input->name()), kDataFolder + file});
        }
    }
    return inputs;
}

std::vector<SoundEntry> readSounds(const ConfigRoot* root) {
    std::vector<SoundEntry> sounds;
    if (const auto* list = gameOf(root)->sounds()) {
        for (const SoundDef* sound : *list) sounds.push_back(readSound(sound));
    }
    return sounds;
}

int levelCount(const ConfigRoot* root) {
    const auto* levels = gameOf(root)->levels();
    return levels ? int(levels->size()) : 0;
}

LevelEntry readLevel(int index, const ConfigRoot* root) {
    LevelEntry entry;
    const auto* levels = gameOf(root)->levels();
    if (!levels || index < 0 || index >= int(levels->size())) return entry;
    const LevelDef* level = levels->Get(flatbuffers::uoffset_t(index));
    entry.params = {level->seed(),           level->loop_percent(),     level->cells_wide(),
                    level->cells_high(),     level->cell_width_tiles(), level->cell_height_tiles(),
                    level->tile_shift_x(),   level->tile_shift_y(),     level->margin_left(),
                    level->margin_right(),   level->margin_top(),       level->margin_bottom(),
                    level->tile_flag_bits(), level->extra_value_1(),    level->extra_value_2()};
    if (const auto* cells = level->special_cells()) {
        for (const Cell* cell : *cells) entry.specialCells.push_back({cell->x(), cell->y()});
    }
    entry.minimapRegionsX = level->minimap_regions_x();
    entry.minimapRegionsY = level->minimap_regions_y();
    entry.collisionData = Util::toStdString(level->collision_data());
    entry.tileAtlas = Util::toStdString(level->tile_atlas());
    entry.minimapTerminalOffset = level->minimap_terminal_offset();
    entry.floorColour = colourComponents(level->floor_colour());
    entry.floorOn = level->floor_on();
    entry.floorScale = level->floor_scale();
    entry.floorParams = {level->floor_param_1(), level->floor_param_2(), level->floor_param_3(),
                         level->floor_param_4()};
    if (const auto* robots = level->robots()) {
        for (const RobotSpawn* robot : *robots) entry.robots.push_back(readRobotSpawn(robot));
    }
    return entry;
}

}  // namespace Zelmo
