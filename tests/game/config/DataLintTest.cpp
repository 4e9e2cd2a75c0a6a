// Checks the real data folder: every JSON file parses against its schema, encoded files verify,
// and the names and numbers that one file uses to refer into another exist.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include "data/Globals_generated.h"
#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/audio/Speech.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "game/config/Config.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/effects/ParticleDefs.h"
#include "game/effects/WeaponTable.h"
#include "tests/game/config/PlayedSounds.h"
#include "tests/game/config/ShippedConfig.h"

namespace {

std::string readFile(const std::string& path) {
    std::string l_contents;
    EXPECT_TRUE(flatbuffers::LoadFile(path.c_str(), true, &l_contents)) << path;
    return l_contents;
}

// The schema of every data file, by the file's stem. A new data file needs its line here,
// unless the configuration lists it as an input configuration.
const std::map<std::string, std::string> kFixedSchemas = {
    {"config", "config.fbs"},
    {"globals", "Globals.fbs"},
    {"accessibility", "Accessibility.fbs"},
    {"INPUT-METHOD-PICK", "InputConfig.fbs"},
    {"PICK-SWITCH-OR-HEAD", "InputConfig.fbs"},
    {"PICK-SWITCH", "InputConfig.fbs"},
    {"tilecollision", "TileCollInfo.fbs"},
    {"shapes", "VectorGraphics.fbs"},
    {"vectorfont", "VectorGraphics.fbs"},
    {"intro", "VectorDrawing.fbs"},
    {"gameover-lost", "VectorDrawing.fbs"},
    {"gameover-won", "VectorDrawing.fbs"},
};

std::map<std::string, std::string> schemasByStem() {
    std::map<std::string, std::string> l_schemas = kFixedSchemas;
    Game::Info l_config;
    EXPECT_TRUE(l_config.loadSchema("data/config.fbs"));
    if (!l_config.storeData(readFile("data/config.json"), false)) return l_schemas;
    const auto* l_root = Zelmo::GetConfigRoot(l_config.data());
    for (const std::string& l_method : Zelmo::kInputMethods) {
        for (const auto& l_input : Zelmo::readInputs(l_method, l_root)) {
            std::string l_stem = Util::tail(l_input.path, std::string("data/").size());
            l_schemas[l_stem.substr(0, l_stem.rfind('.'))] = "InputConfig.fbs";
        }
    }
    return l_schemas;
}

std::vector<std::string> dataFiles(const std::string& extension) {
    std::vector<std::string> l_files;
    for (const auto& l_entry : std::filesystem::directory_iterator("data")) {
        if (l_entry.path().extension() == extension) l_files.push_back(l_entry.path().filename().string());
    }
    std::sort(l_files.begin(), l_files.end());
    return l_files;
}

void checkAgainstSchema(const std::string& extension, bool encoded) {
    const std::map<std::string, std::string> kSchemaOf = schemasByStem();
    for (const std::string& l_file : dataFiles(extension)) {
        const std::string l_stem = l_file.substr(0, l_file.size() - extension.size());
        const auto l_schema = kSchemaOf.find(l_stem);
        if (l_schema == kSchemaOf.end()) {
            ADD_FAILURE() << "data/" << l_file << ": no schema known; add it to kFixedSchemas";
            continue;
        }
        Game::Info l_info;
        ASSERT_TRUE(l_info.loadSchema("data/" + l_schema->second))
            << "data/" << l_schema->second << ": " << l_info.getParser()->error_;
        EXPECT_NE(l_info.storeData(readFile("data/" + l_file), encoded), nullptr)
            << "data/" << l_file << ": " << (encoded ? "does not verify" : l_info.getParser()->error_);
    }
}

TEST(DataLint, EveryJsonFileParsesAgainstItsSchema) { checkAgainstSchema(".json", false); }

TEST(DataLint, EveryEncodedFileVerifiesAgainstItsSchema) { checkAgainstSchema(".fb", true); }

TEST(DataLint, EverySchemaParses) {
    for (const std::string& l_file : dataFiles(".fbs")) {
        Game::Info l_info;
        EXPECT_TRUE(l_info.loadSchema("data/" + l_file)) << "data/" << l_file << ": " << l_info.getParser()->error_;
    }
}

class ConfigLint : public ShippedConfig {};

TEST_F(ConfigLint, GameTableAndDefaults) {
    EXPECT_EQ(Zelmo::readGameTable().title, "ZELMO") << "data/config: game.title";
    // A first start shows the method picker, which one key can operate.
    EXPECT_EQ(Zelmo::readSettingDefaults().inputMethod, "NONE") << "data/config: defaults.input_method";
    const Zelmo::SettingDefaults l_defaults = Zelmo::readSettingDefaults();
    for (size_t l_i = 0; l_i < l_defaults.bindings.size(); ++l_i) {
        const std::string& l_text = l_defaults.bindings[l_i];
        const std::string l_type = Util::textBefore(l_text, ':');
        EXPECT_TRUE(l_text.find(':') != std::string::npos && (l_type == "KEY" || l_type == "MOUSE" || l_type == "JPAD"))
            << "data/config: defaults binding " << Zelmo::bindingNames()[l_i] << " = \"" << l_text << "\"";
        // The window layer delivers letters lower-cased, so an upper-case key could never fire.
        const std::string l_key = Util::textAfter(l_text, ':');
        EXPECT_FALSE(l_type == "KEY" && l_key.size() == 1 && std::isupper(static_cast<unsigned char>(l_key[0])))
            << "data/config: defaults binding " << Zelmo::bindingNames()[l_i] << " is an upper-case letter";
    }
}

TEST_F(ConfigLint, SoundsHaveKnownTypesAndOneEntryPerId) {
    std::set<int> l_ids;
    const auto* l_sounds = Zelmo::configRoot()->game()->sounds();
    for (flatbuffers::uoffset_t l_i = 0; l_sounds && l_i < l_sounds->size(); ++l_i) {
        const Zelmo::SoundDef* l_sound = l_sounds->Get(l_i);
        EXPECT_TRUE(l_sound->sound_type() >= Zelmo::SoundKind_MIN + 1 && l_sound->sound_type() <= Zelmo::SoundKind_MAX)
            << "data/config: game.sounds[" << l_i << "] type " << int(l_sound->sound_type());
        EXPECT_NE(l_sound->sound(), nullptr) << "data/config: game.sounds[" << l_i << "] has no member";
        EXPECT_TRUE(l_ids.insert(l_sound->id()).second) << "data/config: sound id " << l_sound->id() << " twice";
    }
}

std::set<int> configuredSoundIds() {
    std::set<int> l_ids;
    for (const Zelmo::SoundEntry& l_sound : Zelmo::readSounds()) l_ids.insert(l_sound.id);
    return l_ids;
}

TEST_F(ConfigLint, EverySoundTheGamePlaysIsListed) {
    const std::set<int> l_ids = configuredSoundIds();
    for (const auto& l_played : PlayedSounds::kPlayedSounds)
        EXPECT_TRUE(l_ids.count(l_played.id))
            << "data/config: game.sounds has no sound id " << l_played.id << " (" << l_played.what << ")";
}

TEST_F(ConfigLint, SoundFilesExistAndSpeechHasWords) {
    for (const Zelmo::SoundEntry& l_sound : Zelmo::readSounds()) {
        if (l_sound.type == Zelmo::SoundType::Speech) {
            EXPECT_TRUE(std::any_of(l_sound.source.begin(), l_sound.source.end(),
                                    [](unsigned char l_char) { return std::isalpha(l_char); }))
                << "data/config: sound id " << l_sound.id << " speaks no words";
        } else {
            EXPECT_TRUE(std::filesystem::is_regular_file(l_sound.source))
                << "data/config: sound id " << l_sound.id << ": " << l_sound.source << " does not exist";
        }
    }
}

// The game-over screen waits for its line to end, and the quarter's voice of a rescue should be over
// before the next one: every line is short.
TEST_F(ConfigLint, SpeechLinesAreSpokenBriefly) {
    constexpr double kMaxSeconds = 4.0;
    for (const Zelmo::SoundEntry& l_sound : Zelmo::readSounds()) {
        if (l_sound.type != Zelmo::SoundType::Speech) continue;
        Audio::Speech l_speech;
        ASSERT_TRUE(l_speech.setText(l_sound.source)) << "data/config: sound id " << l_sound.id << " is not spoken";
        EXPECT_LE(static_cast<double>(l_speech.frameCount()) / l_speech.sampleRate(), kMaxSeconds)
            << "data/config: sound id " << l_sound.id << " \"" << l_sound.source << "\" takes too long to say";
    }
}

// Generated sounds are committed, so the folder is kept to what the game plays and within a size
// that the repository and a download can carry.
TEST_F(ConfigLint, SoundsFolderHoldsOnlyListedFilesWithinItsSize) {
    constexpr std::uintmax_t kMaxBytes = 8u << 20;
    std::set<std::string> l_listed;
    for (const Zelmo::SoundEntry& l_sound : Zelmo::readSounds())
        if (l_sound.type != Zelmo::SoundType::Speech) l_listed.insert(l_sound.source);
    std::uintmax_t l_bytes = 0;
    for (const auto& l_entry : std::filesystem::directory_iterator("data/sounds")) {
        const std::string l_path = "data/sounds/" + l_entry.path().filename().string();
        EXPECT_TRUE(l_listed.count(l_path)) << l_path << ": no entry of data/config's game.sounds plays it";
        l_bytes += l_entry.file_size();
    }
    EXPECT_LT(l_bytes, kMaxBytes) << "data/sounds holds " << l_bytes << " bytes";
}

TEST_F(ConfigLint, LevelsHaveAStartCellAndAMaze) {
    ASSERT_GT(Zelmo::levelCount(), 0) << "data/config: game.levels is empty";
    for (int l_index = 0; l_index < Zelmo::levelCount(); ++l_index) {
        const Zelmo::LevelEntry l_level = Zelmo::readLevel(l_index);
        const int l_wide = l_level.params[2];
        const int l_high = l_level.params[3];
        EXPECT_GT(l_wide, 0) << "data/config: game.levels[" << l_index << "].cells_wide";
        EXPECT_GT(l_high, 0) << "data/config: game.levels[" << l_index << "].cells_high";
        EXPECT_FALSE(l_level.specialCells.empty()) << "data/config: game.levels[" << l_index << "] has no start cell";
        for (const auto& l_cell : l_level.specialCells) {
            EXPECT_TRUE(l_cell.x >= 0 && l_cell.x < l_wide && l_cell.y >= 0 && l_cell.y < l_high)
                << "data/config: game.levels[" << l_index << "] special cell (" << l_cell.x << ", " << l_cell.y
                << ") outside the maze";
            // Special cells are left out of the maze, whose generation starts at (0, 0).
            EXPECT_FALSE(l_cell.x == 0 && l_cell.y == 0)
                << "data/config: game.levels[" << l_index << "] special cell (0, 0) is where the maze starts";
        }
        EXPECT_FALSE(l_level.collisionData.empty()) << "data/config: game.levels[" << l_index << "].collision_data";
        EXPECT_FALSE(l_level.tileAtlas.empty()) << "data/config: game.levels[" << l_index << "].tile_atlas";
    }
}

class GlobalsLint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Zelmo::loadTuningTable()) << "data/globals does not load"; }

    // The values of an option by its name without "OPT_", or null.
    static const Zelmo::OptionTable* option(const std::string& name) {
        for (const auto* l_option : Globals::tables<Zelmo::OptionTable>("OPTIONVALUES")) {
            if (Util::toStdString(l_option->name()) == "OPT_" + name) return l_option;
        }
        return nullptr;
    }

    // Checks that every value of an option is a whole index below the given count.
    static void expectIndexesBelow(const std::string& name, size_t count, const std::string& target) {
        const Zelmo::OptionTable* l_option = option(name);
        ASSERT_NE(l_option, nullptr) << "data/globals: OPTIONVALUES has no OPT_" << name;
        for (const auto* l_value : *l_option->values()) {
            const float l_index = l_value->value();
            EXPECT_TRUE(l_index >= 0 && std::floor(l_index) == l_index && size_t(l_index) < count)
                << "data/globals: OPT_" << name << " value " << l_index << " selects no entry of " << target;
        }
    }
};

