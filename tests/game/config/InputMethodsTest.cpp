#include "game/config/InputMethods.h"

#include <gtest/gtest.h>

namespace {

TEST(InputMethods, OnlyTheFourMethodsAreMethods) {
    for (const char* l_name : {"STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"}) {
        EXPECT_TRUE(Zelmo::isInputMethod(l_name)) << l_name;
    }
    for (const char* l_name : {"NONE", "", "standard", "PICK", "STANDARD ", "ONE"}) {
        EXPECT_FALSE(Zelmo::isInputMethod(l_name)) << l_name;
    }
}

}  // namespace
