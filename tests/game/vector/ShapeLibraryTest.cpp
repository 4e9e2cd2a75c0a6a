// The game's use of the shape library: the polygons built from its shapes and the lift's box.
#include <gmock/gmock.h>

#include <cstring>

#include "game/vector/AnimId.h"
#include "game/vector/ShapeLibrary.h"
#include "tests/engine/vector/ShapeData.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Shape data loaded as the game loads it, with the polygons built from it.
class GameShapeDataTest : public ::testing::Test {
protected:
    bool load(const std::string& shapes) {
        return Zelmo::loadShapeLibrary(library, pieces, "data", folder.write("shapes.json", shapes),
                                       folder.write("font.json", TwoGlyphFont));
    }

    // Loads shape data whose set 0 holds the given shape definitions (JSON objects).
    void loadShapes(const std::string& set0) { ASSERT_TRUE(load(R"({ "sets": [{ "shapes": [)" + set0 + "] }] }")); }

    const std::vector<Zelmo::PolyComp>& polygons(uint32_t id) const { return pieces.polygons(id); }

    TempFolder folder;
    GameVectors library;
    Zelmo::ShapePolygons pieces;
};

}  // namespace

TEST_F(GameShapeDataTest, PolygonsAreTheFillsOrTheOutlinesOrTheNamedPolylines) {
    loadShapes(R"(
        { "id": 1, "graphic": { "outline": [{ "thickness": 2, "colour": 305419896, "points": [0, 0, 4, 0, 4, 4] }] } },
        { "id": 2, "graphic": { "outline": [{ "points": [0, 0, 9, 9] }],
                                "fill": [{ "colour": 7, "points": [1, 1, 2, 1, 2, 2] }, { "points": [5, 5, 6, 5, 6, 6] }] } },
        { "id": 3, "graphic": { "outline": [{ "colour": 1, "points": [0, 0, 1, 0, 1, 1] },
                                            { "colour": 2, "thickness": 3, "points": [5, 5, 6, 5, 6, 6] },
                                            { "points": [8, 8, 9, 8, 9, 9] }] },
          "polygons": [{ "polylines": [1, 2] }, { "polylines": [0] }] })");
    const auto& one = polygons(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].thickness, 2.0f);
    EXPECT_THAT(one[0].pointLists, ElementsAre(ElementsAre(0, 0, 4, 0, 4, 4)));
    // The stored 0x12345678 as four bytes, most significant first.
    uint8_t bytes[4];
    std::memcpy(bytes, &one[0].colour, 4);
    EXPECT_THAT(bytes, ElementsAre(0x12, 0x34, 0x56, 0x78));
    EXPECT_TRUE(one[0].filled);
    EXPECT_EQ(one[0].passCount, 1);

    const auto& two = polygons(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_THAT(two[1].pointLists, ElementsAre(ElementsAre(5, 5, 6, 5, 6, 6)));

    const auto& three = polygons(3);
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0].thickness, 3.0f) << "styled by its first polyline";
    EXPECT_THAT(three[0].pointLists, ElementsAre(ElementsAre(5, 5, 6, 5, 6, 6), ElementsAre(8, 8, 9, 8, 9, 9)));
    EXPECT_THAT(three[1].pointLists, ElementsAre(ElementsAre(0, 0, 1, 0, 1, 1)));
    EXPECT_THAT(polygons(4), IsEmpty());
    EXPECT_THAT(polygons(1065), IsEmpty()) << "the font's glyphs do not break into pieces";
}

TEST_F(GameShapeDataTest, AShapeInSeveralSetsBreaksIntoOneSetOfPieces) {
    ASSERT_TRUE(load(R"({ "sets": [{ "shapes": [)" + shape(8, "0, 0, 1, 0, 1, 1") + "] }, { \"shapes\": [" +
                     shape(8, "0, 0, 5, 0, 5, 5") + "] }, { \"shapes\": [" + shape(8, "0, 0, 7, 0, 7, 7") + "] }] }"));
    ASSERT_EQ(polygons(8).size(), 1u);
    EXPECT_THAT(polygons(8)[0].pointLists, ElementsAre(ElementsAre(0, 0, 1, 0, 1, 1))) << "set 0's shape";
}

TEST_F(GameShapeDataTest, TheLiftNodeDrawsInASquareBoxButCollidesWithItsOwn) {
    loadShapes(shape(AnimId::LIFT_NODE, "-3, -1, 5, 2") + "," + shape(AnimId::MAP_NODE_W, "-3, -1, 5, 2"));
    EXPECT_EQ(library.bbox(AnimId::LIFT_NODE, 1.0f), (IntBox{-5, -5, 10, 10}));
    EXPECT_EQ(library.cbox(AnimId::LIFT_NODE, 1.0f), (IntBox{-3, -1, 8, 3}));
    EXPECT_EQ(library.bbox(AnimId::MAP_NODE_W, 1.0f), (IntBox{-3, -1, 8, 3})) << "only the lift is squared";
}

TEST_F(GameShapeDataTest, AnAnimationMustFollowOnToAnAnimationThatExists) {
    const std::string shapes = R"({ "sets": [{ "shapes": [)" + shape(25, "0, 0, 1, 0, 1, 1") + "] }], ";
    auto animations = [&](uint32_t standNext) {
        return shapes + R"("animations": [{ "id": 25, "next": 25, "frames": [{ "shape": 25, "duration": 100 }] },
                                          { "id": 29, "next": )" +
               std::to_string(standNext) + R"(, "frames": [{ "shape": 25, "duration": 100 }] }] })";
    };
    EXPECT_TRUE(load(animations(25)));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load(animations(26)));
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("animation KROMB_DN_RUN follows on to KROMB_LF"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load(animations(0))) << "a follow-on of none is refused too";
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::HasSubstr("KROMB_DN_RUN follows on to NONE"));
}