TEST_F(GlobalsLint, EveryGameOptionOnceWithLabelledValues) {
    std::map<std::string, int> l_seen;
    for (const auto* l_option : Globals::tables<Zelmo::OptionTable>("OPTIONVALUES")) {
        const std::string l_name = Util::toStdString(l_option->name());
        ++l_seen[l_name];
        const auto& l_names = Zelmo::gameOptionNames();
        EXPECT_TRUE(Util::startsWith(l_name, "OPT_") &&
                    std::find(l_names.begin(), l_names.end(), Util::tail(l_name, 4)) != l_names.end())
            << "data/globals: OPTIONVALUES entry " << l_name << " is no game option";
        const auto* l_values = l_option->values();
        EXPECT_TRUE(l_values && l_values->size() >= 2) << "data/globals: " << l_name << " needs at least two values";
        for (flatbuffers::uoffset_t l_i = 0; l_values && l_i < l_values->size(); ++l_i) {
            EXPECT_FALSE(Util::toStdString(l_values->Get(l_i)->label()).empty())
                << "data/globals: " << l_name << " value " << l_i << " has no label";
        }
    }
    for (const auto& l_name : Zelmo::gameOptionNames()) {
        EXPECT_EQ(l_seen["OPT_" + l_name], 1) << "data/globals: OPTIONVALUES entries for OPT_" << l_name;
    }
}

