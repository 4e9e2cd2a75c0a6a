#include <gtest/gtest.h>

#include "engine/util/Convert.h"

namespace {

TEST(Convert, ReadsNumbersAsAStreamDoes) {
    EXPECT_EQ(Util::toInt("12abc"), 12);
    EXPECT_EQ(Util::toInt(""), 0);
    EXPECT_EQ(Util::toInt("  -42"), -42);
    EXPECT_EQ(Util::toInt("ff", 16), 255);
    EXPECT_EQ(Util::toInt("17", 8), 15);
    EXPECT_FLOAT_EQ(Util::toFloat("2.5x"), 2.5f);
    EXPECT_FLOAT_EQ(Util::toFloatDecimal(" 0.25"), 0.25f);
    EXPECT_FLOAT_EQ(Util::toFloat(""), 0.0f);
}

TEST(ConvertDeathTest, TextWithoutANumberIsAFatalStop) {
    EXPECT_EXIT(Util::toInt("abc"), ::testing::ExitedWithCode(1), "^Cant convert String to Num:abc\n$");
    EXPECT_EXIT(Util::toFloat("x1"), ::testing::ExitedWithCode(1), "^Cant convert String to Num:x1\n$");
}

TEST(Convert, WholeNumberTakesOnlyAWholeNumber) {
    EXPECT_EQ(Util::wholeNumber("0"), 0);
    EXPECT_EQ(Util::wholeNumber("-42"), -42);
    EXPECT_EQ(Util::wholeNumber("2147483647"), 2147483647);
    for (const char* text : {"", "abc", "12abc", "1.5", " 7", "7 ", "+7", "2147483648", "-", "0x10"}) {
        EXPECT_EQ(Util::wholeNumber(text), std::nullopt) << text;
    }
}

TEST(Convert, FormatsNumbers) {
    EXPECT_EQ(Util::toString(255, 16, 4, -1), "0x00ff");
    EXPECT_EQ(Util::intToString(7, 3), "007");
    EXPECT_EQ(Util::intToString(1234, 2), "1234");
    EXPECT_EQ(Util::toString(8, 8), "10");
    EXPECT_EQ(Util::toString(-5), "-5");
}

}  // namespace
