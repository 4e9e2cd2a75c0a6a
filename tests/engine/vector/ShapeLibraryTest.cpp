// Loading the shape library from small data files: boxes, probes, grid shift, replacement,
// glyphs, font metrics, and the data it refuses.
#include <gmock/gmock.h>

#include "ShapeData.h"
#include "data/VectorGraphics_generated.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

void PrintTo(const IntBox& box, std::ostream* out) {
    *out << "{" << box.x << ", " << box.y << ", " << box.w << ", " << box.h << "}";
}

TEST(ShapeGeometry, GridShiftIsTheExponentOfTheNextPowerOfTwo) {
    struct Case {
        float extent;
        int shift;
    };
    for (Case c : {Case{0, 0}, Case{1, 0}, Case{1.9f, 0}, Case{2, 1}, Case{8, 3}, Case{9, 4}, Case{100, 7},
                   Case{128, 7}, Case{128.5f, 7}, Case{129, 8}}) {
        EXPECT_EQ(gridShiftFor(c.extent), c.shift) << "extent " << c.extent;
    }
}

TEST(ShapeGeometry, BoxesScaleAndRoundHalvesToEven) {
    EXPECT_EQ(scaleBox(FloatBox{3, 5, 7, 9}, 0.5f), (IntBox{2, 2, 4, 4}));
    EXPECT_EQ(scaleBox(FloatBox{-3, -5, 7.2f, 9.8f}, 1.0f), (IntBox{-3, -5, 7, 10}));
}

TEST(ShapeGeometry, ProbesRunEveryEightUnitsShortOfTheFarEnd) {
    const FloatBox box{-10, -5, 20, 10};
    std::vector<float> side[4];
    for (int s = 0; s < 4; ++s) {
        makeEdgeProbes(s, box, side[s]);
    }
    EXPECT_THAT(side[0], ElementsAre(-10, 5, -2, 5, 6, 5));
    EXPECT_THAT(side[1], ElementsAre(-10, -5, -2, -5, 6, -5));
    EXPECT_THAT(side[2], ElementsAre(-10, -5, -10, 3));
    EXPECT_THAT(side[3], ElementsAre(10, -5, 10, 3));
    std::vector<float> none;
    makeEdgeProbes(0, FloatBox{0, 0, 0, 4}, none);
    EXPECT_THAT(none, IsEmpty());
}

TEST(ShapeGeometry, BoundsOfNoPointsAreEmpty) {
    const FloatBox empty = pointListBounds({});
    EXPECT_EQ(empty.w, 0.0f);
    EXPECT_EQ(empty.x, 0.0f);
    const FloatBox box = pointListBounds({1, 2, -3, 4, 5, -6});
    EXPECT_EQ(box.x, -3.0f);
    EXPECT_EQ(box.y, -6.0f);
    EXPECT_EQ(box.w, 8.0f);
    EXPECT_EQ(box.h, 10.0f);
}

TEST_F(ShapeDataTest, ATurningShapeDrawsInASquareBoxButCollidesWithItsOwn) {
    const std::string shapes = R"({ "sets": [{ "shapes": [)" + shape(23, "-3, -1, 5, 2") + "," +
                               shape(22, "-3, -1, 5, 2") + "] }] }";
    ASSERT_TRUE(loadData(library, folder, shapes, TwoGlyphFont, {23}));
    EXPECT_EQ(library.bbox(23, 1.0f), (IntBox{-5, -5, 10, 10}));
    EXPECT_EQ(library.cbox(23, 1.0f), (IntBox{-3, -1, 8, 3}));
    EXPECT_EQ(library.hbox(23, 1.0f), (IntBox{-3, -1, 8, 3}));
    EXPECT_EQ(library.bbox(22, 1.0f), (IntBox{-3, -1, 8, 3})) << "only the turning shape is squared";
}

