// Drawing layers of animated drawings on the recording renderer: polygon fills, line groups,
// and texts written through a fake writer that shows where the sweep goes and when it ends.
#include <gmock/gmock.h>

#include <algorithm>

#include "DisplayFixture.h"
#include "DrawingSupport.h"

using ::testing::ElementsAre;

namespace {

constexpr gfx::ViewId kDrawingFillView = 10;  // the display's first view
constexpr float Sx = 320 * 0.01f;     // display units per percent on the 320 x 240 display, as drawn
constexpr float Sy = 240 * 0.01f;

MATCHER_P2(AtPoint, x, y, "") { return std::abs(arg.x - x) < 1e-3f && std::abs(arg.y - y) < 1e-3f; }

// A text at (10, 20) measured by the fake writer as {100, 50, 40, 20}: with sweep speed 4 and
// rate 2 the sweep moves 10 units a frame and 10 units a row.
std::string sweepingText(bool downward, const std::string& more = "") {
    return R"("texts": [{ "x": 10, "y": 20, "text": "ZELMO", "sweep": true, "sweep_speed": 4, "sweep_rate": 2,
                          "beam_x": 50, "beam_y": 50, "beam_colour": 287454020, "downward": )" +
           std::string(downward ? "true" : "false") + more + " }]";
}

class DrawingDraw : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        program = gfx::createProgram("vs", "fs", "fills");
    }

    std::unique_ptr<DrawingLibrary> load(const std::string& json) const {
        return factory.create(folder.write("drawing.json", json));
    }

    // Draws one layer into a fresh frame and returns the frame's line vertices.
    std::vector<PosTexCoordColorVertex> drawLayer(DrawingLibrary& drawing, int layer, bool withText = true,
                                                  float sweepFactor = 1.0f) {
        display->beginFrame();
        drawing.draw(layer, *display, program, withText ? &writer : nullptr, sweepFactor);
        return display->frameVertices();
    }

    // The fills recorded on the display's first view once the frame has run.
    std::vector<const gfx::Draw*> fills() {
        display->endFrame(true);
        gfx::frame();
        std::vector<const gfx::Draw*> draws = drawsOf(kDrawingFillView);
        draws.erase(std::remove_if(draws.begin(), draws.end(),
                                   [this](const gfx::Draw* draw) { return draw->program != program; }),
                    draws.end());
        return draws;
    }

    TempFolder folder;
    Vector::DrawingFactory factory{"data/VectorDrawing.fbs"};
    FakeTextWriter writer;
    gfx::ProgramHandle program;
};

}  // namespace

TEST_F(DrawingDraw, APolygonGroupFillsOpaqueWithItsColourUnchangedAndYUpwardAsLines) {
    // 2164195328 = 0x80ff0000; the last point closes the outline and is dropped.
    auto drawing = load(single(R"("polygons": [{ "colour": 2164195328, "points": [
        { "x": 0, "y": 0 }, { "x": 10, "y": 0 }, { "x": 10, "y": 10 }, { "x": 0, "y": 0 }] }])",
                               R"("x": 5, "y": 10)"));
    drawLayer(*drawing, 0);
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 1u);
    const gfx::Draw& fill = *draws[0];
    EXPECT_EQ(fill.state, gfx::DrawState().with(gfx::Primitive::TriangleStrip));
    std::vector<PosColorVertex> vertices = recording().vertices<PosColorVertex>(fill);
    EXPECT_THAT(vertices, ElementsAre(AtPoint(5 * Sx, Height - 10 * Sy), AtPoint(15 * Sx, Height - 10 * Sy),
                                      AtPoint(15 * Sx, Height - 20 * Sy)));
    EXPECT_EQ(vertices[0].abgr, 2164195328u);
    EXPECT_EQ(vertices[0].z, 0.0f);
    EXPECT_THAT(recording().indices(fill), ElementsAre(0, 1, 2));
}

