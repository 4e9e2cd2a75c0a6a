#include "game/effects/WeaponTable.h"

#include <gtest/gtest.h>

#include "game/config/Settings.h"
#include "tests/game/config/GlobalsFixture.h"

namespace {

// The weapon list is read once per process, so every test here loads the same table.
const char* const kTuning = R"({
  option_values: [
    {name: "OPT_BEAM_DMG", values: [{value: 1.0}, {value: 0.5}, {value: 0.0}, {value: 2.0}]},
    {name: "OPT_STRIKE_DMG", values: [{value: 1.0}, {value: 0.5}, {value: 0.0}, {value: 2.0}]},
    {name: "OPT_PARTICLE_DMG", values: [{value: 1.0}, {value: 0.5}, {value: 0.0}, {value: 2.0}]}],
  weapon_infos: [
    {beam_type: 5, damage: 30.0, sound: 41},
    {beam_type: 3, strike_type: 2, particle_def: 10, damage: 25.0, sound: 7},
    {strike_type: 1, damage: 60.0, sound: 35},
    {strike_type: 1, damage: 40.0},
    {beam_type: 20, strike_type: 3, particle_def: 27, damage: 15.0, sound: 43},
    {beam_type: 21, particle_def: 12, damage: 12.0, sound: 44},
    {beam_type: -1, damage: 99.0, sound: 99},
    {strike_type: 4, damage: 99.0, sound: 99},
    {strike_type: -2, damage: 99.0, sound: 99},
    {particle_def: 28, damage: 99.0},
    {particle_def: -1, damage: 99.0}]
})";

class WeaponTableTest : public ::testing::Test {
protected:
    TempFolder m_folder;

    void SetUp() override { ASSERT_TRUE(loadTuning(m_folder, kTuning)); }
    void TearDown() override { Zelmo::settings().clear(); }

    // Chooses each difficulty option's value by its index in the list above.
    static void setDifficulty(int beam, int strike, int particle) {
        Zelmo::setPref("OPT_BEAM_DMG", std::to_string(beam));
        Zelmo::setPref("OPT_STRIKE_DMG", std::to_string(strike));
        Zelmo::setPref("OPT_PARTICLE_DMG", std::to_string(particle));
    }
};

TEST_F(WeaponTableTest, DamagesScaleByTheirOwnDifficultyOption) {
    const float kFactor[] = {1.0f, 0.5f, 0.0f, 2.0f};
    struct Case {
        int beam;
        int strike;
        int particle;
    };
    const Case cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {3, 0, 1}, {2, 3, 0}, {0, 1, 3}};
    for (const Case& c : cases) {
        setDifficulty(c.beam, c.strike, c.particle);
        const std::string where = "beam option " + std::to_string(c.beam) + ", strike option " +
                                  std::to_string(c.strike) + ", particle option " + std::to_string(c.particle);
        EXPECT_FLOAT_EQ(Zelmo::beamDamage(5), 30.0f * kFactor[c.beam]) << where;
        EXPECT_FLOAT_EQ(Zelmo::beamDamage(3), 25.0f * kFactor[c.beam]) << where;
        EXPECT_FLOAT_EQ(Zelmo::strikeDamage(2), 25.0f * kFactor[c.strike]) << where;
        EXPECT_FLOAT_EQ(Zelmo::strikeDamage(1), 40.0f * kFactor[c.strike]) << where;
        EXPECT_FLOAT_EQ(Zelmo::particleDamage(10), 25.0f * kFactor[c.particle]) << where;
        EXPECT_FLOAT_EQ(Zelmo::particleDamage(27), 15.0f * kFactor[c.particle]) << where;
        EXPECT_EQ(Zelmo::beamDamage(6), 0.0f) << where;
        // Sounds do not depend on the difficulty.
        EXPECT_EQ(Zelmo::beamSound(5), 41) << where;
    }
}

TEST_F(WeaponTableTest, OneEntryServesEveryTableItNames) {
    EXPECT_FLOAT_EQ(Zelmo::beamDamage(3), 25.0f);
    EXPECT_EQ(Zelmo::beamSound(3), 7);
    EXPECT_FLOAT_EQ(Zelmo::strikeDamage(2), 25.0f);
    EXPECT_EQ(Zelmo::strikeSound(2), 7);
    EXPECT_FLOAT_EQ(Zelmo::particleDamage(10), 25.0f);
    // The highest type of each table.
    EXPECT_FLOAT_EQ(Zelmo::beamDamage(20), 15.0f);
    EXPECT_EQ(Zelmo::beamSound(20), 43);
    EXPECT_FLOAT_EQ(Zelmo::strikeDamage(3), 15.0f);
    EXPECT_EQ(Zelmo::strikeSound(3), 43);
    EXPECT_FLOAT_EQ(Zelmo::particleDamage(27), 15.0f);
}

TEST_F(WeaponTableTest, ALaterEntryReplacesTheWholeEarlierOne) {
    EXPECT_FLOAT_EQ(Zelmo::strikeDamage(1), 40.0f);
    EXPECT_EQ(Zelmo::strikeSound(1), 0);
}

TEST_F(WeaponTableTest, TypesNoEntryNamesAreHarmlessAndSilent) {
    for (int type : {0, 1, 6, 19}) {
        EXPECT_EQ(Zelmo::beamDamage(type), 0.0f) << "beam " << type;
        EXPECT_EQ(Zelmo::beamSound(type), 0) << "beam " << type;
    }
    EXPECT_EQ(Zelmo::strikeDamage(0), 0.0f);
    EXPECT_EQ(Zelmo::strikeSound(0), 0);
    for (int definition : {0, 9, 11}) EXPECT_EQ(Zelmo::particleDamage(definition), 0.0f) << definition;
}

TEST_F(WeaponTableTest, TypesOutsideTheTablesAreIgnoredAndLookUpAsNothing) {
    // The entry naming beam 21 still gives its particle definition a damage.
    EXPECT_FLOAT_EQ(Zelmo::particleDamage(12), 12.0f);
    for (int type : {-1, 21, 1000, -1000}) {
        EXPECT_EQ(Zelmo::beamDamage(type), 0.0f) << "beam " << type;
        EXPECT_EQ(Zelmo::beamSound(type), 0) << "beam " << type;
    }
    for (int type : {-2, -1, 4, 1000}) {
        EXPECT_EQ(Zelmo::strikeDamage(type), 0.0f) << "strike " << type;
        EXPECT_EQ(Zelmo::strikeSound(type), 0) << "strike " << type;
    }
    for (int definition : {-1, 28, 1000}) EXPECT_EQ(Zelmo::particleDamage(definition), 0.0f) << definition;
}

}  // namespace
