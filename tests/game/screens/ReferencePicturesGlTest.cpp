// The title and its settings page on OpenGL, in the window the game opens, held against
// references taken before the glow display was made faster (tests/engine/gfx/ReferencePicture.h).
// The screens are drawn as the frame loop draws them, with the vector menus of STANDARD, and
// without updates in between: the title's picture stays where its clocks start and the menus'
// trail is that of a still picture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/ColourQuad.h"
#include "engine/gfx/Gfx.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/AppContext.h"
#include "engine/vg/Context.h"
#include "game/config/Config.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/input/GlobalInputRefs.h"
#include "game/screens/TitleLogicView.h"
#include "game/vector/ShapeLibrary.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/engine/gfx/ReferencePicture.h"

namespace {

constexpr int kScreenWidth = 960, kScreenHeight = 720;
constexpr int kScreenFrames = 12;
constexpr gfx::ViewId kScreenOverlayView = 200;

class ScreenReference : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-the-pictures.cfg"));
        ASSERT_TRUE(Zelmo::loadTuningTable());
        Zelmo::setDefaultOptions();
        ASSERT_TRUE(Zelmo::initShapeLibrary());
        Zelmo::setPref(Zelmo::Setting::kInputMethod, Zelmo::kStandardMethod);
        for (const auto& volume : Zelmo::Setting::kVolumes) Zelmo::setPref(volume, "50");

        context = std::make_unique<AppContext>(false, 640, 480, true, 60, 0);
        context->setWindowSize(kScreenWidth, kScreenHeight);
        static Zelmo::GlobalInputRefs s_refs;
        static const bool s_loaded = s_refs.load("data/Accessibility.fbs", "data/accessibility");
        ASSERT_TRUE(s_loaded);
        Input::InputControllers& controllers = context->inputControllers();
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        for (const char* page : {"TITLE", "SETTINGS"}) {
            ASSERT_TRUE(controllers.load(page, std::string("data/input/STANDARD/") + page + ".json", &s_refs));
        }
        // Made by the INIT state in the game: the title's black behind the menu needs it.
        Game::createColourProgram();
        overlay = std::make_unique<vg::Context>(kScreenOverlayView);
        context->setOverlayWithoutWindow(overlay.get());
        target = gfx::createFrameBuffer(kScreenWidth, kScreenHeight, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
        gfx::setWindowTarget(target);
    }

    void TearDown() override {
        title.reset();
        if (context) context->setOverlayWithoutWindow(nullptr);
        overlay.reset();
        context.reset();
        Game::destroyColourProgram();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        gfx::destroy(target);
        Zelmo::unloadConfig();
        Zelmo::settings().clear();
        GlTest::TearDown();
    }

    // The title entered from the given state, drawn frame after frame as the loop draws it.
    std::vector<uint8_t> titlePicture(const std::string& previous) {
        title = std::make_unique<Zelmo::TitleLogicView>(*context);
        Game::LogicEntry entry;
        entry.name = previous;
        title->setActive(true);
        title->enter(entry, "");
        for (int i = 0; i < kScreenFrames; ++i) {
            context->render(16.0f);
            gfx::frame();
        }
        return readBack(target, kScreenWidth, kScreenHeight);
    }

    std::unique_ptr<AppContext> context;
    std::unique_ptr<vg::Context> overlay;
    std::unique_ptr<Zelmo::TitleLogicView> title;
    gfx::FrameBufferHandle target;
};

TEST_F(ScreenReference, TheTitleLooksAsItDidBeforeTheDisplayChanged) {
    const std::vector<uint8_t> picture = titlePicture("INTRO");
    ASSERT_EQ(context->inputControllers().getCurrentName(), "TITLE");
    expectLikeReference("tests/game/screens/data/pictures/title-960x720.png", picture, kScreenWidth, kScreenHeight);
}

TEST_F(ScreenReference, TheSettingsPageLooksAsItDidBeforeTheDisplayChanged) {
    const std::vector<uint8_t> picture = titlePicture("OPTIONS");
    ASSERT_EQ(context->inputControllers().getCurrentName(), "SETTINGS");
    expectLikeReference("tests/game/screens/data/pictures/settings-960x720.png", picture, kScreenWidth, kScreenHeight);
}

}  // namespace
