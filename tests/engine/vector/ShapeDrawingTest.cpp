// Drawing shapes on the recording renderer: outlines compared with the polylines they stand for,
// fills as recorded strips, and the sweep reveal segment by segment.
#include <gmock/gmock.h>

#include <functional>

#include "DisplayFixture.h"
#include "ShapeData.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

constexpr uint32_t Red = 0xff0000ff;  // packed ABGR
constexpr uint32_t Green = 0xff00ff00;
constexpr gfx::ViewId FillView = 9;

const std::string Shapes = R"({ "sets": [{ "shapes": [
    { "id": 1, "graphic": { "outline": [{ "points": [0, 0, 10, 0] }] } },
    { "id": 2, "colour": 287454020, "scale": 3, "graphic": { "outline": [
        { "points": [0, 0, 10, 0] },
        { "colour": 2864434397, "thickness": 2, "points": [0, 5, 10, 5] }] } },
    { "id": 3, "graphic": {
        "outline": [{ "points": [0, 0, 4, 0, 4, 4, 0, 4, 0, 0] }],
        "fill": [{ "colour": 2164195328, "points": [0, 0, 4, 0, 4, 4, 0, 4, 0, 0] },
                 { "points": [10, 0, 11, 0, 11, 1] },
                 { "colour": 1, "points": [0, 0, 2, 0, 3, 1, 2, 2, 0, 2] }] } },
    { "id": 60, "graphic": { "outline": [{ "points": [0, -10, 0, 10] }],
                             "collision_box": { "x": 0, "y": 0, "w": 4, "h": 20, "centred": true } } },
    { "id": 61, "graphic": { "outline": [{ "points": [-10, 0, 10, 0] }],
                             "collision_box": { "x": 0, "y": 0, "w": 4, "h": 20, "centred": true } } },
    { "id": 62, "graphic": { "outline": [{ "points": [10, 10, -10, -10] }],
                             "collision_box": { "x": 0, "y": 0, "w": 4, "h": 20, "centred": true } } }
  ] }] })";

struct Point {
    float x, y;
};

class ShapeDrawing : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        ASSERT_TRUE(loadData(library, folder, Shapes));
        program = gfx::createProgram("vs", "fs", "fills");
    }

    // The frame vertices the drawing calls make.
    std::vector<PosTexCoordColorVertex> frameOf(const std::function<void()>& draw) {
        display->beginFrame();
        draw();
        return display->frameVertices();
    }

    // The vertices of the straight lines given, each drawn as its own flipped polyline.
    struct Line {
        Point from;
        Point to;
        uint32_t colour;
    };
    std::vector<PosTexCoordColorVertex> linesOf(std::initializer_list<Line> lines, float thickness = 6.0f) {
        return frameOf([&] {
            const float entry = display->getThickness();
            display->setThickness(thickness);
            for (const Line& l : lines) {
                display->setDrawColor(l.colour);
                display->beginDraw(l.from.x, l.from.y, true);
                display->drawTo(l.to.x, l.to.y);
                display->endDraw();
            }
            display->setThickness(entry);
        });
    }

    static void expectSameVertices(const std::vector<PosTexCoordColorVertex>& actual,
                                   const std::vector<PosTexCoordColorVertex>& expected, const std::string& what) {
        ASSERT_EQ(actual.size(), expected.size()) << what;
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3f) << what << " vertex " << i;
            EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3f) << what << " vertex " << i;
            EXPECT_EQ(actual[i].abgr, expected[i].abgr) << what << " vertex " << i;
        }
    }

    // The fills recorded on the fill view after the frame ran.
    std::vector<const gfx::Draw*> fills() {
        gfx::frame();
        return drawsOf(FillView);
    }

    std::vector<Point> positions(const gfx::Draw& draw) {
        std::vector<Point> points;
        for (const PosColorVertex& v : recording().vertices<PosColorVertex>(draw)) {
            points.push_back({v.x, v.y});
        }
        return points;
    }

    TempFolder folder;
    GameVectors library;
    gfx::ProgramHandle program;
};

MATCHER_P2(At, x, y, "") { return std::abs(arg.x - x) < 1e-4f && std::abs(arg.y - y) < 1e-4f; }

}  // namespace

TEST_F(ShapeDrawing, AnOutlineIsScaledTurnedClockwiseAndMoved) {
    const auto drawn = frameOf([&] { library.drawShape(*display, 0, 1, 100, 50, 1.0f, 2.0f, Red, 90.0f); });
    expectSameVertices(drawn, linesOf({{{100, 50}, {100, 30}, Red}}), "shape 1 at 90 degrees");
}

