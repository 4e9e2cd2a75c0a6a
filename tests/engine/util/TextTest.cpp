#include <gtest/gtest.h>

#include "engine/util/Text.h"

namespace {

using Util::kBlanks;

TEST(Text, TrimAndAffixes) {
    EXPECT_EQ(Util::trim("  a b \t\n"), "a b");
    EXPECT_EQ(Util::trimLeft("  a "), "a ");
    EXPECT_EQ(Util::trimRight("  a "), "  a");
    EXPECT_EQ(Util::trim(" \t\r\n", kBlanks), "");
    EXPECT_EQ(Util::trim("xxaxx", "x"), "a");
    EXPECT_TRUE(Util::startsWith("PREF_X", "PREF_"));
    EXPECT_FALSE(Util::startsWith("PRE", "PREF_"));
    EXPECT_TRUE(Util::endsWith("config.json", ".json"));
    EXPECT_FALSE(Util::endsWith("fb", ".fb"));
}

TEST(Text, PiecesOfText) {
    EXPECT_EQ(Util::tail("abcdef", 2), "cdef");
    EXPECT_EQ(Util::tail("ab", 5), "");
    EXPECT_EQ(Util::textBefore("key:value:x", ':'), "key");
    EXPECT_EQ(Util::textBefore("none", ':'), "none");
    EXPECT_EQ(Util::textAfter("key:value:x", ':'), "value:x");
    EXPECT_EQ(Util::textAfter("none", ':'), "none");
    EXPECT_EQ(Util::directoryOf("data/fonts/a.ttf"), "data/fonts");
    EXPECT_EQ(Util::directoryOf("file"), "file");
}

TEST(Text, ReplaceAll) {
    EXPECT_EQ(Util::replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Util::replaceAll("[KEY] and [KEY]", "[KEY]", "x"), "x and x");
    EXPECT_EQ(Util::replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(Util::replaceAll("abc", "b", "bb"), "abbc");
}

TEST(Text, ExtractBetween) {
    std::vector<std::string> tokens;
    Util::extractBetween("a [ONE] b [TWO] [unclosed", '[', ']', tokens);
    EXPECT_EQ(tokens, (std::vector<std::string>{"ONE", "TWO"}));
}

struct SplitCase {
    std::string text;
    std::string delimiter;
    bool keepEmpty;
    bool trimEach;
    std::vector<std::string> pieces;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << '"' << c.text << "\" by \"" << c.delimiter << '"'; }

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, AppendsThePieces) {
    const auto& c = GetParam();
    std::vector<std::string> out{"kept"};
    const size_t count = Util::split(c.text, c.delimiter, out, c.keepEmpty, c.trimEach);
    std::vector<std::string> expected{"kept"};
    expected.insert(expected.end(), c.pieces.begin(), c.pieces.end());
    EXPECT_EQ(out, expected);
    EXPECT_EQ(count, expected.size());
}

INSTANTIATE_TEST_SUITE_P(Table, Split,
                         ::testing::Values(SplitCase{"a,,b", ",", false, true, {"a", "b"}},
                                           SplitCase{"a,,b", ",", true, true, {"a", "", "b"}},
                                           SplitCase{"a,", ",", true, true, {"a", ""}},
                                           SplitCase{"", ",", false, true, {}},
                                           SplitCase{"", ",", true, true, {""}},
                                           SplitCase{" a , b ", ",", false, true, {"a", "b"}},
                                           SplitCase{" a , b ", ",", false, false, {" a ", " b "}},
                                           SplitCase{"a, ,b", ",", false, true, {"a", "b"}},
                                           SplitCase{"UP RT", " ", false, true, {"UP", "RT"}},
                                           SplitCase{"a::b", "::", false, true, {"a", "b"}}));

struct KeyValueCase {
    std::string line;
    bool found;
    std::string key;
    std::string value;
};

void PrintTo(const KeyValueCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class ParseKeyValue : public ::testing::TestWithParam<KeyValueCase> {};

TEST_P(ParseKeyValue, SplitsAtTheFirstSeparator) {
    const auto& c = GetParam();
    std::string key = "old", value = "old";
    EXPECT_EQ(Util::parseKeyValue(c.line, key, value), c.found);
    EXPECT_EQ(key, c.key);
    EXPECT_EQ(value, c.value);
}

INSTANTIATE_TEST_SUITE_P(Table, ParseKeyValue,
                         ::testing::Values(KeyValueCase{"A = b", true, "A", "b"},
                                           KeyValueCase{"A=b=c", true, "A", "b=c"},
                                           KeyValueCase{"  A  =  b c  ", true, "A", "b c"},
                                           KeyValueCase{"A = ", true, "A", "old"},
                                           KeyValueCase{"A =", true, "A", "old"},
                                           KeyValueCase{"no separator", false, "old", "old"}));

}  // namespace