std::string describe(const Zelmo::WeaponInfo* weapon) {
    return "data/globals: WEAPONINFOS entry (beam " + std::to_string(weapon->beam_type()) + ", strike " +
           std::to_string(weapon->strike_type()) + ", particle " + std::to_string(weapon->particle_def()) + ")";
}

TEST_F(GlobalsLint, WeaponSoundsAreListedInTheConfiguration) {
    ASSERT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-lint.cfg"));
    const std::set<int> l_ids = configuredSoundIds();
    Zelmo::unloadConfig();
    Zelmo::settings().clear();
    for (const auto* l_weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        EXPECT_TRUE(l_weapon->sound() == 0 || l_ids.count(l_weapon->sound()))
            << describe(l_weapon) << " plays sound " << l_weapon->sound() << ", which data/config does not list";
        // Only beams and strikes are heard when fired.
        EXPECT_TRUE(l_weapon->sound() == 0 || l_weapon->beam_type() != 0 || l_weapon->strike_type() != 0)
            << describe(l_weapon) << " has a sound that nothing plays";
    }
}

// The weapon table ignores an entry's type that lies outside its table, and an entry that names
// nothing does nothing.
TEST_F(GlobalsLint, WeaponEntriesNameTypesTheTablesHold) {
    for (const auto* l_weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        EXPECT_TRUE(l_weapon->beam_type() >= 0 && l_weapon->beam_type() < Zelmo::kWeaponBeamTypes)
            << describe(l_weapon) << ": no beam type " << l_weapon->beam_type();
        EXPECT_TRUE(l_weapon->strike_type() >= 0 && l_weapon->strike_type() < Zelmo::kWeaponStrikeTypes)
            << describe(l_weapon) << ": no strike type " << l_weapon->strike_type();
        EXPECT_TRUE(l_weapon->particle_def() >= 0 && l_weapon->particle_def() < Zelmo::kParticleDefCount)
            << describe(l_weapon) << ": no particle definition " << l_weapon->particle_def();
        EXPECT_TRUE(l_weapon->beam_type() != 0 || l_weapon->strike_type() != 0 || l_weapon->particle_def() != 0)
            << describe(l_weapon) << " names no weapon";
        EXPECT_TRUE(std::isfinite(l_weapon->damage()) && l_weapon->damage() >= 0.0f)
            << describe(l_weapon) << ": damage " << l_weapon->damage();
    }
}

