// Filled vector text on OpenGL, read back: the fills lie under the lines they belong to. With
// ZELMO_PICTURES set to a folder, the picture is also written there as a PNG to look at.
#include <gmock/gmock.h>

#include <memory>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/DrawVectorText.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"

namespace {

constexpr int Width = 320;
constexpr int Height = 240;
constexpr int ClearView = 1;
constexpr int FirstView = 10;
constexpr uint32_t LineRed = 0xff0000ff;  // packed ABGR

// Read-back rows run bottom-up, as do display coordinates.
struct Picture {
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * Width + x) * 4]; }
    bool isLine(int x, int y) const { return at(x, y)[0] > at(x, y)[1] + 60; }
    bool isFill(int x, int y) const { return at(x, y)[1] > at(x, y)[0] + 20; }
};

}  // namespace

class VectorTextGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(library.init("data", "data/shapes", "data/vectorfont"));
        target_ = makeReadBackTarget(ClearView, Width, Height);
        display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        display->init(1, Width, Height, FirstView, 0);
        display->setBrightness(0);
        fillProgram = Game::loadShaderProgram("vtx-color", "vtx-color");
    }

    void TearDown() override {
        display.reset();
        gfx::destroy(fillProgram);
        GlTest::TearDown();
    }

    Picture write(const std::string& text, const Vector::VectorTextStyle& style) {
        Zelmo::DrawVectorText writer(1.0f, 1.0f, 512.0f, library);
        Vector::TextRect rect;
        display->beginFrame();
        writer.draw(rect, display.get(), style, text, nullptr, fillProgram);
        return show();
    }

    // Ends the display's frame with its picture composited into the target, and reads it back.
    Picture show() {
        const int next = display->endFrame(true);
        gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target_);
        gfx::touch(ClearView);
        gfx::frame();
        return Picture{readBack(target_, Width, Height)};
    }

    GameVectors library;
    std::unique_ptr<VectorDisplay> display;
    gfx::ProgramHandle fillProgram;
    gfx::FrameBufferHandle target_;
};

TEST_F(VectorTextGl, AFilledWordLiesUnderItsOutline) {
    Vector::VectorTextStyle style;
    style.x = 40;
    style.y = 170;  // in the upper half: a fill mirrored the wrong way would land in the lower one
    style.scale = 2.0f;
    style.thickness = 3.0f;
    style.colour = LineRed;
    style.filled = true;
    const Picture picture = write("ZELMO", style);
    keepPicture("vector-text-filled.png", picture.rgba, Width, Height);

    int lines = 0;
    int linesOnFill = 0;
    int fills = 0;
    int fillsLow = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            if (picture.isFill(x, y)) {
                ++fills;
                fillsLow += y < Height / 2 ? 1 : 0;
            }
            if (!picture.isLine(x, y)) {
                continue;
            }
            ++lines;
            bool nearFill = false;
            for (int dy = -4; dy <= 4 && !nearFill; ++dy) {
                for (int dx = -4; dx <= 4 && !nearFill; ++dx) {
                    const int px = x + dx;
                    const int py = y + dy;
                    nearFill = px >= 0 && px < Width && py >= 0 && py < Height && picture.isFill(px, py);
                }
            }
            linesOnFill += nearFill ? 1 : 0;
        }
    }
    ASSERT_GT(lines, 500) << "the word's lines are drawn";
    ASSERT_GT(fills, 500) << "the word's fills are drawn";
    EXPECT_EQ(fillsLow, 0) << "no fill away from the word";
    EXPECT_GT(linesOnFill, lines * 9 / 10) << "lines run along their fills";
}

TEST_F(VectorTextGl, EveryGlyphIsDrawnWithinTheMeasuredText) {
    const std::string text = "ABCDEFGHIJKLM\nNOPQRSTUVWXYZ\n0123456789 .,:;\n!?-+=/\\'\"%()\n[]<>_*#";
    Vector::VectorTextStyle style;
    style.x = 20;
    style.y = 205;
    style.scale = 1.0f;
    style.thickness = 2.0f;
    style.colour = LineRed;
    Zelmo::DrawVectorText writer(1.0f, 1.0f, 512.0f, library);
    Vector::TextRect measured;
    writer.measure(measured, style, text);
    const Picture picture = write(text, style);
    keepPicture("vector-font.png", picture.rgba, Width, Height);
    const int margin = 4;  // the line's half width and its soft edge
    int lit = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            if (!picture.isLine(x, y)) {
                continue;
            }
            ++lit;
            EXPECT_TRUE(x >= measured.x - margin && x <= measured.x + measured.w + margin && y >= measured.y - margin &&
                        y <= measured.y + measured.h + margin)
                << "(" << x << ", " << y << ") outside the measured text";
        }
    }
    EXPECT_GT(lit, 2000);
}

TEST_F(VectorTextGl, TheScreensShapesAreDrawnWithinTheirBoxes) {
    const uint32_t ids[] = {1,  4,  8,  16, 19,  20,  21,  22,  23,  24,  25, 26,
                            27, 28, 75, 78, 118, 121, 122, 123, 124, 127, 128};
    const float scale = 1.0f;
    const int columns = 6;
    const Util::Colour ownFill{};
    display->beginFrame();
    for (size_t i = 0; i < std::size(ids); ++i) {
        const float x = 30.0f + 52.0f * float(i % columns);
        const float y = 205.0f - 55.0f * float(i / columns);
        library.drawShapeFilled(gfx::ViewId(FirstView), fillProgram, 0, ids[i], x, y, 1.0f, ownFill, scale, 0.0f,
                                display.get());
        library.drawShape(*display, 0, ids[i], x, y, 1.0f, scale, 0, 0.0f);
    }
    const Picture picture = show();
    keepPicture("menu-shapes.png", picture.rgba, Width, Height);
    const int margin = 5;  // the line's half width and its soft edge
    for (size_t i = 0; i < std::size(ids); ++i) {
        const IntBox box = library.bbox(ids[i], scale);
        const int x = 30 + 52 * int(i % columns);
        const int y = 205 - 55 * int(i / columns);
        int lit = 0;
        for (int py = y - 27; py <= y + 27; ++py) {
            for (int px = x - 26; px <= x + 26; ++px) {
                const uint8_t* p = picture.at(px, py);
                if (std::max({p[0], p[1], p[2]}) < 100) {
                    continue;
                }
                ++lit;
                EXPECT_TRUE(px >= x + box.x - margin && px <= x + box.x + box.w + margin && py >= y + box.y - margin &&
                            py <= y + box.y + box.h + margin)
                    << "shape " << ids[i] << ": (" << px - x << ", " << py - y << ") outside its box";
            }
        }
        EXPECT_GT(lit, 20) << "shape " << ids[i] << " is drawn";
    }
}
