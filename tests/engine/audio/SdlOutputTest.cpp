#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/audio/Engine.h"
#include "engine/audio/SdlOutput.h"
#include "engine/audio/Wav.h"
#include "tests/engine/audio/TestSounds.h"

namespace {

TEST(SdlOutputTest, MixesOnTheDeviceThreadOfTheDummyDriver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Audio::Engine l_engine(std::make_unique<Audio::SdlOutput>(), 3);
    ASSERT_TRUE(l_engine.start());
    EXPECT_GT(l_engine.sampleRate(), 0);

    Audio::Wav l_constant;
    ASSERT_TRUE(l_constant.load(TestSounds::kConstantHalf));
    const Audio::Handle l_handle = l_engine.play(l_constant, 1.0f, 0);
    ASSERT_NE(l_handle, 0u);
    // A 0.1 s sound ends once the device has pulled it; allow for a slow, loaded machine.
    const auto l_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (l_engine.isValid(l_handle) && std::chrono::steady_clock::now() < l_deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(l_engine.isValid(l_handle));
    l_engine.stop();
    EXPECT_FALSE(l_engine.isStarted());
}

// Ctrl-C and kill must still end a program that plays sound.
TEST(SdlOutputTest, LeavesTheInterruptAndTerminateSignalsAlone) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Audio::Engine l_engine(std::make_unique<Audio::SdlOutput>(), 3);
    ASSERT_TRUE(l_engine.start());
    for (const int l_signal : {SIGINT, SIGTERM}) {
        struct sigaction l_action {};
        sigaction(l_signal, nullptr, &l_action);
        EXPECT_EQ(l_action.sa_handler, SIG_DFL) << "signal " << l_signal;
    }
    l_engine.stop();
}

TEST(SdlOutputTest, StartFailsWhenNoDeviceOpens) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Audio::Engine l_engine(std::make_unique<Audio::SdlOutput>(), 3);
    EXPECT_FALSE(l_engine.start());
    EXPECT_FALSE(l_engine.isStarted());
}

}  // namespace
