// The triangles endDraw makes of a polyline: joints, caps, widths and vertex contents.
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DisplayFixture.h"

namespace {

// A cap's tip: the one vertex beyond the line's end, past the edge of the line texture.
bool isTip(const PosTexCoordColorVertex& v) { return v.v > 1.0f; }

int tipCount(const std::vector<PosTexCoordColorVertex>& vertices) {
    return int(std::count_if(vertices.begin(), vertices.end(), isTip));
}

bool sameBytes(const std::vector<PosTexCoordColorVertex>& a, const std::vector<PosTexCoordColorVertex>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(PosTexCoordColorVertex)) == 0;
}

struct ShapeCase {
    const char* name;
    std::initializer_list<std::pair<float, float>> points;
    size_t vertices;
    int tips;  // one tip per cap
};

void PrintTo(const ShapeCase& shape, std::ostream* os) { *os << shape.name; }

// Triangles at the fixture's half width of 3: a right-angle joint fan has 3 (its chords stay
// within a quarter pixel of the arc), a segment body 2, a cap 1.
const ShapeCase shapeCases[] = {
    {"closed square: four joints, no caps", {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, 3 * 4 * (3 + 2), 0},
    {"open square: two joints, two caps", {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, 3 * (2 * 3 + 3 * 2 + 2), 2},
    {"two points: body and caps", {{0, 0}, {100, 0}}, 3 * (2 + 2), 2},
    {"right angle keeps its joint", {{0, 0}, {100, 0}, {100, 100}}, 3 * (3 + 2 * 2 + 2), 2},
    {"sharper turn breaks into capped segments", {{0, 0}, {100, 0}, {0, 10}}, 3 * (2 * 2 + 4), 4},
    {"a turn too slight to show gets no fan", {{0, 0}, {100, 0}, {200, 1}}, 3 * (2 * 2 + 2), 2},
    {"two points closer than 0.1 close on themselves", {{5, 5}, {5.05f, 5.05f}}, 3 * 2, 0},
    {"one point draws nothing", {{5, 5}}, 0, 0},
};

}  // namespace

class ShapeTest : public RecordedDisplay, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapeTest, GetsItsJointsAndCaps) {
    const ShapeCase& shape = GetParam();
    std::vector<PosTexCoordColorVertex> vertices = polyline(shape.points);
    EXPECT_EQ(vertices.size(), shape.vertices);
    EXPECT_EQ(tipCount(vertices), shape.tips);
}

INSTANTIATE_TEST_SUITE_P(Polylines, ShapeTest, ::testing::ValuesIn(shapeCases),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) {
                             std::string name = info.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

TEST_F(RecordedDisplay, AOnePointPolylineLeavesNoPendingPointBehind) {
    display->beginFrame();
    display->beginDraw(50, 50, false);
    display->endDraw();
    display->beginDraw(0, 0, false);
    display->drawTo(100, 0);
    display->endDraw();
    EXPECT_EQ(display->frameVertices().size(), SegmentVertices);  // one segment with two caps, not two
}

TEST_F(RecordedDisplay, ABodyRunsAcrossTheLineTextureWithTheDrawColour) {
    display->setDrawColor(0x80402010u);
    std::vector<PosTexCoordColorVertex> v = polyline({{0, 50}, {100, 50}});
    ASSERT_EQ(v.size(), SegmentVertices);
    // right0, right1, left1: the right side at u 64, the left at u 0, both on the texture's middle row.
    EXPECT_FLOAT_EQ(v[0].x, 0.0f);
    EXPECT_FLOAT_EQ(v[0].y, 53.0f);
    EXPECT_FLOAT_EQ(v[0].u, 1.0f);
    EXPECT_FLOAT_EQ(v[1].x, 100.0f);
    EXPECT_FLOAT_EQ(v[1].y, 53.0f);
    EXPECT_FLOAT_EQ(v[2].x, 100.0f);
    EXPECT_FLOAT_EQ(v[2].y, 47.0f);
    EXPECT_FLOAT_EQ(v[2].u, 0.0f);
    for (const PosTexCoordColorVertex& vertex : v) {
        EXPECT_EQ(vertex.abgr, 0x80402010u);
        EXPECT_EQ(vertex.z, 0.0f);
        EXPECT_TRUE(vertex.v == 0.5f || isTip(vertex));
    }
    // Each cap is one triangle around the half disc beyond its end: its base along the end's
    // edge and its tip both reach sqrt(2) half widths out, across and beyond the line texture.
    auto [left, right] = std::minmax_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.x < b.x; });
    EXPECT_NEAR(left->x, -3.0f * std::sqrt(2.0f), 1e-4f);
    EXPECT_NEAR(right->x, 100.0f + 3.0f * std::sqrt(2.0f), 1e-4f);
    EXPECT_NEAR(left->u, 0.5f, 1e-6f);
    EXPECT_NEAR(left->v, 0.5f + std::sqrt(2.0f) / 2.0f, 1e-6f);
    auto [low, high] = std::minmax_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.u < b.u; });
    EXPECT_NEAR(low->u, 0.5f - std::sqrt(2.0f) / 2.0f, 1e-6f);
    EXPECT_NEAR(high->u, 0.5f + std::sqrt(2.0f) / 2.0f, 1e-6f);
}

TEST_F(RecordedDisplay, FlipMirrorsYOverTheDisplayHeight) {
    std::vector<PosTexCoordColorVertex> plain = polyline({{0, 50}, {100, 50}}, false);
    std::vector<PosTexCoordColorVertex> flipped = polyline({{0, 50}, {100, 50}}, true);
    ASSERT_EQ(plain.size(), flipped.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_FLOAT_EQ(flipped[i].y, Height - plain[i].y);
        EXPECT_FLOAT_EQ(flipped[i].x, plain[i].x);
    }
}

