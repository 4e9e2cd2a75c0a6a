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
    std::string contents;
    EXPECT_TRUE(flatbuffers::LoadFile(path.c_str(), true, &contents)) << path;
    return contents;
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
    {"robots", "Robots.fbs"},
    {"shapes", "VectorGraphics.fbs"},
    {"vectorfont", "VectorGraphics.fbs"},
    {"intro", "VectorDrawing.fbs"},
    {"gameover-lost", "VectorDrawing.fbs"},
    {"gameover-won", "VectorDrawing.fbs"},
};

std::map<std::string, std::string> schemasByStem() {
    std::map<std::string, std::string> schemas = kFixedSchemas;
    Game::Info config;
    EXPECT_TRUE(config.loadSchema("data/config.fbs"));
    if (!config.storeData(readFile("data/config.json"), false)) return schemas;
    const auto* root = Zelmo::GetConfigRoot(config.data());
    for (const std::string& method : Zelmo::kInputMethods) {
        for (const auto& input : Zelmo::readInputs(method, root)) {
            std::string stem = Util::tail(input.path, std::string("data/").size());
            schemas[stem.substr(0, stem.rfind('.'))] = "InputConfig.fbs";
        }
    }
    return schemas;
}

std::vector<std::string> dataFiles(const std::string& extension) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("data")) {
        if (entry.path().extension() == extension) files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void checkAgainstSchema(const std::string& extension, bool encoded) {
    const std::map<std::string, std::string> kSchemaOf = schemasByStem();
    for (const std::string& file : dataFiles(extension)) {
        const std::string stem = file.substr(0, file.size() - extension.size());
        const auto schema = kSchemaOf.find(stem);
        if (schema == kSchemaOf.end()) {
            ADD_FAILURE() << "data/" << file << ": no schema known; add it to kFixedSchemas";
            continue;
        }
        Game::Info info;
        ASSERT_TRUE(info.loadSchema("data/" + schema->second))
            << "data/" << schema->second << ": " << info.getParser()->error_;
        EXPECT_NE(info.storeData(readFile("data/" + file), encoded), nullptr)
            << "data/" << file << ": " << (encoded ? "does not verify" : info.getParser()->error_);
    }
}

TEST(DataLint, EveryJsonFileParsesAgainstItsSchema) { checkAgainstSchema(".json", false); }

TEST(DataLint, EveryEncodedFileVerifiesAgainstItsSchema) { checkAgainstSchema(".fb", true); }

TEST(DataLint, EverySchemaParses) {
    for (const std::string& file : dataFiles(".fbs")) {
        Game::Info info;
        EXPECT_TRUE(info.loadSchema("data/" + file)) << "data/" << file << ": " << info.getParser()->error_;
    }
}

class ConfigLint : public ShippedConfig {};

TEST_F(ConfigLint, GameTableAndDefaults) {
    EXPECT_EQ(Zelmo::readGameTable().title, "ZELMO") << "data/config: game.title";
    // A first start shows the method picker, which one key can operate.
    EXPECT_EQ(Zelmo::readSettingDefaults().inputMethod, "NONE") << "data/config: defaults.input_method";
    const Zelmo::SettingDefaults defaults = Zelmo::readSettingDefaults();
    for (size_t i = 0; i < defaults.bindings.size(); ++i) {
        const std::string& text = defaults.bindings[i];
        const std::string type = Util::textBefore(text, ':');
        EXPECT_TRUE(text.find(':') != std::string::npos && (type == "KEY" || type == "MOUSE" || type == "JPAD"))
            << "data/config: defaults binding " << Zelmo::bindingNames()[i] << " = \"" << text << "\"";
        // The window layer delivers letters lower-cased, so an upper-case key could never fire.
        const std::string key = Util::textAfter(text, ':');
        EXPECT_FALSE(type == "KEY" && key.size() == 1 && std::isupper(static_cast<unsigned char>(key[0])))
            << "data/config: defaults binding " << Zelmo::bindingNames()[i] << " is an upper-case letter";
    }
}

TEST_F(ConfigLint, SoundsHaveKnownTypesAndOneEntryPerId) {
    std::set<int> ids;
    const auto* sounds = Zelmo::configRoot()->game()->sounds();
    for (flatbuffers::uoffset_t i = 0; sounds && i < sounds->size(); ++i) {
        const Zelmo::SoundDef* sound = sounds->Get(i);
        EXPECT_TRUE(sound->sound_type() >= Zelmo::SoundKind_MIN + 1 && sound->sound_type() <= Zelmo::SoundKind_MAX)
            << "data/config: game.sounds[" << i << "] type " << int(sound->sound_type());
        EXPECT_NE(sound->sound(), nullptr) << "data/config: game.sounds[" << i << "] has no member";
        EXPECT_TRUE(ids.insert(sound->id()).second) << "data/config: sound id " << sound->id() << " twice";
    }
}

std::set<int> configuredSoundIds() {
    std::set<int> ids;
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds()) ids.insert(sound.id);
    return ids;
}

