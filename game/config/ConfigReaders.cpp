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
    const Sound* l_sound = Game::tableOrDefaults(member);
    SoundEntry l_entry;
    l_entry.id = def->id();
    l_entry.type = type;
    l_entry.source = std::move(source);
    l_entry.singleInstance = l_sound->single_instance();
    l_entry.looping = l_sound->looping();
    return l_entry;
}

SoundEntry readSound(const SoundDef* def) {
    switch (def->sound_type()) {
        case SoundKind_WavSound: {
            const auto* l_wav = def->sound_as_WavSound();
            return soundEntry(def, SoundType::Wav, l_wav, kDataFolder + Util::toStdString(l_wav ? l_wav->file() : nullptr));
        }
        case SoundKind_StreamSound: {
            const auto* l_stream = def->sound_as_StreamSound();
            return soundEntry(def, SoundType::Stream, l_stream,
                              kDataFolder + Util::toStdString(l_stream ? l_stream->file() : nullptr));
        }
        case SoundKind_SpeechSound: {
            const auto* l_speech = def->sound_as_SpeechSound();
            return soundEntry(def, SoundType::Speech, l_speech,
                              Util::toStdString(l_speech ? l_speech->text() : nullptr));
        }
        default: Util::fatal("Unknown sound type: " + std::to_string(int(def->sound_type())));
    }
}

RobotSpawnEntry readRobotSpawn(const RobotSpawn* spawn) {
    RobotSpawnEntry l_entry;
    l_entry.type = spawn->type();
    l_entry.x = spawn->x();
    l_entry.y = spawn->y();
    l_entry.columnSections = spawn->column_sections();
    l_entry.rowSections = spawn->row_sections();
    l_entry.columnSection = spawn->column_section();
    l_entry.rowSection = spawn->row_section();
    return l_entry;
}

std::array<float, 4> colourComponents(uint32_t colour) {
    return {float((colour >> 24) & 0xFF) / 255.0f, float((colour >> 16) & 0xFF) / 255.0f,
            float((colour >> 8) & 0xFF) / 255.0f, float(colour & 0xFF) / 255.0f};
}

}  // namespace

GameTable readGameTable(const ConfigRoot* root) {
    const GameConfig* l_game = gameOf(root);
    GameTable l_table;
    l_table.title = Util::toStdString(l_game->title());
    l_table.timeScale = l_game->time_scale();
    l_table.designWidth = l_game->design_width();
    l_table.designHeight = l_game->design_height();
    l_table.keepAspect = l_game->keep_aspect();
    l_table.rate = l_game->rate();
    l_table.frameSkip = l_game->frame_skip();
    l_table.shapeData = Util::toStdString(l_game->shape_data());
    l_table.introDrawing = Util::toStdString(l_game->intro_drawing());
    l_table.lostDrawing = Util::toStdString(l_game->lost_drawing());
    l_table.wonDrawing = Util::toStdString(l_game->won_drawing());
    l_table.vectorFont = Util::toStdString(l_game->vector_font());
    l_table.mapViewWidth = l_game->map_view_width();
    l_table.mapViewHeight = l_game->map_view_height();
    l_table.texture1 = Util::toStdString(l_game->texture_1());
    l_table.texture2 = Util::toStdString(l_game->texture_2());
    return l_table;
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
    const ConfigDefaults* l_defaults = Game::tableOrDefaults(rootOrDefaults(root)->defaults());
    const flatbuffers::String* l_texts[22] = {
        l_defaults->key_w(),        l_defaults->key_s(),        l_defaults->key_a(),        l_defaults->key_d(),
        l_defaults->key_p(),        l_defaults->key_l(),        l_defaults->key_space(),    l_defaults->mouse_lmb(),
        l_defaults->mouse_rmb(),    l_defaults->mouse_mmb(),    l_defaults->jpad_up(),      l_defaults->jpad_dn(),
        l_defaults->jpad_lf(),      l_defaults->jpad_rt(),      l_defaults->jpad_dpad_up(), l_defaults->jpad_dpad_dn(),
        l_defaults->jpad_dpad_lf(), l_defaults->jpad_dpad_rt(), l_defaults->jpad_b1(),      l_defaults->jpad_b2(),
        l_defaults->jpad_b3(),      l_defaults->jpad_b4()};
    SettingDefaults l_result;
    for (size_t l_i = 0; l_i < l_result.bindings.size(); ++l_i) l_result.bindings[l_i] = Util::toStdString(l_texts[l_i]);
    l_result.inputMethod = inputMethodName(l_defaults->input_method());
    l_result.screenWidth = l_defaults->screen_width();
    l_result.screenHeight = l_defaults->screen_height();
    l_result.screenFull = l_defaults->screen_full();
    return l_result;
}