TEST_F(RecordedDisplay, HalfWidthIsHalfTheScaledThicknessButAtLeastThree) {
    struct Case {
        float thickness;
        float scale;
        float halfWidth;
    };
    for (Case c : {Case{6, 1, 3}, Case{2, 1, 3}, Case{20, 1, 10}, Case{20, 0.5f, 5}, Case{12, 2, 12}}) {
        display->setThickness(c.thickness);
        display->setThicknessScale(c.scale);
        std::vector<PosTexCoordColorVertex> v = polyline({{0, 50}, {100, 50}});
        v.erase(std::remove_if(v.begin(), v.end(), [](auto& vertex) { return !inBody(vertex); }), v.end());
        auto [low, high] = std::minmax_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.y < b.y; });
        EXPECT_FLOAT_EQ(high->y - 50.0f, c.halfWidth) << c.thickness << " x " << c.scale;
        EXPECT_FLOAT_EQ(50.0f - low->y, c.halfWidth) << c.thickness << " x " << c.scale;
    }
    display->setThickness(7.5f);
    EXPECT_FLOAT_EQ(display->getThickness(), 7.5f);
}

TEST_F(RecordedDisplay, ShortSegmentsAtAJointNarrowTheInnerSideInsteadOfOverrunning) {
    // Legs of 2 units cannot be pulled in by a 3-unit corner: the first leg's end is cut back
    // by half its length and its inner (+y) side narrows from 3 to 1 to fit.
    std::vector<PosTexCoordColorVertex> v = polyline({{0, 0}, {2, 0}, {2, 2}});
    ASSERT_EQ(v.size(), 3u * (2 + 2 * 2 + 2));
    const PosTexCoordColorVertex& innerEnd = v[1];  // right1 of the first body
    EXPECT_FLOAT_EQ(innerEnd.x, 1.0f);
    EXPECT_FLOAT_EQ(innerEnd.y, 1.0f);
    EXPECT_FLOAT_EQ(innerEnd.u, (32.0f + 32.0f / 3.0f) / 64.0f);
    const PosTexCoordColorVertex& outerEnd = v[2];  // left1 keeps the full width
    EXPECT_FLOAT_EQ(outerEnd.y, -3.0f);
}

TEST_F(RecordedDisplay, JointFansStepFinerOnWiderLines) {
    // Three steps for a right angle at a half width of 3 (a fan's radius of 6); from a half width
    // of about 8 on, the sixteen steps a turn that the fans never go below: four.
    for (auto [thickness, fanTriangles] : {std::pair{6.0f, 3u}, std::pair{24.0f, 4u}}) {
        display->setThickness(thickness);
        std::vector<PosTexCoordColorVertex> v = polyline({{0, 0}, {100, 0}, {100, 100}});
        EXPECT_EQ(v.size(), 3u * (fanTriangles + 2 * 2 + 2)) << "thickness " << thickness;
    }
}

TEST_F(RecordedDisplay, ABoxIsOneClosedPolylineDownOrUpFromItsCorner) {
    for (bool flip : {false, true}) {
        float down = flip ? -40.0f : 40.0f;
        std::vector<PosTexCoordColorVertex> expected =
            polyline({{10, 20}, {40, 20}, {40, 20 + down}, {10, 20 + down}, {10, 20}}, flip);
        display->beginFrame();
        display->drawBox(10, 20, 30, 40, flip);
        EXPECT_TRUE(sameBytes(display->frameVertices(), expected)) << "flip " << flip;
        EXPECT_EQ(tipCount(expected), 0);
    }
}

TEST_F(RecordedDisplay, FloatColoursAreClampedBytes) {
    display->setDrawColor(1.0f, 0.5f, 0.0f, 1.0f);
    EXPECT_EQ(display->getDrawColor(), 0xff007fffu);
    display->setDrawColor(2.0f, -1.0f, 0.25f, 1.5f);
    EXPECT_EQ(display->getDrawColor(), 0xff3f00ffu);
}

TEST_F(RecordedDisplay, AFrameIsCutAtTheVertexBudgetInWholeTriangles) {
    remakeDisplay(1, Width, Height, 30);
    display->beginFrame();
    display->drawBox(10, 10, 100, 100, false);
    EXPECT_EQ(display->frameVertices().size(), 30u);
    display->drawBox(10, 10, 100, 100, false);
    EXPECT_EQ(display->frameVertices().size(), 30u);
    EXPECT_EQ(display->endFrame(true), FirstView + 6);
}

TEST(VectorDisplayBudget, OverrunningTheBudgetWarnsOncePerRun) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto overrun = [] {
        gfx::Init init;
        init.backend = gfx::Backend::Recording;
        gfx::init(init);
        {
            VectorDisplay display(true, 0.0f);
            display.init(1, 64, 64, 1, 10);
            VectorDisplay other(true, 0.0f);
            other.init(1, 64, 64, 20, 10);
            for (VectorDisplay* d : {&display, &display, &other}) {
                d->beginFrame();
                d->drawBox(0, 0, 10, 10, false);
                d->endFrame(true);
            }
        }
        gfx::shutdown();
        std::exit(0);
    };
    EXPECT_EXIT(overrun(), ::testing::ExitedWithCode(0),
                "^VectorDisplay: a frame needs more than its budget of 10 vertices; the rest of the frame is not "
                "drawn\n$");
}