TEST_F(ConfigLint, EverySoundTheGamePlaysIsListed) {
    const std::set<int> ids = configuredSoundIds();
    for (const auto& played : PlayedSounds::kPlayedSounds)
        EXPECT_TRUE(ids.count(played.id))
            << "data/config: game.sounds has no sound id " << played.id << " (" << played.what << ")";
}

TEST_F(ConfigLint, SoundFilesExistAndSpeechHasWords) {
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds()) {
        if (sound.type == Zelmo::SoundType::Speech) {
            EXPECT_TRUE(std::any_of(sound.source.begin(), sound.source.end(),
                                    [](unsigned char character) { return std::isalpha(character); }))
                << "data/config: sound id " << sound.id << " speaks no words";
        } else {
            EXPECT_TRUE(std::filesystem::is_regular_file(sound.source))
                << "data/config: sound id " << sound.id << ": " << sound.source << " does not exist";
        }
    }
}

// The game-over screen waits for its line to end, and the quarter's voice of a rescue should be over
// before the next one: every line is short.
TEST_F(ConfigLint, SpeechLinesAreSpokenBriefly) {
    constexpr double kMaxSeconds = 4.0;
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds()) {
        if (sound.type != Zelmo::SoundType::Speech) continue;
        Audio::Speech speech;
        ASSERT_TRUE(speech.setText(sound.source)) << "data/config: sound id " << sound.id << " is not spoken";
        EXPECT_LE(static_cast<double>(speech.frameCount()) / speech.sampleRate(), kMaxSeconds)
            << "data/config: sound id " << sound.id << " \"" << sound.source << "\" takes too long to say";
    }
}

// Generated sounds are committed, so the folder is kept to what the game plays and within a size
// that the repository and a download can carry.
TEST_F(ConfigLint, SoundsFolderHoldsOnlyListedFilesWithinItsSize) {
    constexpr std::uintmax_t kMaxBytes = 8u << 20;
    std::set<std::string> listed;
    for (const Zelmo::SoundEntry& sound : Zelmo::readSounds())
        if (sound.type != Zelmo::SoundType::Speech) listed.insert(sound.source);
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator("data/sounds")) {
        const std::string path = "data/sounds/" + entry.path().filename().string();
        EXPECT_TRUE(listed.count(path)) << path << ": no entry of data/config's game.sounds plays it";
        bytes += entry.file_size();
    }
    EXPECT_LT(bytes, kMaxBytes) << "data/sounds holds " << bytes << " bytes";
}

TEST_F(ConfigLint, LevelsHaveAStartCellAndAMaze) {
    ASSERT_GT(Zelmo::levelCount(), 0) << "data/config: game.levels is empty";
    for (int index = 0; index < Zelmo::levelCount(); ++index) {
        const Zelmo::LevelEntry level = Zelmo::readLevel(index);
        const int wide = level.params[2];
        const int high = level.params[3];
        EXPECT_GT(wide, 0) << "data/config: game.levels[" << index << "].cells_wide";
        EXPECT_GT(high, 0) << "data/config: game.levels[" << index << "].cells_high";
        EXPECT_FALSE(level.specialCells.empty()) << "data/config: game.levels[" << index << "] has no start cell";
        for (const auto& cell : level.specialCells) {
            EXPECT_TRUE(cell.x >= 0 && cell.x < wide && cell.y >= 0 && cell.y < high)
                << "data/config: game.levels[" << index << "] special cell (" << cell.x << ", " << cell.y
                << ") outside the maze";
            // Special cells are left out of the maze, whose generation starts at (0, 0).
            EXPECT_FALSE(cell.x == 0 && cell.y == 0)
                << "data/config: game.levels[" << index << "] special cell (0, 0) is where the maze starts";
        }
        EXPECT_FALSE(level.collisionData.empty()) << "data/config: game.levels[" << index << "].collision_data";
        EXPECT_FALSE(level.tileAtlas.empty()) << "data/config: game.levels[" << index << "].tile_atlas";
    }
}