// Beams and strikes hurt on every update (60 a second) in which they touch the player; a hostile
// particle hurts once. At the default difficulty a player caught for a whole second in any beam
// or strike, or hit by twenty particles, survives it.
TEST_F(GlobalsLint, WeaponsLeaveThePlayerAChanceAtTheDefaultDifficulty) {
    auto firstValue = [](const std::string& name) {
        const Zelmo::OptionTable* l_option = option(name);
        return l_option && l_option->values() && l_option->values()->size() > 0 ? l_option->values()->Get(0)->value()
                                                                                 : 1.0f;
    };
    const float l_health = Globals::getFloat("PLAYERHEALTH") * firstValue("PLAYER_HEALTH");
    constexpr float kUpdatesPerSecond = 60.0f;
    constexpr float kParticleHits = 20.0f;
    for (const auto* l_weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        if (l_weapon->beam_type() != 0) {
            EXPECT_LT(l_weapon->damage() * firstValue("BEAM_DMG") * kUpdatesPerSecond, l_health) << describe(l_weapon);
        }
        if (l_weapon->strike_type() != 0) {
            EXPECT_LT(l_weapon->damage() * firstValue("STRIKE_DMG") * kUpdatesPerSecond, l_health)
                << describe(l_weapon);
        }
        if (l_weapon->particle_def() != 0) {
            EXPECT_LT(l_weapon->damage() * firstValue("PARTICLE_DMG") * kParticleHits, l_health) << describe(l_weapon);
        }
    }
}