TEST_F(ShapeDrawing, ColourAndScaleZeroMeanTheShapesOwn) {
    // The shape's 0x11223344 and the second polyline's 0xaabbccdd are 0xRRGGBBAA.
    const auto own = frameOf([&] { library.drawShape(*display, 0, 2, 10, 20, 1.0f, 0.0f, 0, 0.0f); });
    const auto first = linesOf({{{10, 20}, {40, 20}, 0x44332211}});
    ASSERT_GT(own.size(), first.size());
    expectSameVertices({own.begin(), own.begin() + long(first.size())}, first, "first polyline");
    EXPECT_EQ(own.back().abgr, 0xddccbbaau) << "a polyline's own colour";

    const auto given = frameOf([&] { library.drawShape(*display, 0, 2, 10, 20, 1.0f, 1.0f, Green, 0.0f); });
    EXPECT_EQ(given.front().abgr, Green);
    EXPECT_EQ(given.back().abgr, 0xddccbbaau) << "kept whatever colour is passed";
}

TEST_F(ShapeDrawing, ThicknessMultipliesAndComesBack) {
    display->setThickness(6.0f);
    const auto drawn = frameOf([&] { library.drawShape(*display, 0, 2, 0, 0, 1.5f, 1.0f, Red, 0.0f); });
    EXPECT_EQ(display->getThickness(), 6.0f);
    // The second polyline: thickness 2 x display 6 x argument 1.5.
    const auto second = linesOf({{{0, 0}, {10, 0}, Red}}, 9.0f);
    const auto thick = linesOf({{{0, 5}, {10, 5}, 0xddccbbaa}}, 18.0f);
    std::vector<PosTexCoordColorVertex> expected = second;
    expected.insert(expected.end(), thick.begin(), thick.end());
    expectSameVertices(drawn, expected, "both polylines");
}

TEST_F(ShapeDrawing, MissingShapesDrawNothing) {
    EXPECT_TRUE(frameOf([&] { library.drawShape(*display, 0, 99, 0, 0, 1, 1, Red, 0); }).empty());
    EXPECT_TRUE(frameOf([&] { library.drawShape(*display, 1, 1, 0, 0, 1, 1, Red, 0); }).empty());
    const Util::Colour colour{0xff, 0, 0, 0xff};
    library.drawShapeFilled(FillView, program, 0, 99, 0, 0, 0, colour, 1, 0);
    EXPECT_TRUE(fills().empty());
}

TEST_F(ShapeDrawing, APolylineIsDrawnInTheCallersColour) {
    const std::vector<float> points{0, 0, 0, 10};
    display->setThickness(4.0f);
    const auto drawn = frameOf([&] { library.drawPolyline(*display, points, 5, 5, 2.0f, 3.0f, Green, 0.0f); });
    expectSameVertices(drawn, linesOf({{{5, 5}, {5, 35}, Green}}, 8.0f), "polyline");
    EXPECT_EQ(display->getThickness(), 4.0f);
}

TEST_F(ShapeDrawing, FillsAreZigZagStripsInTheirOwnColours) {
    const Util::Colour own{};
    library.drawShapeFilled(FillView, program, 0, 3, 100, 200, -1.0f, own, 2.0f, 0.0f);
    const auto draws = fills();
    // The second fill has no colour and is skipped.
    ASSERT_EQ(draws.size(), 2u);
    const gfx::Draw& square = *draws[0];
    EXPECT_EQ(square.program, program);
    EXPECT_EQ(square.state, gfx::DrawState()
                                .with(gfx::Primitive::TriangleStrip)
                                .blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha));
    EXPECT_THAT(positions(square), ElementsAre(At(100, 200), At(108, 200), At(108, 208), At(100, 208)))
        << "the closing point is dropped";
    EXPECT_THAT(recording().indices(square), ElementsAre(0, 1, 3, 2));
    const auto vertices = recording().vertices<PosColorVertex>(square);
    EXPECT_EQ(vertices[0].abgr, 0x80ff0000u) << "the data's colour unchanged";
    EXPECT_EQ(vertices[0].z, -1.0f);
    EXPECT_THAT(recording().indices(*draws[1]), ElementsAre(0, 1, 4, 2, 3));
}

TEST_F(ShapeDrawing, AGivenFillColourOverridesThePolylinesOwn) {
    const Util::Colour given{0x33, 0x22, 0x11, 0xff};
    library.drawShapeFilled(FillView, program, 0, 3, 0, 0, 0, given, 1.0f, 0.0f);
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 3u) << "the given colour fills every polyline";
    for (const gfx::Draw* draw : draws) {
        EXPECT_EQ(recording().vertices<PosColorVertex>(*draw)[0].abgr, 0xff112233u);
    }
}