TEST_F(ShapeDataTest, BoxesFromTheDataReplaceTheBoundsCentredOrNot) {
    loadShapes(shape(5, "0, 0, 40, 30",
                     R"(, "collision_box": { "x": 20, "y": 15, "w": 20, "h": 10, "centred": true },
                          "hit_box": { "x": 2, "y": 4, "w": 6, "h": 8, "centred": false })"));
    EXPECT_EQ(library.bbox(5, 1.0f), (IntBox{0, 0, 40, 30}));
    EXPECT_EQ(library.cbox(5, 1.0f), (IntBox{10, 10, 20, 10}));
    EXPECT_EQ(library.hbox(5, 0.5f), (IntBox{1, 2, 3, 4}));
    // Probes follow the collision box.
    EXPECT_THAT(library.probes(5, 1), ElementsAre(10, 10, 18, 10, 26, 10));
    EXPECT_THAT(library.probes(5, 2), ElementsAre(10, 10, 10, 18));
}

TEST_F(ShapeDataTest, GivenProbeSidesAreKeptAndMissingOnesMade) {
    loadShapes(shape(6, "0, 0, 16, 8", R"(, "probes": { "up": [1, 2, 3, 4], "right": [] })"));
    EXPECT_THAT(library.probes(6, 0), ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(library.probes(6, 1), ElementsAre(0, 0, 8, 0));
    EXPECT_THAT(library.probes(6, 3), IsEmpty()) << "an empty list given is an empty list";
    EXPECT_THAT(library.probes(7, 0), IsEmpty()) << "unknown id";
    EXPECT_EQ(library.bbox(7, 1.0f), IntBox{}) << "unknown id";
}

TEST_F(ShapeDataTest, GridShiftComesFromTheLargestShapeUnlessGiven) {
    struct Case {
        std::string root;
        int shift;
    };
    const std::string sets = R"("sets": [{ "shapes": [)" + shape(1, "0, 0, 100, 20") + "," + shape(2, "0, 0, 10, 129") +
                             "] }, { \"shapes\": [" + shape(3, "0, 0, 300, 1") + "] }]";
    for (const Case& c : {Case{"{" + sets + "}", 9}, Case{R"({ "grid_shift": 5, )" + sets + "}", 5},
                          Case{R"({ "sets": [{ "shapes": [)" + shape(1, "0, 0, 128, 0") + "] }] }", 7}}) {
        ASSERT_TRUE(load(c.root));
        EXPECT_EQ(library.gridShift(), c.shift) << c.root;
    }
}

TEST_F(ShapeDataTest, LaterEntriesReplaceEarlierOnes) {
    const std::string shapes = R"({ "sets": [{ "shapes": [)" + shape(9, "0, 0, 1, 1") + "," + shape(9, "0, 0, 2, 2") +
                               "," + shape(1065, "0, 0, 3, 3") + R"(] }],
        "animations": [{ "id": 4, "next": 1 }, { "id": 4, "next": 2 }] })";
    const std::string font = R"({ "sets": [{ "shapes": [
        { "id": 1065, "graphic": { "outline": [{ "points": [0, 0, 10, 14] }], "collision_box": { "x": 0, "y": 0, "w": 10, "h": 14, "centred": false } } }
      ] }],
      "glyphs": [{ "code": 65, "shape": 7 }, { "code": 65, "shape": 1065 }] })";
    ASSERT_TRUE(load(shapes, font));
    EXPECT_EQ(library.bbox(9, 1.0f), (IntBox{0, 0, 2, 2}));
    ASSERT_NE(library.animation(4), nullptr);
    EXPECT_EQ(library.animation(4)->next(), 2u);
    EXPECT_EQ(library.animation(5), nullptr);
    EXPECT_EQ(library.bbox(1065, 1.0f), (IntBox{0, 0, 10, 14})) << "the font's shape replaces the shape data's";
    ASSERT_NE(library.glyph('A'), nullptr);
    EXPECT_EQ(library.glyph('A')->shape, 1065u);
    EXPECT_EQ(library.glyph('A')->w, 10.0f);
}

TEST_F(ShapeDataTest, ShapesAreLookedUpPerSet) {
    ASSERT_TRUE(load(R"({ "sets": [{ "shapes": [)" + shape(1, "0, 0, 1, 1") + "] }, {}, { \"shapes\": [" +
                     shape(2, "0, 0, 1, 1", "", R"(, "colour": 255, "scale": 2)") + "] }] }"));
    EXPECT_EQ(library.setCount(), 3);
    EXPECT_NE(library.shapeTable(1, 0), nullptr);
    EXPECT_EQ(library.shapeTable(1, 1), nullptr);
    EXPECT_EQ(library.shapeTable(2, 0), nullptr);
    ASSERT_NE(library.shapeTable(2, 2), nullptr);
    EXPECT_EQ(library.shapeTable(2, 2)->colour(), 255u);
    EXPECT_EQ(library.shapeTable(2, 2)->scale(), 2.0f);
    EXPECT_EQ(library.shapeTable(1, 0)->scale(), 1.0f);
    EXPECT_EQ(library.shapeTable(1, 3), nullptr);
    EXPECT_EQ(library.shapeTable(1, -1), nullptr);
}