TEST_F(DrawingDraw, ALineGroupIsOneFlippedPolylineInItsThicknessAndColour) {
    // 287454020 = 0x11223344 (0xRRGGBBAA).
    auto drawing = load(single(R"("lines": [{ "thickness": 2, "colour": 287454020, "points": [
        { "x": 0, "y": 0 }, { "x": 50, "y": 50 }, { "x": 50, "y": 0 }] }])",
                               R"("x": 10)"));
    display->setThickness(3.0f);
    const auto drawn = drawLayer(*drawing, 0);
    EXPECT_EQ(display->getThickness(), 3.0f);

    display->beginFrame();
    display->setThickness(6.0f);
    display->setDrawColor(0x44332211u);
    display->beginDraw(10 * Sx, 0, true);
    display->drawTo(60 * Sx, 50 * Sy);
    display->drawTo(60 * Sx, 0);
    display->endDraw();
    const auto expected = display->frameVertices();
    ASSERT_EQ(drawn.size(), expected.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_NEAR(drawn[i].x, expected[i].x, 1e-3f) << i;
        EXPECT_NEAR(drawn[i].y, expected[i].y, 1e-3f) << i;
        EXPECT_EQ(drawn[i].abgr, expected[i].abgr) << i;
    }
}

TEST_F(DrawingDraw, OnlyVisibleObjectsAndGroupsOfTheLayerAreDrawn) {
    const std::string json = R"({ "definitions": [
        { "name": "line", "lines": [{ "points": [{ "x": 0, "y": 0 }, { "x": 10, "y": 10 }] }] },
        { "name": "hidden", "lines": [{ "visible": false, "points": [{ "x": 0, "y": 0 }, { "x": 10, "y": 10 }] }],
          "polygons": [{ "visible": false, "colour": 4294967295,
                         "points": [{ "x": 0, "y": 0 }, { "x": 10, "y": 0 }, { "x": 10, "y": 10 }] }] }],
      "placements": [
        { "name": "top", "definition": "line", "layer": 1 },
        { "name": "off", "definition": "line", "visible": false },
        { "name": "empty", "definition": "hidden" }] })";
    auto drawing = load(json);
    EXPECT_TRUE(drawLayer(*drawing, 0).empty());
    EXPECT_TRUE(fills().empty());
    EXPECT_FALSE(drawLayer(*drawing, 1).empty());
}

TEST_F(DrawingDraw, ATextIsWrittenAtItsPlaceMovedByTheOrigin) {
    // 4278255360 = 0xff00ff00 (0xRRGGBBAA) becomes packed ABGR 0x00ff00ff.
    auto drawing = load(single(R"("texts": [{ "x": 10, "y": 20, "text": "HI", "colour": 4278255360, "scale": 3,
                                              "thickness": 5, "fill": true },
                                            { "visible": false, "text": "NOT" }])",
                               R"("x": 10, "y": 5)"));
    drawLayer(*drawing, 0, false);
    EXPECT_TRUE(writer.calls.empty()) << "no writer, no texts";
    drawLayer(*drawing, 0);
    ASSERT_EQ(writer.calls.size(), 1u);
    const FakeTextWriter::Call& call = writer.calls[0];
    EXPECT_EQ(call.text, "HI");
    EXPECT_FALSE(call.swept);
    EXPECT_EQ(call.style.x, int(20 * Sx));
    EXPECT_EQ(call.style.y, int(25 * Sy));
    EXPECT_EQ(call.style.colour, 0x00ff00ffu);
    EXPECT_EQ(call.style.scale, 3.0f);
    EXPECT_EQ(call.style.thickness, 5.0f);
    EXPECT_TRUE(call.style.filled);
}

struct SweepCase {
    const char* name;
    bool downward;
    float factor;
    std::vector<float> rows;  // the sweep y of each row until it wraps
};

void PrintTo(const SweepCase& c, std::ostream* out) { *out << c.name; }

class DrawingSweep : public DrawingDraw, public ::testing::WithParamInterface<SweepCase> {};

TEST_P(DrawingSweep, CrossesTheTextRowByRowAndSaysWhenItWraps) {
    const SweepCase& c = GetParam();
    auto drawing = load(single(sweepingText(c.downward)));
    DrawingText& text = *drawing->object("obj")->texts()[0];
    const int frames = int(c.rows.size()) * 4;  // each row is drawn at x 100 (first row only), 110 ... 140
    for (int frame = 0; frame <= frames; ++frame) {
        drawLayer(*drawing, 0, true, c.factor);
        EXPECT_EQ(text.pendingEvent, frame == frames ? "SCOPEDONE" : "") << "frame " << frame;
    }
    ASSERT_EQ(writer.calls.size(), size_t(frames) + 1);
    EXPECT_EQ(writer.measures, 1);
    for (size_t i = 0; i < writer.calls.size(); ++i) {
        const FakeTextWriter::Call& call = writer.calls[i];
        ASSERT_TRUE(call.swept);
        const size_t row = i == 0 ? 0 : (i - 1) / 4;
        EXPECT_FLOAT_EQ(call.sweep.sweepX, i == 0 ? 100.0f : 110.0f + 10.0f * float((i - 1) % 4)) << "call " << i;
        EXPECT_FLOAT_EQ(call.sweep.sweepY, c.rows[row]) << "call " << i;
    }
    const ScopeSweep& first = writer.calls[0].sweep;
    EXPECT_EQ(first.upperSide, c.downward);
    EXPECT_FLOAT_EQ(first.beamEndX, 50 * Sx);
    EXPECT_FLOAT_EQ(first.beamEndY, 50 * Sy);
    EXPECT_EQ(first.beamColour, 0x44332211u);
    EXPECT_FLOAT_EQ(text.sweep.sweepY, c.downward ? 70.0f : 50.0f) << "wrapped to where it started";
}

