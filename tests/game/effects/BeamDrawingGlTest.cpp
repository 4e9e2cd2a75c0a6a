// Beams on OpenGL, read back: one of each look (lines, lightning, a filled beam) lights the
// pixels along its beam and leaves the rest dark. Each picture is also written as a PNG, to the
// folder in ZELMO_PICTURES when set, else beside the test program.
#include <gmock/gmock.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Projection.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/VectorDisplay.h"
#include "game/effects/BeamDrawing.h"
#include "game/effects/BeamTimeline.h"
#include "tests/engine/gfx/GlContext.h"

namespace {

constexpr int Width = 320;  // the fixture's window
constexpr int Height = 240;
constexpr int ClearView = 1;
constexpr int kGlFillView = 9;
constexpr int FirstView = 10;

// Read-back rows run bottom-up, as do display coordinates.
struct Picture {
    std::vector<uint8_t> rgba;

    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * Width + x) * 4]; }
    int level(int x, int y) const { return std::max({at(x, y)[0], at(x, y)[1], at(x, y)[2]}); }

    int maxLevel(int x0, int y0, int x1, int y1) const {
        int best = 0;
        for (int y = std::max(y0, 0); y <= std::min(y1, Height - 1); ++y) {
            for (int x = std::max(x0, 0); x <= std::min(x1, Width - 1); ++x) {
                best = std::max(best, level(x, y));
            }
        }
        return best;
    }
};

// Where a beam is drawn and when in its timeline.
struct BeamPlace {
    int type;
    float timeMs;
    float x, y;
    float angle;
    float length;
    float zoom;
};

}  // namespace

class BeamDrawingGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        target_ = gfx::createFrameBuffer(Width, Height, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
        gfx::setViewFrameBuffer(ClearView, target_);
        gfx::setViewClear(ClearView, gfx::Clear::Colour, 0x000000ff);
        // The game's fill view at zoom 1: the window's pixels, y upward, depths -1 to 100.
        gfx::setViewFrameBuffer(kGlFillView, target_);
        gfx::setViewRect(kGlFillView, 0, 0, Width, Height);
        gfx::setViewTransform(kGlFillView, gfx::ortho(0.0f, float(Width), 0.0f, float(Height), -1.0f, 100.0f,
                                                   gfx::caps().homogeneousDepth));
        display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        display->init(1, Width, Height, FirstView, 0);
        fillProgram = Game::loadShaderProgram("vtx-color", "vtx-color");
    }

    void TearDown() override {
        display.reset();
        gfx::destroy(fillProgram);
        GlTest::TearDown();
    }

    Picture draw(const BeamPlace& place) {
        Zelmo::BeamTimeline timeline;
        Zelmo::beamTimeline(place.type, timeline);
        std::vector<Zelmo::BeamSegment> segments;
        float bounds[4];
        timeline.update(place.timeMs, segments, bounds);
        EXPECT_FALSE(segments.empty());

        display->beginFrame();
        for (const Zelmo::BeamSegment& segment : segments) {
            if (segment.filled) {
                Zelmo::drawBeamSegmentFilled(kGlFillView, fillProgram, place.x, place.y, 0.0f, place.zoom, place.angle,
                                             place.length, segment);
            }
        }
        Zelmo::drawBeamSegments(*display, place.x, place.y, place.angle, place.length * place.zoom, place.zoom,
                                segments);
        display->endFrame(true);
        gfx::touch(ClearView);
        gfx::setWindowTarget(target_);  // the display's composite, as the window would show it
        gfx::frame();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        Picture picture;
        picture.rgba.resize(size_t(Width) * Height * 4);
        EXPECT_TRUE(gfx::readTexture(gfx::getTexture(target_), picture.rgba.data()));
        return picture;
    }

    static void keep(const Picture& picture, const std::string& name) {
        const char* folder = std::getenv("ZELMO_PICTURES");
        const std::string path = std::string(folder != nullptr ? folder : ZELMO_PICTURE_DIR) + "/" + name;
        stbi_flip_vertically_on_write(1);
        EXPECT_NE(stbi_write_png(path.c_str(), Width, Height, 4, picture.rgba.data(), Width * 4), 0) << path;
    }

    std::unique_ptr<VectorDisplay> display;
    gfx::ProgramHandle fillProgram;

private:
    gfx::FrameBufferHandle target_;
};

// The first beam, halfway through its first segment: two lines 25 either side of the beam.
TEST_F(BeamDrawingGl, ALineBeamLightsItsTwoSides) {
    const Picture p = draw({1, 100, 160, 40, 0, 160, 1});
    keep(p, "beam-lines.png");
    for (int y : {60, 120, 180}) {
        EXPECT_GE(p.level(135, y), 150) << "left side at y " << y;
        EXPECT_GE(p.level(185, y), 150) << "right side at y " << y;
        EXPECT_LT(p.level(160, y), p.level(135, y) / 3) << "between the sides at y " << y;
    }
    EXPECT_LT(p.maxLevel(0, 0, 100, Height - 1), 10) << "far to the left";
    EXPECT_LT(p.maxLevel(135, 225, 185, Height - 1), 10) << "beyond the beam's end";
}

// A prisoner's chain at zoom 0.5: bolts from the origin, one set straight up and one turned 110
// degrees clockwise, each 230 long.
TEST_F(BeamDrawingGl, ALightningBeamReachesBothEndsOfItsBolts) {
    const Picture p = draw({19, 200, 100, 60, 0, 1, 0.5f});
    keep(p, "beam-lightning.png");
    EXPECT_GE(p.maxLevel(96, 56, 104, 64), 150) << "at the origin";
    EXPECT_GE(p.maxLevel(96, 171, 104, 179), 150) << "the end straight up";
    EXPECT_GE(p.maxLevel(204, 17, 212, 25), 150) << "the end turned by 110 degrees";
    EXPECT_LT(p.maxLevel(0, 0, 30, Height - 1), 10) << "far to the left";
    EXPECT_LT(p.maxLevel(250, 120, Width - 1, Height - 1), 10) << "up to the right";
}

// The first filled beam halfway through its glow: a translucent quad 40 wide under its outline.
TEST_F(BeamDrawingGl, AFilledBeamCoversItsQuad) {
    const Picture p = draw({3, 250, 160, 40, 0, 160, 1});
    keep(p, "beam-filled.png");
    for (int y : {80, 120, 160}) {
        const uint8_t* inside = p.at(160, y);
        EXPECT_GE(inside[1], 100) << "filled at y " << y;
        EXPECT_GT(inside[1], inside[0] + 20) << "in the fill's own colour at y " << y;
    }
    EXPECT_LT(p.maxLevel(0, 0, 110, Height - 1), 10) << "left of the quad";
    EXPECT_LT(p.maxLevel(210, 0, Width - 1, Height - 1), 10) << "right of the quad";
    EXPECT_LT(p.maxLevel(150, 225, 170, Height - 1), 10) << "beyond the beam's end";
}
