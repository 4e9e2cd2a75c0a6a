// The shipped drawings (the intro, the game-over words) played frame by frame on OpenGL as the
// drawing screens play them: one display per layer, stacked. With ZELMO_PICTURES set to a folder,
// a picture every second is written there as a PNG to look at.
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

// The drawings are authored for a 640 x 480 screen and stretched to any window, as the screens do.
constexpr float kDesignWidth = 640.0f, kDesignHeight = 480.0f;
constexpr int kClearView = 216;
constexpr int kFirstLayerView = 217;
// A slow machine's frame rate: the sanitizer pass draws with a slow software renderer, whose
// cost is mostly per frame.
constexpr int kFramesPerSecond = 20;
constexpr float kFrameMs = 1000.0f / kFramesPerSecond;
// The intro's authored length: the maze, the hero's walk and the closing pause, with room. The
// texts' sweeps move once a frame, so they take longer at this rate but end within the walk.
constexpr int kMaxFrames = 15 * kFramesPerSecond;

// Read-back rows run bottom-up, as do display coordinates.
struct DrawnPicture {
    std::vector<uint8_t> rgba;
    int width;
    int height;

    bool lit(int x, int y) const {
        const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
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
    int differingPixels(const DrawnPicture& other) const {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) count += lit(x, y) != other.lit(x, y) ? 1 : 0;
        }
        return count;
    }
};

}  // namespace

class DrawingGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(library.init("data", "data/shapes", "data/vectorfont"));
        program = Game::loadShaderProgram("vtx-color", "vtx-color");
    }

    void TearDown() override {
        displays.clear();
        drawing.reset();
        gfx::destroy(program);
        GlTest::TearDown();
    }

    // The drawing in a window of that size, set up as the drawing screens set up their displays.
    void open(const std::string& file, int width, int height) {
        width_ = width;
        height_ = height;
        const float widthRatio = float(width) / kDesignWidth;
        target_ = makeReadBackTarget(kClearView, uint16_t(width), uint16_t(height),
                                     gfx::Clear::Colour | gfx::Clear::Depth);
        drawing = factory.create(file);
        ASSERT_NE(drawing, nullptr) << file;
        for (int layer = 0; layer <= drawing->highestLayer(); ++layer) {
            auto display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
            display->init(1, uint16_t(width), uint16_t(height), kFirstLayerView + 10 * layer, 0);
            display->setThicknessScale(widthRatio);
            display->setThickness(12.0f);
            display->setBrightness(0.0f);
            displays.push_back(std::move(display));
        }
        text.init(float(height), widthRatio, float(height) / kDesignHeight);
    }

    // One frame of the drawing screen: the drawing advances, then each layer is drawn on its display.
    void playFrame() {
        drawing->update(kFrameMs);
        for (size_t layer = 0; layer < displays.size(); ++layer) {
            VectorDisplay& display = *displays[layer];
            display.beginFrame();
            drawing->draw(int(layer), display, program, &text, 1.0f);
            const int next = display.endFrame(layer == 0);
            if (next != display.getFirstView()) {
                gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target_);  // the composite onto the screen
            }
        }
        gfx::touch(kClearView);
        gfx::frame();
    }

    // Plays to the end, or to the longest a drawing may take; a picture each second, kept under
    // the name with the second appended.
    std::vector<DrawnPicture> playToTheEnd(const std::string& name) {
        std::vector<DrawnPicture> seconds;
        for (int frame = 1; !drawing->done() && frame <= kMaxFrames; ++frame) {
            playFrame();
            if (frame % kFramesPerSecond == 0 || drawing->done()) {
                seconds.push_back(picture());
                keepPicture(name + "-" + std::to_string(seconds.size()) + "s.png", seconds.back().rgba, width_, height_);
            }
        }
        return seconds;
    }

    DrawnPicture picture() { return DrawnPicture{readBack(target_, uint16_t(width_), uint16_t(height_)), width_, height_}; }

    GameVectors library;
    Zelmo::DrawVectorText text{1.0f, 1.0f, 512.0f, library};
    Vector::DrawingFactory factory{"data/VectorDrawing.fbs"};
    std::unique_ptr<DrawingLibrary> drawing;
    std::vector<std::unique_ptr<VectorDisplay>> displays;
    gfx::ProgramHandle program;
    gfx::FrameBufferHandle target_;
    int width_ = 0;
    int height_ = 0;
};