std::vector<FontEntry> readFonts(const ConfigRoot* root) {
    std::vector<FontEntry> l_fonts;
    if (const auto* l_list = gameOf(root)->fonts()) {
        for (const FontDef* l_font : *l_list) {
            l_fonts.push_back({Util::toStdString(l_font->name()), kDataFolder + Util::toStdString(l_font->file())});
        }
    }
    return l_fonts;
}

std::vector<InputEntry> readInputs(const std::string& inputMethod, const ConfigRoot* root) {
    std::vector<InputEntry> l_inputs;
    if (const auto* l_list = gameOf(root)->inputs()) {
        for (const InputDef* l_input : *l_list) {
            const std::string l_file = Util::replaceAll(Util::toStdString(l_input->file()), "[INPUT-METHOD]", inputMethod);
            l_inputs.push_back({Util::toStdString(l_input->name()), kDataFolder + l_file});
        }
    }
    return l_inputs;
}

std::vector<SoundEntry> readSounds(const ConfigRoot* root) {
    std::vector<SoundEntry> l_sounds;
    if (const auto* l_list = gameOf(root)->sounds()) {
        for (const SoundDef* l_sound : *l_list) l_sounds.push_back(readSound(l_sound));
    }
    return l_sounds;
}

int levelCount(const ConfigRoot* root) {
    const auto* l_levels = gameOf(root)->levels();
    return l_levels ? int(l_levels->size()) : 0;
}

LevelEntry readLevel(int index, const ConfigRoot* root) {
    LevelEntry l_entry;
    const auto* l_levels = gameOf(root)->levels();
    if (!l_levels || index < 0 || index >= int(l_levels->size())) return l_entry;
    const LevelDef* l_level = l_levels->Get(flatbuffers::uoffset_t(index));
    l_entry.params = {l_level->seed(),           l_level->loop_percent(),      l_level->cells_wide(),
                      l_level->cells_high(),     l_level->cell_width_tiles(),  l_level->cell_height_tiles(),
                      l_level->tile_shift_x(),   l_level->tile_shift_y(),      l_level->margin_left(),
                      l_level->margin_right(),   l_level->margin_top(),        l_level->margin_bottom(),
                      l_level->tile_flag_bits(), l_level->extra_value_1(),     l_level->extra_value_2()};
    if (const auto* l_cells = l_level->special_cells()) {
        for (const Cell* l_cell : *l_cells) l_entry.specialCells.push_back({l_cell->x(), l_cell->y()});
    }
    l_entry.minimapRegionsX = l_level->minimap_regions_x();
    l_entry.minimapRegionsY = l_level->minimap_regions_y();
    l_entry.collisionData = Util::toStdString(l_level->collision_data());
    l_entry.tileAtlas = Util::toStdString(l_level->tile_atlas());
    l_entry.minimapTerminalOffset = l_level->minimap_terminal_offset();
    l_entry.floorColour = colourComponents(l_level->floor_colour());
    l_entry.floorOn = l_level->floor_on();
    l_entry.floorScale = l_level->floor_scale();
    l_entry.floorParams = {l_level->floor_param_1(), l_level->floor_param_2(), l_level->floor_param_3(),
                           l_level->floor_param_4()};
    if (const auto* l_robots = l_level->robots()) {
        for (const RobotSpawn* l_robot : *l_robots) l_entry.robots.push_back(readRobotSpawn(l_robot));
    }
    return l_entry;
}

}  // namespace Zelmo
