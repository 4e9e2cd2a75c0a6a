#include <gtest/gtest.h>

#include "engine/devices/Keyboard.h"

namespace {

TEST(Keyboard, TracksKeysDownUntilReset) {
    Devices::Keyboard keyboard;
    EXPECT_FALSE(keyboard.isDown('a'));
    EXPECT_EQ(keyboard.setKey('a', true), 'a');
    EXPECT_EQ(keyboard.setKey(255, true), 255);
    EXPECT_TRUE(keyboard.isDown('a'));
    EXPECT_TRUE(keyboard.isDown(255));
    EXPECT_FALSE(keyboard.isDown('b'));

    keyboard.setKey('a', true);
    keyboard.setKey('a', false);
    EXPECT_FALSE(keyboard.isDown('a')) << "a second press is not counted";

    keyboard.reset();
    EXPECT_FALSE(keyboard.isDown(255));
}

TEST(Keyboard, APressCountsUntilTheFrameEndsEvenWhenItsReleaseCameWithIt) {
    Devices::Keyboard keyboard;
    keyboard.setKey('a', true);
    keyboard.setKey('a', false);
    EXPECT_FALSE(keyboard.isDown('a'));
    EXPECT_TRUE(keyboard.wasPressed('a'));
    EXPECT_FALSE(keyboard.wasPressed('b'));
    keyboard.endFrame();
    EXPECT_FALSE(keyboard.wasPressed('a'));

    keyboard.setKey('b', true);
    keyboard.endFrame();
    EXPECT_TRUE(keyboard.isDown('b'));
    EXPECT_FALSE(keyboard.wasPressed('b')) << "a key held on is no new press";
    keyboard.setKey('b', true);
    keyboard.reset();
    EXPECT_FALSE(keyboard.wasPressed('b'));
}

}  // namespace
