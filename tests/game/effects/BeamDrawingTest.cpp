// Drawing beams on the recording renderer: strokes compared with the lines they stand for, and
// fills as recorded strips.
#include <gmock/gmock.h>

#include <cmath>
#include <functional>

#include "game/effects/BeamDrawing.h"
#include "game/effects/BeamTimeline.h"
#include "tests/engine/vector/DisplayFixture.h"

using ::testing::ElementsAre;
using Zelmo::BeamSegment;

namespace {

constexpr gfx::ViewId FillView = 9;
constexpr uint32_t Red = 0xff0000ff;  // packed ABGR

struct BeamPoint {
    float x, y;
};

MATCHER_P2(At, x, y, "") { return std::abs(arg.x - x) < 1e-3f && std::abs(arg.y - y) < 1e-3f; }

BeamSegment lineSegment(std::vector<Zelmo::Polyline> polylines) {
    BeamSegment segment;
    segment.colour = Red;
    segment.polylines = std::move(polylines);
    return segment;
}

class BeamDrawing : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        program = gfx::createProgram("vs", "fs", "fills");
    }

    std::vector<PosTexCoordColorVertex> frameOf(const std::function<void()>& draw) {
        display->beginFrame();
        draw();
        return display->frameVertices();
    }

    std::vector<PosTexCoordColorVertex> beam(float x, float y, float angle, float alongScale, float zoom,
                                             const std::vector<BeamSegment>& segments) {
        return frameOf([&] { Zelmo::drawBeamSegments(*display, x, y, angle, alongScale, zoom, segments); });
    }

    // The vertices of the polylines given, each drawn as its own flipped stroke.
    std::vector<PosTexCoordColorVertex> strokes(const std::vector<std::vector<BeamPoint>>& polylines,
                                                float thickness = 6.0f) {
        return frameOf([&] {
            display->setThickness(thickness);
            display->setDrawColor(Red);
            for (const std::vector<BeamPoint>& polyline : polylines) {
                display->beginDraw(polyline[0].x, polyline[0].y, true);
                for (size_t i = 1; i < polyline.size(); ++i) {
                    display->drawTo(polyline[i].x, polyline[i].y);
                }
                display->endDraw();
            }
            display->setThickness(6.0f);
        });
    }

    static void expectSameVertices(const std::vector<PosTexCoordColorVertex>& actual,
                                   const std::vector<PosTexCoordColorVertex>& expected) {
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3f) << "vertex " << i;
            EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3f) << "vertex " << i;
            EXPECT_EQ(actual[i].abgr, expected[i].abgr) << "vertex " << i;
        }
    }

    std::vector<const gfx::Draw*> fills() {
        gfx::frame();
        return drawsOf(FillView);
    }

    std::vector<PosColorVertex> fillVertices(const gfx::Draw& draw) {
        return recording().vertices<PosColorVertex>(draw);
    }

    gfx::ProgramHandle program;
};

}  // namespace

TEST_F(BeamDrawing, AStretchedLineRunsAlongTheBeamTurnedClockwise) {
    const std::vector<BeamSegment> centre = {lineSegment({{0, 0, 0, 1}})};
    expectSameVertices(beam(100, 50, 0, 200, 1, centre), strokes({{{100, 50}, {100, 250}}}));
    expectSameVertices(beam(100, 50, 90, 200, 1, centre), strokes({{{100, 50}, {300, 50}}}));
}

TEST_F(BeamDrawing, TheSegmentsOwnAngleScaleAndOffsetsPlaceItsPoints) {
    BeamSegment segment = lineSegment({{-5, 0, 5, 0}});
    segment.stretch = false;
    segment.scale = 2.0f;
    segment.offsetX = 3.0f;
    segment.offsetY = 10.0f;
    segment.angle = 90.0f;
    // (-10 + 3, 10) and (10 + 3, 10) at zoom 2, turned a quarter clockwise: along +x, across -y.
    expectSameVertices(beam(100, 100, 0, 999, 2, {segment}), strokes({{{120, 114}, {120, 74}}}));
}

TEST_F(BeamDrawing, MirroredPointsLeftOfTheAxisTakeTheNegatedOffset) {
    BeamSegment segment = lineSegment({{-10, 0, -10, 1}, {10, 0, 10, 1}});
    segment.mirror = true;
    segment.offsetX = 20.0f;
    expectSameVertices(beam(100, 50, 0, 100, 1, {segment}),
                       strokes({{{70, 50}, {70, 150}}, {{130, 50}, {130, 150}}}));
}

TEST_F(BeamDrawing, RepeatedStrokesLieOnTopOfEachOtherAndThicknessComesBack) {
    BeamSegment segment = lineSegment({{0, 0, 0, 1}});
    segment.count = 3;
    segment.thickness = 2.0f;
    const auto drawn = beam(100, 50, 0, 100, 1, {segment});
    EXPECT_EQ(display->getThickness(), 6.0f);
    const std::vector<BeamPoint> line = {{100, 50}, {100, 150}};
    expectSameVertices(drawn, strokes({line, line, line}, 12.0f));

    segment.count = 0;
    EXPECT_TRUE(beam(100, 50, 0, 100, 1, {segment}).empty());
}

TEST_F(BeamDrawing, AnOddFloatIsLeftOffAndLonePointsDrawNothing) {
    expectSameVertices(beam(100, 50, 0, 100, 1, {lineSegment({{0, 0, 0, 1, 7}, {3}, {}})}),
                       strokes({{{100, 50}, {100, 150}}}));
}

