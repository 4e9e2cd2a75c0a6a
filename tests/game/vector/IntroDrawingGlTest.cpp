// The shipped intro drawing played frame by frame on OpenGL as the intro screen plays it: one
// display per layer, stacked. With ZELMO_PICTURES set to a folder, a picture every second is
// written there as a PNG to look at.
#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/DrawingFactory.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/DrawVectorText.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"

namespace {

// A small window, scaled as the screens scale to any window, and a slow machine's frame rate:
// the sanitizer pass draws with a slow software renderer, whose cost is mostly per frame.
constexpr int kIntroWidth = 160;
constexpr int kIntroHeight = 120;
constexpr float Scale = kIntroWidth / 640.0f;
constexpr int kIntroClearView = 216;
constexpr int FirstLayerView = 217;
constexpr int FramesPerSecond = 20;
constexpr float FrameMs = 1000.0f / FramesPerSecond;
// The intro's authored length: the maze, the hero's walk and the closing pause, with room. The
// texts' sweeps move once a frame, so they take longer at this rate but end within the walk.
constexpr int MaxFrames = 15 * FramesPerSecond;

// Read-back rows run bottom-up, as do display coordinates.
struct IntroPicture {
    std::vector<uint8_t> rgba;

    bool lit(int x, int y) const {
        const uint8_t* p = &rgba[(size_t(y) * kIntroWidth + x) * 4];
        return std::max({p[0], p[1], p[2]}) > 80;
    }
    int litIn(int x0, int y0, int x1, int y1) const {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                count += lit(x, y) ? 1 : 0;
            }
        }
        return count;
    }
    int differingPixels(const IntroPicture& other) const {
        int count = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) {
            count += lit(int(i / 4 % kIntroWidth), int(i / 4 / kIntroWidth)) != other.lit(int(i / 4 % kIntroWidth), int(i / 4 / kIntroWidth))
                         ? 1
                         : 0;
        }
        return count;
    }
};

}  // namespace

class IntroDrawingGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(library.init("data", "data/shapes", "data/vectorfont"));
        target_ = makeReadBackTarget(kIntroClearView, kIntroWidth, kIntroHeight, gfx::Clear::Colour | gfx::Clear::Depth);
        program = Game::loadShaderProgram("vtx-color", "vtx-color");
        drawing = factory.create("data/intro");
        for (int layer = 0; layer <= drawing->highestLayer(); ++layer) {
            // As the screens set their displays up.
            auto display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
            display->init(1, kIntroWidth, kIntroHeight, FirstLayerView + 10 * layer, 0);
            display->setThicknessScale(Scale);
            display->setThickness(12.0f);
            display->setBrightness(0.0f);
            displays.push_back(std::move(display));
        }
        text.init(float(kIntroHeight), Scale, Scale);
    }

    void TearDown() override {
        displays.clear();
        drawing.reset();
        gfx::destroy(program);
        GlTest::TearDown();
    }

    // One frame of the intro screen: the drawing advances, then each layer is drawn on its display.
    void playFrame() {
        drawing->update(FrameMs);
        for (size_t layer = 0; layer < displays.size(); ++layer) {
            VectorDisplay& display = *displays[layer];
            display.beginFrame();
            drawing->draw(int(layer), display, program, &text, 1.0f);
            const int next = display.endFrame(layer == 0);
            if (next != display.getFirstView()) {
                gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target_);  // the composite onto the screen
            }
        }
        gfx::touch(kIntroClearView);
        gfx::frame();
    }

    IntroPicture picture() { return IntroPicture{readBack(target_, kIntroWidth, kIntroHeight)}; }

    GameVectors library;
    Zelmo::DrawVectorText text{1.0f, 1.0f, 512.0f, library};
    Vector::DrawingFactory factory{"data/VectorDrawing.fbs"};
    std::unique_ptr<DrawingLibrary> drawing;
    std::vector<std::unique_ptr<VectorDisplay>> displays;
    gfx::ProgramHandle program;
    gfx::FrameBufferHandle target_;
};

TEST_F(IntroDrawingGl, PlaysAMovingPictureOnAtMostFourLayersAndEndsWithinItsLength) {
    ASSERT_LE(displays.size(), 4u);
    std::vector<IntroPicture> seconds;
    int frame = 0;
    while (!drawing->done() && frame < MaxFrames) {
        playFrame();
        ++frame;
        if (frame % FramesPerSecond == 0) {
            seconds.push_back(picture());
            keepPicture("intro-" + std::to_string(frame / FramesPerSecond) + "s.png", seconds.back().rgba, kIntroWidth,
                        kIntroHeight);
        }
    }
    EXPECT_TRUE(drawing->done()) << "no DRAWDONE within " << MaxFrames << " frames";
    ASSERT_GE(seconds.size(), 4u);
    for (size_t s = 0; s < seconds.size(); ++s) {
        EXPECT_GT(seconds[s].litIn(0, 0, kIntroWidth, kIntroHeight), 150) << "second " << s + 1 << " shows something";
        if (s > 0) {
            EXPECT_GT(seconds[s].differingPixels(seconds[s - 1]), 5) << "second " << s + 1 << " has moved on";
        }
    }
    const IntroPicture& last = seconds.back();
    EXPECT_GT(last.litIn(0, 0, kIntroWidth, kIntroHeight * 60 / 100), 300) << "the maze below";
    EXPECT_GT(last.litIn(0, kIntroHeight * 70 / 100, kIntroWidth, kIntroHeight), 300) << "the name above";
}
