#include "game/config/InputMethods.h"

#include <gtest/gtest.h>

namespace {

TEST(InputMethods, OnlyTheFourMethodsAreMethods) {
    for (const char* name : {"STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"}) {
        EXPECT_TRUE(Zelmo::isInputMethod(name)) << name;
    }
    for (const char* name : {"NONE", "", "standard", "PICK", "STANDARD ", "ONE"}) {
        EXPECT_FALSE(Zelmo::isInputMethod(name)) << name;
    }
}

}  // namespace
