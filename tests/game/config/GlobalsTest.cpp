#include "game/config/TuningTable.h"

#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include "data/Globals_generated.h"
#include "engine/data/Info.h"
#include "tests/game/config/GlobalsFixture.h"

namespace {

const char* const kTuning = R"({
  player_speed: 3.5, kill_boss_time: 10, punch_damage_base: -5,
  knockback_values: [1.0, 2.5],
  weapon_infos: [{beam_type: 5, damage: 30.0}, {strike_type: 1, sound: 7}],
  game_seeds: [{low: 0, high: 0}, {low: 4000000000, high: 2}]
})";

class GlobalsTest : public ::testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(GlobalsTest, ReadsFieldsByName) {
    ASSERT_TRUE(loadTuning(m_folder, kTuning));
    EXPECT_FLOAT_EQ(Globals::getFloat("PLAYERSPEED"), 3.5f);
    EXPECT_EQ(Globals::getInt("KILLBOSSTIME"), 10);
    EXPECT_EQ(Globals::getInt("PUNCHDAMAGEBASE"), -5);

    const auto* knockback = Globals::vectorField<float>("KNOCKBACKVALUES");
    ASSERT_NE(knockback, nullptr);
    ASSERT_EQ(knockback->size(), 2u);
    EXPECT_FLOAT_EQ(knockback->Get(1), 2.5f);

    const auto weapons = Globals::tables<Zelmo::WeaponInfo>("WEAPONINFOS");
    ASSERT_EQ(weapons.size(), 2u);
    EXPECT_EQ(weapons[0]->beam_type(), 5);
    EXPECT_FLOAT_EQ(weapons[0]->damage(), 30.0f);
    EXPECT_EQ(weapons[1]->sound(), 7);
    EXPECT_EQ(Globals::tables("WEAPONINFOS").size(), 2u);

    const auto* seeds = Globals::vectorField<const Zelmo::GameSeed*>("GAMESEEDS");
    ASSERT_NE(seeds, nullptr);
    EXPECT_EQ(seeds->Get(1)->low(), 4000000000u);
    EXPECT_EQ(seeds->Get(1)->high(), 2u);
}

TEST_F(GlobalsTest, UnknownNamesAndMissingFieldsReadAsDefaults) {
    ASSERT_TRUE(loadTuning(m_folder, kTuning));
    EXPECT_EQ(Globals::getInt("NOSUCHNAME"), 0);
    EXPECT_FLOAT_EQ(Globals::getFloat("playerspeed"), 0.0f);
    EXPECT_FLOAT_EQ(Globals::getFloat("BEAMSPEED"), 0.0f);
    EXPECT_EQ(Globals::getInt("DMGBOSSMULT"), 0);
    EXPECT_TRUE(Globals::tables("POWUPDROPS").empty());
    EXPECT_TRUE(Globals::tables("NOSUCHNAME").empty());
    EXPECT_EQ(Globals::vectorField<float>("NOSUCHNAME"), nullptr);
    EXPECT_EQ(Globals::vectorField<const Zelmo::GameSeed*>("OPTIONVALUES"), nullptr);
}

TEST_F(GlobalsTest, SlotsBeyondTheDataLayoutReadAsDefaults) {
    // Data written with only the first field has a layout too short for the later ones.
    ASSERT_TRUE(loadTuning(m_folder, "{option_values: []}"));
    EXPECT_FLOAT_EQ(Globals::getFloat("HEALTHPERSEC"), 0.0f);
    EXPECT_EQ(Globals::vectorField<const Zelmo::GameSeed*>("GAMESEEDS"), nullptr);
}

TEST_F(GlobalsTest, DataThatDoesNotParseLeavesTheTableEmpty) {
    ASSERT_TRUE(loadTuning(m_folder, kTuning));
    EXPECT_FALSE(loadTuning(m_folder, "{player_speed: \"fast\"}"));
    EXPECT_EQ(Globals::root(), nullptr);
    EXPECT_FLOAT_EQ(Globals::getFloat("PLAYERSPEED"), 0.0f);
    EXPECT_TRUE(Globals::tables("WEAPONINFOS").empty());
}

TEST_F(GlobalsTest, SchemaThatDoesNotParseLeavesTheTableEmpty) {
    ASSERT_TRUE(loadTuning(m_folder, kTuning));
    EXPECT_FALSE(Globals::loadFiles(m_folder.write("bad.fbs", "table {"), m_folder.path("globals"),
                                    Zelmo::tuningFieldSlots()));
    EXPECT_EQ(Globals::getInt("KILLBOSSTIME"), 0);
}

TEST_F(GlobalsTest, EncodedDataIsPreferred) {
    Game::Info encoder;
    ASSERT_TRUE(encoder.loadSchema("data/Globals.fbs"));
    ASSERT_NE(encoder.storeData("{player_speed: 9.0}", false), nullptr);
    m_folder.write("globals.fb", std::string(reinterpret_cast<const char*>(encoder.data()), encoder.dataSize()));
    ASSERT_TRUE(loadTuning(m_folder, kTuning));
    EXPECT_FLOAT_EQ(Globals::getFloat("PLAYERSPEED"), 9.0f);
}

// Readers elsewhere know the fields by these names only, so each name must sit on the schema
// field it stands for (the schema's name in upper case without underscores).
TEST(GlobalsSlots, NameTheSchemaFieldsInOrder) {
    Game::Info info;
    ASSERT_TRUE(info.loadSchema("data/Globals.fbs"));
    const flatbuffers::StructDef* root = info.getParser()->root_struct_def_;
    ASSERT_NE(root, nullptr);
    const Globals::SlotMap slots = Zelmo::tuningFieldSlots();
    ASSERT_EQ(slots.size(), 25u);
    ASSERT_EQ(root->fields.vec.size(), 25u);
    for (const auto& [name, slot] : slots) {
        const flatbuffers::FieldDef* field = root->fields.vec[size_t((slot - 4) / 2)];
        std::string fieldName;
        for (char c : field->name) {
            if (c != '_') fieldName += char(std::toupper(static_cast<unsigned char>(c)));
        }
        EXPECT_EQ(fieldName, name);
        EXPECT_EQ(field->value.offset, slot) << name;
    }
}

TEST(GlobalsDeathTest, MissingDataStops) {
    TempFolder folder;
    const std::string name = folder.path("globals");
    EXPECT_EXIT(Globals::loadFiles("data/Globals.fbs", name, Zelmo::tuningFieldSlots()), ::testing::ExitedWithCode(1),
                "^Failed to load: " + name + "\n$");
}

TEST(GlobalsDeathTest, MissingSchemaStops) {
    EXPECT_EXIT(Globals::loadFiles("data/NoSuch.fbs", "data/globals", Zelmo::tuningFieldSlots()),
                ::testing::ExitedWithCode(1), "^Failed to load schema:data/NoSuch.fbs\n$");
}

}  // namespace