class GlobalsLint : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Zelmo::loadTuningTable()) << "data/globals does not load"; }

    // The values of an option by its name without "OPT_", or null.
    static const Zelmo::OptionTable* option(const std::string& name) {
        for (const auto* optionTable : Globals::tables<Zelmo::OptionTable>("OPTIONVALUES")) {
            if (Util::toStdString(optionTable->name()) == "OPT_" + name) return optionTable;
        }
        return nullptr;
    }

    // Checks that every value of an option is a whole index below the given count.
    static void expectIndexesBelow(const std::string& name, size_t count, const std::string& target) {
        const Zelmo::OptionTable* optionTable = option(name);
        ASSERT_NE(optionTable, nullptr) << "data/globals: OPTIONVALUES has no OPT_" << name;
        for (const auto* value : *optionTable->values()) {
            const float index = value->value();
            EXPECT_TRUE(index >= 0 && std::floor(index) == index && size_t(index) < count)
                << "data/globals: OPT_" << name << " value " << index << " selects no entry of " << target;
        }
    }
};

TEST_F(GlobalsLint, EveryGameOptionOnceWithLabelledValues) {
    std::map<std::string, int> seen;
    for (const auto* optionTable : Globals::tables<Zelmo::OptionTable>("OPTIONVALUES")) {
        const std::string name = Util::toStdString(optionTable->name());
        ++seen[name];
        const auto& names = Zelmo::gameOptionNames();
        EXPECT_TRUE(Util::startsWith(name, "OPT_") &&
                    std::find(names.begin(), names.end(), Util::tail(name, 4)) != names.end())
            << "data/globals: OPTIONVALUES entry " << name << " is no game option";
        const auto* values = optionTable->values();
        EXPECT_TRUE(values && values->size() >= 2) << "data/globals: " << name << " needs at least two values";
        for (flatbuffers::uoffset_t i = 0; values && i < values->size(); ++i) {
            EXPECT_FALSE(Util::toStdString(values->Get(i)->label()).empty())
                << "data/globals: " << name << " value " << i << " has no label";
        }
    }
    for (const auto& name : Zelmo::gameOptionNames()) {
        EXPECT_EQ(seen["OPT_" + name], 1) << "data/globals: OPTIONVALUES entries for OPT_" << name;
    }
}

std::string describe(const Zelmo::WeaponInfo* weapon) {
    return "data/globals: WEAPONINFOS entry (beam " + std::to_string(weapon->beam_type()) + ", strike " +
           std::to_string(weapon->strike_type()) + ", particle " + std::to_string(weapon->particle_def()) + ")";
}

TEST_F(GlobalsLint, WeaponSoundsAreListedInTheConfiguration) {
    ASSERT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-lint.cfg"));
    const std::set<int> ids = configuredSoundIds();
    Zelmo::unloadConfig();
    Zelmo::settings().clear();
    for (const auto* weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        EXPECT_TRUE(weapon->sound() == 0 || ids.count(weapon->sound()))
            << describe(weapon) << " plays sound " << weapon->sound() << ", which data/config does not list";
        // Only beams and strikes are heard when fired.
        EXPECT_TRUE(weapon->sound() == 0 || weapon->beam_type() != 0 || weapon->strike_type() != 0)
            << describe(weapon) << " has a sound that nothing plays";
    }
}

