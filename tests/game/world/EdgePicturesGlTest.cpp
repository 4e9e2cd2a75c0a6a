// The first level as a player sees it in each way to play, with the player in the corners of the
// maze where the camera has stopped following: the game's picture with that way's boxes drawn
// over it by the overlay, as the window shows them. The player must stay in sight. With
// ZELMO_PICTURES set to a folder, each picture is written there to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/vg/Context.h"
#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "game/config/Settings.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/PlayerAtMazeEdges.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::WindowRect;
using WorldTest::WorldHarness;

constexpr gfx::ViewId kOverlayView = 200;
// Updates drawn as the main loop draws them: enough for the trail of the jump to the corner to fade
// below the player's own lines.
constexpr int kFrames = 4;

struct EdgeWindow {
    int width;
    int height;
};

class EdgePictures : public GlTest, public ::testing::WithParamInterface<EdgeWindow> {
protected:
    void TearDown() override {
        if (harness) harness->context().setOverlayWithoutWindow(nullptr);
        harness.reset();
        overlay.reset();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        gfx::destroy(target);
        GlTest::TearDown();
    }

    // The game started in that way at the window's size, drawn with the overlay as the window is.
    void startIn(const std::string& method, const EdgeWindow& window) {
        if (harness) harness->context().setOverlayWithoutWindow(nullptr);
        // One harness at a time: each loads the configuration and unloads it when it goes.
        harness.reset();
        harness = std::make_unique<WorldHarness>("data/config", 1, WorldHarness::Picture::Drawn);
        if (!overlay) {
            target = gfx::createFrameBuffer(uint16_t(window.width), uint16_t(window.height), gfx::TextureFormat::RGBA8,
                                            gfx::Sampler::Point);
            gfx::setWindowTarget(target);
            overlay = std::make_unique<vg::Context>(kOverlayView);
            for (const auto& font : Zelmo::readFonts()) overlay->createFont(font.name, font.path);
        }
        harness->context().setOverlayWithoutWindow(overlay.get());
        harness->context().setWindowSize(window.width, window.height);
        ASSERT_TRUE(WorldTest::loadGameControls(*harness, method)) << method;
        harness->startLevel(int(Zelmo::getOptionValue("START_LEVEL")));
    }

    // The brightest of the player's outline, scaled from percent to the window.
    int brightestOfPlayer(const std::vector<uint8_t>& bottomUp, const EdgeWindow& window, const WindowRect& player) {
        int brightest = 0;
        const int x0 = std::max(0, int(player.left * float(window.width) / 100.0f));
        const int x1 = std::min(window.width, int(player.right * float(window.width) / 100.0f));
        const int y0 = std::max(0, int(player.top * float(window.height) / 100.0f));
        const int y1 = std::min(window.height, int(player.bottom * float(window.height) / 100.0f));
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const uint8_t* p = &bottomUp[(size_t(window.height - 1 - y) * size_t(window.width) + size_t(x)) * 4];
                brightest = std::max({brightest, int(p[0]), int(p[1]), int(p[2])});
            }
        }
        return brightest;
    }

    std::unique_ptr<WorldHarness> harness;
    std::unique_ptr<vg::Context> overlay;
    gfx::FrameBufferHandle target;
};

TEST_P(EdgePictures, ThePlayerStaysInSightInTheMazesCorners) {
    const EdgeWindow window = GetParam();
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer pass's one-thread renderer takes over a minute for these at full HD; the
    // smaller window runs the same code, and the plain build keeps the pictures of both.
    if (window.width > 960) GTEST_SKIP() << "full HD pictures are drawn in the plain build";
#endif
    for (const std::string& method : {Zelmo::kOneKeyMethod, Zelmo::kOneSwitchMethod, Zelmo::kHeadTrackerMethod}) {
        startIn(method, window);
        if (HasFatalFailure()) return;
        const auto corners = WorldTest::oppositeCorners(harness->logic());
        for (size_t corner = 0; corner < corners.size(); ++corner) {
            const WindowRect player =
                WorldTest::movePlayerInView(*harness, corners[corner].first, corners[corner].second);
            for (int i = 0; i < kFrames; ++i) {
                harness->step();
                harness->context().render(WorldHarness::kStepMs);
                gfx::frame();
            }
            const std::vector<uint8_t> picture = readBack(target, window.width, window.height);
            const std::string name = "edges-" + method + "-" + std::to_string(window.width) + "x" +
                                     std::to_string(window.height) + (corner == 0 ? "-top-left" : "-bottom-right");
            keepPicture(name + ".png", picture, window.width, window.height);
            EXPECT_GT(brightestOfPlayer(picture, window, player), 150) << name << ": the player's lines";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, EdgePictures, ::testing::Values(EdgeWindow{960, 720}, EdgeWindow{1920, 1080}),
                         [](const ::testing::TestParamInfo<EdgeWindow>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
