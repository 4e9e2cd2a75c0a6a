#include <gtest/gtest.h>

#include <string>

#include "engine/devices/JoypadStrings.h"
#include "engine/devices/KeyboardStrings.h"
#include "engine/devices/MouseStrings.h"
#include "engine/devices/NameTable.h"

namespace {

using Devices::NameTable;

const NameTable& keys() { return Devices::KeyboardStrings::instance().getKeyNames(); }
const NameTable& modifiers() { return Devices::KeyboardStrings::instance().getModifierNames(); }
const NameTable& mouse() { return Devices::MouseStrings::instance().getNames(); }
const NameTable& joypad() { return Devices::JoypadStrings::instance().getNames(); }

struct CodeName {
    uint32_t code;
    std::string name;
};

TEST(NameTable, LaterEntryRenamesCodeButEarlierNameStillLeadsToIt) {
    NameTable table(7, "DEFAULT");
    table.add(1, "first");
    table.add(1, "second");
    EXPECT_EQ(table.nameOf(1), "second");
    EXPECT_EQ(table.codeOf("first"), 1u);
    EXPECT_EQ(table.codeOf("second"), 1u);
    EXPECT_EQ(table.nameOf(2), "DEFAULT");
    EXPECT_EQ(table.codeOf("third"), 7u);
    EXPECT_EQ(table.codeOf("SECOND"), 7u) << "names compare case-sensitively";
}

// Code -> display name, and the same name leads back to the code.
TEST(KeyNames, DisplayNamesReadBothWays) {
    const CodeName cases[] = {
        {1, "L SHIFT"}, {2, "L ALT"},   {3, "L CTRL"},   {4, "R SHIFT"}, {5, "R ALT"},    {6, "R CTRL"},
        {7, "LEFT"},    {8, "RIGHT"},   {9, "UP"},       {10, "DOWN"},   {11, "HOME"},    {12, "END"},
        {13, "INSERT"}, {14, "BSPACE"}, {15, "DELETE"},  {16, "RETURN"}, {17, "PAGE UP"}, {18, "PAGE DN"},
        {19, "TAB"},    {20, "CAPS"},   {21, "NUMLOCK"}, {22, "S LOCK"}, {27, "ESC"},     {32, "SPACE"},
        {34, "DQUOTE"}, {44, "COMMA"},  {97, "a"},       {65, "A"},      {55, "7"},       {91, "["},
        {126, "~"},     {33, "!"},      {128, "KP0"},    {137, "KP9"},   {138, "KP/"},    {139, "KP*"},
        {140, "KP-"},   {141, "KP+"},   {142, "KP."},    {143, "KP="},   {144, "KP RET"}, {145, "F1"},
        {156, "F12"},   {0, "0x0"},     {23, "0x17"},    {127, "0x7f"},  {200, "0xc8"},   {255, "0xff"},
        {157, "0x9d"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keys().nameOf(c.code), c.name) << "code " << c.code;
        EXPECT_EQ(keys().codeOf(c.name), c.code) << "name " << c.name;
    }
}

// Names replaced by a later entry still look up, and unknown names give the default 0.
TEST(KeyNames, ReplacedAndUnknownNamesLookUp) {
    const CodeName cases[] = {
        {1, "0x1"},    {32, " "},        {44, ","}, {34, "\""},   {144, "0x90"},
        {0, "KP_RET"}, {0, "NOSUCHKEY"}, {0, ""},   {0, "space"},
    };
    for (const auto& c : cases) EXPECT_EQ(keys().codeOf(c.name), c.code) << "name '" << c.name << "'";
}

TEST(ModifierNames, OnlyListedCombinationsInListedOrder) {
    const CodeName cases[] = {{0, "NONE"},      {1, "SHIFT"},      {2, "ALT"},      {4, "CTRL"},
                              {3, "ALT+SHIFT"}, {5, "CTRL+SHIFT"}, {6, "CTRL+ALT"}, {7, "CTRL+ALT+SHIFT"}};
    for (const auto& c : cases) {
        EXPECT_EQ(modifiers().nameOf(c.code), c.name);
        EXPECT_EQ(modifiers().codeOf(c.name), c.code);
    }
    EXPECT_EQ(modifiers().codeOf("SHIFT+CTRL"), 65535u);
    EXPECT_EQ(modifiers().codeOf("ctrl"), 65535u);
    EXPECT_EQ(modifiers().nameOf(8), "INVALID");
}

TEST(MouseNames, SetsOfThreeButtons) {
    const CodeName cases[] = {{0, "NONE"},    {1, "LMB"},     {2, "RMB"},     {4, "MMB"},
                              {3, "LMB+RMB"}, {5, "LMB+MMB"}, {6, "RMB+MMB"}, {7, "LMB+RMB+MMB"}};
    for (const auto& c : cases) {
        EXPECT_EQ(mouse().nameOf(c.code), c.name);
        EXPECT_EQ(mouse().codeOf(c.name), c.code);
    }
    EXPECT_EQ(mouse().nameOf(8), "INVALID");
    EXPECT_EQ(mouse().codeOf("RMB+LMB"), 0u);
    EXPECT_EQ(mouse().codeOf("WHATEVER"), 0u);
}

TEST(JoypadNames, EveryBitSetIsNamedInBitOrder) {
    const CodeName cases[] = {
        {1, "UP"},       {2, "DN"},       {3, "UP+DN"},
        {8, "RT"},       {16, "DPAD_UP"}, {128, "DPAD_RT"},
        {256, "B1"},     {257, "UP+B1"},  {2048, "B4"},
        {2304, "B1+B4"}, {768, "B1+B2"},  {4095, "UP+DN+LF+RT+DPAD_UP+DPAD_DN+DPAD_LF+DPAD_RT+B1+B2+B3+B4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(joypad().nameOf(c.code), c.name);
        EXPECT_EQ(joypad().codeOf(c.name), c.code);
    }
    for (uint32_t bits = 1; bits < 4096; ++bits) {
        ASSERT_EQ(joypad().codeOf(joypad().nameOf(bits)), bits);
    }
    EXPECT_EQ(joypad().nameOf(0), "NONE");
    EXPECT_EQ(joypad().codeOf("NONE"), 0u);
    EXPECT_EQ(joypad().nameOf(4096), "NONE");
    EXPECT_EQ(joypad().codeOf("DN+UP"), 0u);
}

}  // namespace