// The weapon table ignores an entry's type that lies outside its table, and an entry that names
// nothing does nothing.
TEST_F(GlobalsLint, WeaponEntriesNameTypesTheTablesHold) {
    for (const auto* weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        EXPECT_TRUE(weapon->beam_type() >= 0 && weapon->beam_type() < Zelmo::kWeaponBeamTypes)
            << describe(weapon) << ": no beam type " << weapon->beam_type();
        EXPECT_TRUE(weapon->strike_type() >= 0 && weapon->strike_type() < Zelmo::kWeaponStrikeTypes)
            << describe(weapon) << ": no strike type " << weapon->strike_type();
        EXPECT_TRUE(weapon->particle_def() >= 0 && weapon->particle_def() < Zelmo::kParticleDefCount)
            << describe(weapon) << ": no particle definition " << weapon->particle_def();
        EXPECT_TRUE(weapon->beam_type() != 0 || weapon->strike_type() != 0 || weapon->particle_def() != 0)
            << describe(weapon) << " names no weapon";
        EXPECT_TRUE(std::isfinite(weapon->damage()) && weapon->damage() >= 0.0f)
            << describe(weapon) << ": damage " << weapon->damage();
    }
}

// Beams and strikes hurt on every update (60 a second) in which they touch the player; a hostile
// particle hurts once. At the default difficulty a player caught for a whole second in any beam
// or strike, or hit by twenty particles, survives it.
TEST_F(GlobalsLint, WeaponsLeaveThePlayerAChanceAtTheDefaultDifficulty) {
    auto firstValue = [](const std::string& name) {
        const Zelmo::OptionTable* optionTable = option(name);
        return optionTable && optionTable->values() && optionTable->values()->size() > 0
                   ? optionTable->values()->Get(0)->value()
                   : 1.0f;
    };
    const float health = Globals::getFloat("PLAYERHEALTH") * firstValue("PLAYER_HEALTH");
    constexpr float kUpdatesPerSecond = 60.0f;
    constexpr float kParticleHits = 20.0f;
    for (const auto* weapon : Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS")) {
        if (weapon->beam_type() != 0) {
            EXPECT_LT(weapon->damage() * firstValue("BEAM_DMG") * kUpdatesPerSecond, health) << describe(weapon);
        }
        if (weapon->strike_type() != 0) {
            EXPECT_LT(weapon->damage() * firstValue("STRIKE_DMG") * kUpdatesPerSecond, health) << describe(weapon);
        }
        if (weapon->particle_def() != 0) {
            EXPECT_LT(weapon->damage() * firstValue("PARTICLE_DMG") * kParticleHits, health) << describe(weapon);
        }
    }
}

// These options divide: a value of 0 or below would give particles endless or negative lives.
TEST_F(GlobalsLint, OptionsThatDivideAreAboveZero) {
    for (const char* name : {"PARTICLE_SPEED"}) {
        const Zelmo::OptionTable* optionTable = option(name);
        ASSERT_TRUE(optionTable && optionTable->values())
            << "data/globals: OPTIONVALUES has no values for OPT_" << name;
        for (const auto* value : *optionTable->values())
            EXPECT_GT(value->value(), 0.0f) << "data/globals: OPT_" << name << " value " << value->value();
    }
}

TEST_F(GlobalsLint, OptionsThatSelectEntriesSelectExistingOnes) {
    const auto* seeds = Globals::vectorField<const Zelmo::GameSeed*>("GAMESEEDS");
    expectIndexesBelow("GAME_SEED", seeds ? seeds->size() : 0, "GAMESEEDS");
    expectIndexesBelow("VECTOR_SETTINGS", Globals::tables("VDSETTINGS").size(), "VDSETTINGS");
}

TEST_F(GlobalsLint, ListsTheGameNeedsAreFilled) {
    const auto* knockback = Globals::vectorField<float>("KNOCKBACKVALUES");
    EXPECT_TRUE(knockback && knockback->size() > 0) << "data/globals: KNOCKBACKVALUES is empty";
    bool anyDrop = false;
    for (const auto* drop : Globals::tables<Zelmo::PowerUpDrop>("POWUPDROPS")) anyDrop |= drop->weight() >= 1;
    EXPECT_TRUE(anyDrop) << "data/globals: POWUPDROPS has no entry of weight 1 or more";
}

}  // namespace