// Strokes per beam as its timeline shows them: every pass of every polyline of every segment.
TEST_F(BeamDrawing, BeamsDrawTheirStrokesAndFillsAtEachMoment) {
    struct Case {
        int type;
        float timeMs;
        int strokes;
        std::vector<uint32_t> fillIndices;  // per fill draw
    };
    for (const Case& c : {Case{3, 250, 4, {4}}, Case{3, 750, 2, {4}}, Case{4, 500, 3, {4, 4, 4}},
                          Case{7, 250, 17, {4}}, Case{1, 100, 2, {}}, Case{10, 50, 5, {}}}) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " at " << c.timeMs << " ms");
        Zelmo::BeamTimeline timeline;
        Zelmo::beamTimeline(c.type, timeline);
        std::vector<BeamSegment> shown;
        float bounds[4];
        timeline.update(c.timeMs, shown, bounds);

        int strokeCount = 0;
        size_t onePassVertices = 0;
        for (const BeamSegment& segment : shown) {
            strokeCount += segment.count * int(segment.polylines.size());
            BeamSegment once = segment;
            once.count = 1;
            onePassVertices += size_t(segment.count) * beam(160, 20, 30, 150, 1, {once}).size();
        }
        EXPECT_EQ(strokeCount, c.strokes);
        EXPECT_EQ(beam(160, 20, 30, 150, 1, shown).size(), onePassVertices);

        for (const BeamSegment& segment : shown) {
            if (segment.filled) {
                Zelmo::drawBeamSegmentFilled(FillView, program, 160, 20, 0, 1, 30, 150, segment);
            }
        }
        std::vector<uint32_t> fillIndices;
        for (const gfx::Draw* draw : fills()) {
            fillIndices.push_back(draw->numIndices);
            EXPECT_EQ(draw->numIndices, draw->numVertices);
        }
        EXPECT_EQ(fillIndices, c.fillIndices);
    }
}

TEST_F(BeamDrawing, AFilledQuadIsOneTranslucentStripAcrossTheBeam) {
    BeamSegment segment = lineSegment({{-20, 1, -20, 0, 20, 0, 20, 1}});
    segment.colour = 0x4faf0f1f;  // bytes r 1f, g 0f, b af, a 4f
    Zelmo::drawBeamSegmentFilled(FillView, program, 100, 50, 0.5f, 1, 0, 100, segment);
    Zelmo::drawBeamSegmentFilled(FillView, program, 100, 50, 0.5f, 2, 90, 50, segment);
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 2u);
    const gfx::Draw& up = *draws[0];
    EXPECT_EQ(up.program, program);
    EXPECT_EQ(up.state, gfx::DrawState()
                            .with(gfx::Primitive::TriangleStrip)
                            .blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha));
    EXPECT_THAT(recording().indices(up), ElementsAre(0, 1, 3, 2));
    EXPECT_THAT(fillVertices(up), ElementsAre(At(80, 150), At(80, 50), At(120, 50), At(120, 150)));
    EXPECT_EQ(fillVertices(up)[0].abgr, 0x1f0faf4fu) << "the colour's bytes read most significant first";
    EXPECT_EQ(fillVertices(up)[0].z, 0.5f);
    // Turned to point right, at zoom 2 and always stretched by the length.
    EXPECT_THAT(fillVertices(*draws[1]), ElementsAre(At(200, 90), At(100, 90), At(100, 10), At(200, 10)));
}

TEST_F(BeamDrawing, FillsMirrorAsLinesDoAndSkipWhatIsNoPolygon) {
    BeamSegment segment = lineSegment({{5, 1, 12.5f, 0, -12.5f, 0, -5, 1, 5, 1}, {-20, 1, 20, 1}});
    segment.mirror = true;
    segment.offsetX = 2.0f;
    Zelmo::drawBeamSegmentFilled(FillView, program, 100, 50, 0, 1, 0, 10, segment);
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 1u) << "the two-point line is not filled";
    EXPECT_THAT(fillVertices(*draws[0]), ElementsAre(At(107, 60), At(114.5f, 50), At(85.5f, 50), At(93, 60)))
        << "the closing point is dropped";
}

class BeamFillBudget : public RecordingTest {};

TEST_F(BeamFillBudget, AFillThatNoLongerFitsIsLeftOutOfTheFrame) {
    start(3 * sizeof(PosColorVertex), 1u << 16);  // room for three vertices only
    const gfx::ProgramHandle program = gfx::createProgram("vs", "fs", "fills");
    const BeamSegment quad = lineSegment({{-20, 1, -20, 0, 20, 0, 20, 1}});
    const BeamSegment triangle = lineSegment({{-20, 1, 0, 0, 20, 1}});
    Zelmo::drawBeamSegmentFilled(FillView, program, 100, 50, 0, 1, 0, 100, quad);
    Zelmo::drawBeamSegmentFilled(FillView, program, 100, 50, 0, 1, 0, 100, triangle);
    gfx::frame();
    const gfx::ViewPass* pass = recording().pass(FillView);
    ASSERT_NE(pass, nullptr);
    ASSERT_EQ(pass->numDraws, 1u);
    EXPECT_EQ(recording().draw(*pass, 0).numVertices, 3u) << "the triangle still fits";
}
