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
    Audio::Engine engine(std::make_unique<Audio::SdlOutput>(), 3);
    ASSERT_TRUE(engine.start());
    EXPECT_GT(engine.sampleRate(), 0);

    Audio::Wav constant;
    ASSERT_TRUE(constant.load(TestSounds::kConstantHalf));
    const Audio::Handle handle = engine.play(constant, 1.0f, 0);
    ASSERT_NE(handle, 0u);
    // A 0.1 s sound ends once the device has pulled it; allow for a slow, loaded machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (engine.isValid(handle) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(engine.isValid(handle));
    engine.stop();
    EXPECT_FALSE(engine.isStarted());
}

// Ctrl-C and kill must still end a program that plays sound.
TEST(SdlOutputTest, LeavesTheInterruptAndTerminateSignalsAlone) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Audio::Engine engine(std::make_unique<Audio::SdlOutput>(), 3);
    ASSERT_TRUE(engine.start());
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signalNumber, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signalNumber;
    }
    engine.stop();
}

TEST(SdlOutputTest, StartFailsWhenNoDeviceOpens) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Audio::Engine engine(std::make_unique<Audio::SdlOutput>(), 3);
    EXPECT_FALSE(engine.start());
    EXPECT_FALSE(engine.isStarted());
}

}  // namespace