TEST_F(ShapeDataTest, GlyphsCarryTheirShapesBoundsAndTheFontMetricsComeFromA) {
    ASSERT_TRUE(load(OneEmptySet));
    const GameVectors::Glyph* a = library.glyph('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->shape, 1065u);
    EXPECT_EQ(a->x, -5.0f);
    EXPECT_EQ(a->y, -7.0f);
    EXPECT_EQ(a->w, 10.0f);
    EXPECT_EQ(a->h, 14.0f);
    EXPECT_EQ(library.fontMetrics().spacing, 2);
    EXPECT_EQ(library.fontMetrics().glyphSize, 10);
    EXPECT_EQ(library.fontMetrics().lineStep, 16);
    EXPECT_EQ(library.glyph('a'), nullptr);
    EXPECT_EQ(library.glyph('\n'), nullptr);
    EXPECT_EQ(library.glyph(char(-61)), nullptr);
}

TEST_F(ShapeDataTest, GlyphsOfCodesOutsideACharAndOfMissingShapes) {
    const std::string font = R"({ "sets": [{ "shapes": [
        { "id": 1065, "graphic": { "outline": [{ "points": [0, 0, 10, 14] }], "collision_box": { "x": 0, "y": 0, "w": 10, "h": 14, "centred": false } } }
      ] }],
      "glyphs": [{ "code": 65, "shape": 1065 }, { "code": -61, "shape": 1065 }, { "code": 300, "shape": 1065 },
                 { "code": 66, "shape": 4242 }] })";
    ASSERT_TRUE(load(OneEmptySet, font));
    ASSERT_NE(library.glyph(char(-61)), nullptr) << "a char widens with its sign";
    const GameVectors::Glyph* b = library.glyph('B');
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->w, 0.0f) << "a glyph of a missing shape has an empty box";
}

TEST_F(ShapeDataTest, UnusableDataIsRefusedWithItsFileAndFault) {
    struct Case {
        std::string name;
        std::string shapes;
        std::string font;
        std::string file;
        std::string fault;
    };
    const std::string set0 = R"({ "sets": [{ "shapes": [)";
    const Case cases[] = {
        {"no graphic", set0 + R"({ "id": 3 }] }] })", TwoGlyphFont, "shapes.json", "shape 3 has no graphic"},
        {"empty polyline", set0 + R"({ "id": 4, "graphic": { "outline": [{ "points": [] }] } }] }] })", TwoGlyphFont,
         "shapes.json", "shape 4 has a polyline without whole x, y points"},
        {"polyline without points", set0 + R"({ "id": 4, "graphic": { "outline": [{}] } }] }] })", TwoGlyphFont,
         "shapes.json", "shape 4 has a polyline without"},
        {"odd coordinates", set0 + R"({ "id": 4, "graphic": { "fill": [{ "points": [1, 2, 3] }] } }] }] })",
         TwoGlyphFont, "shapes.json", "shape 4 has a polyline without"},
        {"polygon beyond the outline", set0 + R"({ "id": 5, "graphic": { "outline": [{ "points": [0, 0, 1, 1] }] },
            "polygons": [{ "polylines": [1] }] }] }] })",
         TwoGlyphFont, "shapes.json", "shape 5 has a polygon naming outline polyline 1 of 1"},
        {"empty polygon", set0 + R"({ "id": 5, "graphic": { "outline": [{ "points": [0, 0, 1, 1] }] },
            "polygons": [{}] }] }] })",
         TwoGlyphFont, "shapes.json", "shape 5 has a polygon without polylines"},
        {"not JSON of the schema", R"({ "sets": 3 })", TwoGlyphFont, "shapes.json", ""},
        {"font without A", OneEmptySet, R"({ "sets": [], "glyphs": [{ "code": 66, "shape": 1 }] })", "font.json",
         "no glyph for 'A'"},
        {"font with more sets", OneEmptySet, R"({ "sets": [{}, {}], "glyphs": [{ "code": 65, "shape": 1 }] })",
         "font.json", "holds 2 shape sets, the shape data only 1"},
        {"glyph without collision box", OneEmptySet,
         R"({ "sets": [{ "shapes": [{ "id": 1, "graphic": { "outline": [{ "points": [0, 0, 1, 1] }] } }] }],
                          "glyphs": [{ "code": 65, "shape": 1 }] })",
         "font.json", "shape 1 has no collision box"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(load(c.shapes, c.font)) << c.name;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_THAT(said, HasSubstr(folder.path(c.file) + ": ")) << c.name;
        EXPECT_THAT(said, HasSubstr(c.fault)) << c.name;
    }
}

TEST_F(ShapeDataTest, AnEmptyGraphicHasAnEmptyBox) {
    loadShapes(R"({ "id": 12, "graphic": {} })");
    EXPECT_EQ(library.bbox(12, 1.0f), IntBox{});
    EXPECT_EQ(library.gridShift(), 0);
    EXPECT_THAT(library.probes(12, 0), IsEmpty());
}
