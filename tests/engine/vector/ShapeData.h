#pragma once

// Small shape and font data written for one test, and a library loaded from them.

#include <gtest/gtest.h>

#include <string>

#include "engine/vector/GameVectors.h"
#include "tests/engine/util/TempFolder.h"

// A font of two glyphs: 'A' a 10 x 14 box (spacing 2, glyph size 10, line step 16) with a green
// fill, and 'I' a bar 2 wide with no fill of its own colour.
inline const std::string TwoGlyphFont = R"({
  "sets": [{ "shapes": [
    { "id": 1065, "graphic": {
        "outline": [{ "points": [-5, -7, 5, -7, 5, 7, -5, 7, -5, -7] }],
        "fill": [{ "colour": 4278255360, "points": [-5, -7, 5, -7, 5, 7, -5, 7, -5, -7] }],
        "collision_box": { "x": 0, "y": 0, "w": 10, "h": 14, "centred": true } } },
    { "id": 1073, "graphic": {
        "outline": [{ "points": [0, -7, 0, 7] }, { "points": [-1, -7, 1, -7] }],
        "collision_box": { "x": 0, "y": 0, "w": 2, "h": 14, "centred": true } } }
  ] }],
  "glyphs": [{ "code": 65, "shape": 1065 }, { "code": 73, "shape": 1073 }]
})";

inline const std::string OneEmptySet = R"({ "sets": [{}] })";

// A shape whose outline is one polyline through the points, with extra graphic fields.
inline std::string shape(int id, const std::string& points, const std::string& graphicExtra = "",
                         const std::string& shapeExtra = "") {
    return R"({ "id": )" + std::to_string(id) + shapeExtra + R"(, "graphic": { "outline": [{ "points": [)" + points +
           "] }]" + graphicExtra + " } }";
}

// Writes both files into the folder and loads them against the real schema.
inline bool loadData(GameVectors& library, const TempFolder& folder, const std::string& shapes,
                     const std::string& font = TwoGlyphFont, const std::vector<uint32_t>& turningShapes = {}) {
    return library.init("data", folder.write("shapes.json", shapes), folder.write("font.json", font), turningShapes);
}

class ShapeDataTest : public ::testing::Test {
protected:
    bool load(const std::string& shapes, const std::string& font = TwoGlyphFont) {
        return loadData(library, folder, shapes, font);
    }

    // Loads shape data whose set 0 holds the given shape definitions (JSON objects).
    void loadShapes(const std::string& set0) { ASSERT_TRUE(load(R"({ "sets": [{ "shapes": [)" + set0 + "] }] }")); }

    TempFolder folder;
    GameVectors library;
};