TEST_F(ShapeDrawing, FillsTurnAsOutlinesDoAndMirrorOnADisplaysView) {
    const Util::Colour own{};
    library.drawShapeFilled(FillView, program, 0, 3, 100, 50, 0, own, 1.0f, 90.0f);
    library.drawShapeFilled(FillView, program, 0, 3, 100, 50, 0, own, 1.0f, 0.0f, display.get());
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_THAT(positions(*draws[0]), ElementsAre(At(100, 50), At(100, 46), At(104, 46), At(104, 50)));
    EXPECT_THAT(positions(*draws[2]),
                ElementsAre(At(100, Height - 50), At(104, Height - 50), At(104, Height - 54), At(100, Height - 54)));
}

TEST_F(ShapeDrawing, APolygonFillsInItsGivenColour) {
    const Util::Colour stored{0x00, 0x00, 0xff, 0x80};  // 2164195328 packed
    library.drawPolygon(FillView, program, {0, 0, 4, 0, 4, 4, 0, 4, 0, 0}, 0, 0, 0, 1.0f, stored, 0.0f);
    library.drawPolygon(FillView, program, {0, 0, 1, 1}, 0, 0, 0, 1.0f, stored, 0.0f);
    const auto draws = fills();
    ASSERT_EQ(draws.size(), 1u) << "two points fill nothing";
    EXPECT_EQ(recording().vertices<PosColorVertex>(*draws[0])[0].abgr, 2164195328u);
}

TEST_F(ShapeDrawing, RunningOutOfBuffersWhileFillingStops) {
    const Util::Colour own{};
    EXPECT_EXIT(
        {
            start(3 * sizeof(PosColorVertex), 1024);  // room for three of the square's four vertices
            library.drawShapeFilled(FillView, gfx::createProgram("vs", "fs", "fills"), 0, 3, 0, 0, 0, own, 1.0f, 0.0f);
        },
        ::testing::ExitedWithCode(1), "EEK! Ran out of buffers");
}

TEST_F(ShapeDrawing, TheSweepRevealsEachSegmentUpToItsLine) {
    // Shapes at (100, 100): 60 vertical from y 90 to 110, 61 level from x 90 to 110, 62 diagonal;
    // all 4 wide, so beams start only between x 98 and 102.
    const Point end{300, 300};
    struct Case {
        std::string name;
        uint32_t id;
        bool upper;
        float sweepX;
        float sweepY;
        std::vector<Line> expected;
    };
    const Case cases[] = {
        {"vertical above the line", 60, true, 0, 50, {{{100, 90}, {100, 110}, Red}}},
        {"vertical below the line", 60, true, 0, 150, {}},
        {"vertical across, upper part", 60, true, 0, 95, {{{100, 110}, {100, 95}, Red}, {{100, 95}, end, Green}}},
        {"vertical across, lower part", 60, false, 0, 95, {{{100, 90}, {100, 95}, Red}, {{100, 95}, end, Green}}},
        {"vertical under a lower sweep", 60, false, 0, 150, {{{100, 90}, {100, 110}, Red}}},
        {"vertical over a lower sweep", 60, false, 0, 50, {}},
        {"level, swept past", 61, true, 120, 100, {{{90, 100}, {110, 100}, Red}}},
        {"level, not reached", 61, true, 80, 100, {}},
        {"level, half way", 61, true, 95, 100, {{{90, 100}, {95, 100}, Red}, {{95, 100}, end, Green}}},
        {"diagonal crossing off the centre", 62, true, 0, 105, {{{110, 110}, {105, 105}, Red}}},
        {"diagonal crossing at the centre",
         62,
         true,
         0,
         100,
         {{{110, 110}, {100, 100}, Red}, {{100, 100}, end, Green}}},
        {"diagonal, lower part", 62, false, 0, 100, {{{90, 90}, {100, 100}, Red}, {{100, 100}, end, Green}}},
    };
    for (const Case& c : cases) {
        ScopeSweep sweep;
        sweep.sweepX = c.sweepX;
        sweep.sweepY = c.sweepY;
        sweep.beamEndX = end.x;
        sweep.beamEndY = end.y;
        sweep.beamColour = Green;
        sweep.upperSide = c.upper;
        const auto drawn = frameOf([&] { library.drawShapeClipped(sweep, *display, c.id, 100, 100, 1.0f, 1.0f, Red); });
        EXPECT_EQ(display->getDrawColor(), Red) << c.name << ": the colour is back after a beam";
        std::vector<PosTexCoordColorVertex> expected = frameOf([] {});
        for (const Line& l : c.expected) {
            const auto one = linesOf({l});
            expected.insert(expected.end(), one.begin(), one.end());
        }
        expectSameVertices(drawn, expected, c.name);
    }
}