INSTANTIATE_TEST_SUITE_P(Texts, DrawingSweep,
                         ::testing::Values(SweepCase{"Downward", true, 1.0f, {70, 60, 50}},
                                           SweepCase{"DownwardTwiceAsFast", true, 2.0f, {70, 50}},
                                           SweepCase{"Upward", false, 1.0f, {50, 60, 70}}),
                         [](const ::testing::TestParamInfo<SweepCase>& info) { return std::string(info.param.name); });

TEST_F(DrawingDraw, TheSweepMovesWithTheTextFromWhereItWasMeasured) {
    auto drawing = load(single(sweepingText(true), R"("x": 10, "y": 5)"));
    drawLayer(*drawing, 0);
    ASSERT_EQ(writer.measuredStyles.size(), 1u);
    EXPECT_EQ(writer.measuredStyles[0].x, int(10 * Sx));
    EXPECT_EQ(writer.measuredStyles[0].y, int(20 * Sy));
    const FakeTextWriter::Call& call = writer.calls[0];
    EXPECT_FLOAT_EQ(call.sweep.sweepX, 100.0f + float(call.style.x - int(10 * Sx)));
    EXPECT_FLOAT_EQ(call.sweep.sweepY, 70.0f + float(call.style.y - int(20 * Sy)));
}

TEST_F(DrawingDraw, ATriggerStartsASweepWhoseEndRunsTheNextTrigger) {
    auto drawing = load(single(R"("lines": [{ "points": [{ "steps": [{ "event": "SCAN" }] }] }],
                                  "texts": [{ "x": 10, "y": 20, "text": "ZELMO", "sweep_speed": 4, "sweep_rate": 2 }])",
                               R"("triggers": [{ "event": "SCAN", "scope": "on" },
                                               { "event": "SCOPEDONE", "scope": "off", "object_on": "DRAWDONE" }])"));
    drawLayer(*drawing, 0);
    EXPECT_FALSE(writer.calls.back().swept);
    drawing->update(16.0f);
    int frames = 0;
    while (!drawing->done() && frames < 100) {
        drawLayer(*drawing, 0);
        EXPECT_TRUE(writer.calls.back().swept);
        drawing->update(16.0f);
        ++frames;
    }
    EXPECT_EQ(frames, 13) << "a whole sweep from the text's top";
    EXPECT_EQ(writer.measures, 2) << "measured again when the sweep started";
    drawLayer(*drawing, 0);
    EXPECT_FALSE(writer.calls.back().swept) << "switched off";
}

TEST_F(DrawingDraw, TwoTextsEndingTheirSweepsInOneFrameBothSendTheirEvent) {
    auto drawing = load(single(R"("texts": [
        { "text": "A", "sweep": true, "sweep_speed": 1, "sweep_rate": 1 },
        { "text": "B", "sweep": true, "sweep_speed": 1, "sweep_rate": 1 }])",
                               R"("triggers": [{ "event": "SCOPEDONE", "object_on": "DRAWDONE" }])"));
    for (int frame = 0; frame < 3 && !drawing->done(); ++frame) {
        drawLayer(*drawing, 0);
        drawing->update(16.0f);
    }
    EXPECT_TRUE(drawing->done());
}

TEST_F(DrawingDraw, RunningOutOfBuffersForAPolygonStops) {
    EXPECT_EXIT(
        {
            start(2 * sizeof(PosColorVertex), 1024);
            remakeDisplay(1, Width, Height, 0);
            auto drawing = load(single(R"("polygons": [{ "colour": 4294967295, "points": [
                { "x": 0, "y": 0 }, { "x": 10, "y": 0 }, { "x": 10, "y": 10 }] }])"));
            drawLayer(*drawing, 0);
        },
        ::testing::ExitedWithCode(1), "EEK! Ran out of buffers");
}