// The intro in a small window: its cost under the sanitizers is per pixel as well.
using IntroDrawingGl = DrawingGl;

TEST_F(IntroDrawingGl, PlaysAMovingPictureOnAtMostFourLayersAndEndsWithinItsLength) {
    constexpr int kWidth = 160, kHeight = 120;
    open("data/intro", kWidth, kHeight);
    ASSERT_LE(displays.size(), 4u);
    const std::vector<DrawnPicture> seconds = playToTheEnd("intro");
    EXPECT_TRUE(drawing->done()) << "no DRAWDONE within " << kMaxFrames << " frames";
    ASSERT_GE(seconds.size(), 4u);
    for (size_t s = 0; s < seconds.size(); ++s) {
        EXPECT_GT(seconds[s].litIn(0, 0, kWidth, kHeight), 150) << "second " << s + 1 << " shows something";
        if (s > 0) {
            EXPECT_GT(seconds[s].differingPixels(seconds[s - 1]), 5) << "second " << s + 1 << " has moved on";
        }
    }
    const DrawnPicture& last = seconds.back();
    EXPECT_GT(last.litIn(0, 0, kWidth, kHeight * 60 / 100), 300) << "the maze below";
    EXPECT_GT(last.litIn(0, kHeight * 70 / 100, kWidth, kHeight), 300) << "the name above";
}

struct GameOverCase {
    const char* drawing;
    int width;
    int height;
};

std::ostream& operator<<(std::ostream& out, const GameOverCase& c) {
    return out << c.drawing << "-" << c.width << "x" << c.height;
}

class GameOverDrawingGl : public DrawingGl, public ::testing::WithParamInterface<GameOverCase> {};

// The closing words and the line under them end on the screen whole, in the smallest and a wide
// window: lit above and below, nothing running off an edge. The wide window is 1280 x 720 rather
// than full HD: the same shape at less than half the pixels, since the sanitizer pass draws each
// of its frames on a one-thread software renderer.
TEST_P(GameOverDrawingGl, EndsWithItsWordsAndTheirLineWholeOnTheScreen) {
    const GameOverCase& c = GetParam();
    open(std::string("data/") + c.drawing, c.width, c.height);
    const std::vector<DrawnPicture> seconds = playToTheEnd(std::string(c.drawing) + "-" + std::to_string(c.width));
    EXPECT_TRUE(drawing->done()) << "no DRAWDONE within " << kMaxFrames << " frames";
    ASSERT_FALSE(seconds.empty());
    const DrawnPicture& last = seconds.back();
    const int w = c.width, h = c.height;
    EXPECT_GT(last.litIn(0, h * 70 / 100, w, h), w * h / 400) << "the words at the top";
    EXPECT_GT(last.litIn(0, 0, w, h * 25 / 100), w * h / 2000) << "the line at the bottom";
    const int edge = std::max(2, w / 320);
    EXPECT_EQ(last.litIn(0, 0, edge, h) + last.litIn(w - edge, 0, w, h), 0) << "something runs off a side";
    EXPECT_EQ(last.litIn(0, h - edge, w, h) + last.litIn(0, 0, w, edge), 0) << "something runs off the top or bottom";
}

INSTANTIATE_TEST_SUITE_P(ShippedDrawings, GameOverDrawingGl,
                         ::testing::Values(GameOverCase{"gameover-won", 640, 480}, GameOverCase{"gameover-lost", 640, 480},
                                           GameOverCase{"gameover-won", 1280, 720},
                                           GameOverCase{"gameover-lost", 1280, 720}));