// These options divide: a value of 0 or below would give particles endless or negative lives.
TEST_F(GlobalsLint, OptionsThatDivideAreAboveZero) {
    for (const char* l_name : {"PARTICLE_SPEED"}) {
        const Zelmo::OptionTable* l_option = option(l_name);
        ASSERT_TRUE(l_option && l_option->values()) << "data/globals: OPTIONVALUES has no values for OPT_" << l_name;
        for (const auto* l_value : *l_option->values())
            EXPECT_GT(l_value->value(), 0.0f) << "data/globals: OPT_" << l_name << " value " << l_value->value();
    }
}

TEST_F(GlobalsLint, OptionsThatSelectEntriesSelectExistingOnes) {
    const auto* l_seeds = Globals::vectorField<const Zelmo::GameSeed*>("GAMESEEDS");
    expectIndexesBelow("GAME_SEED", l_seeds ? l_seeds->size() : 0, "GAMESEEDS");
    expectIndexesBelow("VECTOR_SETTINGS", Globals::tables("VDSETTINGS").size(), "VDSETTINGS");
}

TEST_F(GlobalsLint, ListsTheGameNeedsAreFilled) {
    const auto* l_knockback = Globals::vectorField<float>("KNOCKBACKVALUES");
    EXPECT_TRUE(l_knockback && l_knockback->size() > 0) << "data/globals: KNOCKBACKVALUES is empty";
    bool l_anyDrop = false;
    for (const auto* l_drop : Globals::tables<Zelmo::PowerUpDrop>("POWUPDROPS")) l_anyDrop |= l_drop->weight() >= 1;
    EXPECT_TRUE(l_anyDrop) << "data/globals: POWUPDROPS has no entry of weight 1 or more";
}

}  // namespace
