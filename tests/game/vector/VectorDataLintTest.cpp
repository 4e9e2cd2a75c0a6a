// The shipped shape data and vector font: they load, hold the shapes the screens and the
// framework draw, and have a glyph for every character the menus write.
#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "data/VectorGraphics_generated.h"
#include "engine/vector/GameVectors.h"
#include "game/vector/AnimId.h"
#include "game/vector/ShapeLibrary.h"
#include "tests/game/config/ShippedConfig.h"

namespace {

// The shapes of the help pages, the game-over picture and the in-game status icons.
const uint32_t ShapesDrawnByScreens[] = {1, 4, 8, 16, 19, 20, 21, 23, 24, 26, 28, 75, 78, 118, 121, 122, 123, 124, 128};

// The shapes the running game gives its own entities (the level's nodes, lift, player, prisoners
// and armour): each also flashes to its set-1 look, and those shown on the minimap have a set-2
// marker. And the animations the game starts them with.
const uint32_t ShapesOfTheWorld[] = {22, 23, 24, 25, 121, 127};
// Map terminals show on the minimap as shape 0, robots by their drawing.
const uint32_t MinimapShapes[] = {0, 1, 4, 8, 16, 22, 23, 24, 25, 121};
const uint32_t AnimationsOfTheWorld[] = {AnimIds::MAP_NODE_N, AnimIds::MAP_NODE_S,    AnimIds::MAP_NODE_E,
                                         AnimIds::MAP_NODE_W, AnimIds::LIFT_NODE,     AnimIds::KROMB_DN,
                                         AnimIds::KROMB_LF,   AnimIds::KROMB_CHAINED, AnimIds::BOSS_NODE};

const char* const MenuFiles[] = {"data/INPUT-METHOD-PICK.json", "data/PICK-SWITCH-OR-HEAD.json",
                                 "data/PICK-SWITCH.json"};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// The labels of an input configuration as written on screen: escapes resolved, the leading
// alignment codes ("$<", "$^" ...) and the bracketed placeholders (filled in with key names)
// removed.
std::vector<std::string> labelsOf(const std::string& json) {
    std::vector<std::string> labels;
    const std::string key = "\"label\"";
    for (size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        at = json.find('"', json.find(':', at + key.size())) + 1;
        std::string text;
        for (; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] == '\\' && at + 1 < json.size()) {
                ++at;
                text += json[at] == 'n' ? '\n' : json[at];
            } else {
                text += json[at];
            }
        }
        while (text.size() >= 2 && text[0] == '$') {
            text = text.substr(2);
        }
        for (size_t open = text.find('['); open != std::string::npos; open = text.find('[', open)) {
            const size_t close = text.find(']', open);
            const bool placeholder =
                close != std::string::npos && text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_", open + 1) == close;
            text.erase(open, placeholder ? close - open + 1 : 0);
            open += placeholder ? 0 : 1;
        }
        if (text != "*FILLAREA*") {
            labels.push_back(text);
        }
    }
    return labels;
}

class ShippedVectorData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Zelmo::loadShapeLibrary(library, polygons, "data", "data/shapes", "data/vectorfont"))
            << "data/shapes or data/vectorfont";
    }
    GameVectors library;
    Zelmo::ShapePolygons polygons;
};

}  // namespace

TEST_F(ShippedVectorData, HoldsTheShapesTheScreensDraw) {
    EXPECT_GE(library.setCount(), 3) << "data/shapes: set 2 holds the minimap's drawings";
    for (uint32_t id : ShapesDrawnByScreens) {
        const Vector::ShapeDef* shape = library.shapeTable(id, 0);
        ASSERT_NE(shape, nullptr) << "data/shapes: set 0 has no shape " << id;
        EXPECT_GT(library.bbox(id, 1.0f).w, 0) << "data/shapes: shape " << id << " draws nothing";
        EXPECT_FALSE(polygons.polygons(id).empty()) << "data/shapes: shape " << id << " has nothing to fill";
    }
}

TEST_F(ShippedVectorData, HoldsTheShapesAndAnimationsOfTheGamesOwnEntities) {
    for (uint32_t id : ShapesOfTheWorld) {
        for (int set : {0, 1}) {
            EXPECT_NE(library.shapeTable(id, set), nullptr) << "data/shapes: set " << set << " has no shape " << id;
        }
        EXPECT_FALSE(polygons.polygons(id).empty()) << "data/shapes: shape " << id << " has no pieces to shatter into";
    }
    for (uint32_t id : MinimapShapes) {
        const Vector::ShapeDef* marker = library.shapeTable(id, 2);
        EXPECT_TRUE(marker && marker->graphic() && marker->graphic()->outline() && marker->graphic()->outline()->size())
            << "data/shapes: set 2 has no minimap marker " << id << " with outlines";
    }
    for (uint32_t id : AnimationsOfTheWorld) {
        const Vector::AnimationDef* animation = library.animation(id);
        EXPECT_TRUE(animation && animation->frames() && animation->frames()->size() > 0)
            << "data/shapes: no frames for animation " << animIdName(id);
    }
}

// A terminal is read by a player facing it: its angle is that facing, the wall toward row y - 1
// (north) read facing 180.
TEST_F(ShippedVectorData, MapTerminalsTurnToTheFacingThatReadsThem) {
    const std::pair<uint32_t, int> terminals[] = {
        {AnimIds::MAP_NODE_N, 180}, {AnimIds::MAP_NODE_S, 0}, {AnimIds::MAP_NODE_E, 90}, {AnimIds::MAP_NODE_W, 270}};
    for (const auto& [id, angle] : terminals) {
        const Vector::AnimationDef* animation = library.animation(id);
        ASSERT_TRUE(animation && animation->frames() && animation->frames()->size() > 0) << animIdName(id);
        for (const Vector::AnimationFrame* frame : *animation->frames()) {
            EXPECT_EQ(int(frame->angle()), angle) << "data/shapes: animation " << animIdName(id);
        }
    }
}

TEST_F(ShippedVectorData, AnimationsShowShapesThatExist) {
    for (uint32_t id = 0; id < AnimIds::NamedCount; ++id) {
        const Vector::AnimationDef* animation = library.animation(id);
        if (animation == nullptr || animation->frames() == nullptr) {
            continue;
        }
        for (const Vector::AnimationFrame* frame : *animation->frames()) {
            EXPECT_TRUE(frame->shape() == -1 || library.shapeTable(uint32_t(frame->shape()), 0) != nullptr)
                << "data/shapes: animation " << animIdName(id) << " shows missing shape " << frame->shape();
        }
    }
}

TEST_F(ShippedVectorData, TheFontWritesCapitalsDigitsAndTheMenusTexts) {
    std::string needed = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,:;!?-+='\"%/()[]<>_*#";
    for (const char* file : MenuFiles) {
        for (const std::string& label : labelsOf(readFile(file))) {
            needed += label;
        }
    }
    for (char c : needed) {
        if (c == ' ' || c == '\n') {
            continue;
        }
        const GameVectors::Glyph* glyph = library.glyph(c);
        ASSERT_NE(glyph, nullptr) << "data/vectorfont: no glyph for '" << c << "'";
        EXPECT_NE(library.shapeTable(glyph->shape, 0), nullptr)
            << "data/vectorfont: the glyph for '" << c << "' has no shape";
        EXPECT_NEAR(glyph->x + glyph->w / 2.0f, 0.0f, 1e-4f)
            << "data/vectorfont: the glyph for '" << c << "' is not centred on its origin";
    }
}

// Where a glyph's strokes and their fills reach, in font units around its origin.
struct FontInk {
    float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
};

FontInk inkOf(const GameVectors& library, const GameVectors::Glyph& glyph) {
    FontInk ink;
    const Vector::VectorGraphic* graphic = library.shapeTable(glyph.shape, 0)->graphic();
    for (const auto* polylines : {graphic->outline(), graphic->fill()}) {
        if (polylines == nullptr) continue;
        for (const Vector::Polyline* polyline : *polylines) {
            if (polyline->points()->size() < 4) continue;  // a lone point draws nothing
            for (flatbuffers::uoffset_t i = 0; i + 1 < polyline->points()->size(); i += 2) {
                const float x = polyline->points()->Get(i), y = polyline->points()->Get(i + 1);
                ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.bottom, y), std::max(ink.top, y)};
            }
        }
    }
    return ink;
}

// The layout leaves only a fifth of the width of 'A' between glyph boxes and between lines; the
// strokes with their fills must keep at least a stroke's width of it clear, or neighbours and
// stacked lines touch on screen ("LEVEL" over its number).
TEST_F(ShippedVectorData, CapitalsAndDigitsKeepTheLayoutsGapClearOfInk) {
    const GameVectors::FontMetrics& metrics = library.fontMetrics();
    float leftOverhang = -1e9f, rightOverhang = -1e9f, top = -1e9f, bottom = 1e9f;
    for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
        const GameVectors::Glyph* glyph = library.glyph(c);
        ASSERT_NE(glyph, nullptr) << c;
        const FontInk ink = inkOf(library, *glyph);
        // How far the ink reaches past the glyph's box, which the layout places glyphs by.
        leftOverhang = std::max(leftOverhang, glyph->x - ink.left);
        rightOverhang = std::max(rightOverhang, ink.right - (glyph->x + glyph->w));
        top = std::max(top, ink.top);
        bottom = std::min(bottom, ink.bottom);
    }
    ASSERT_NE(library.glyph('-'), nullptr);
    const FontInk dash = inkOf(library, *library.glyph('-'));  // one level stroke: its height is a stroke's width
    const float strokeWidth = dash.top - dash.bottom;
    const float clearBetweenGlyphs = float(metrics.spacing) - rightOverhang - leftOverhang;
    const float clearBetweenLines = float(metrics.lineStep) - (top - bottom);
    EXPECT_GE(clearBetweenGlyphs, strokeWidth) << "data/vectorfont: neighbouring glyphs crowd";
    EXPECT_GE(clearBetweenLines, strokeWidth) << "data/vectorfont: stacked lines crowd";
}

class ShippedConfiguration : public ShippedConfig {};

TEST_F(ShippedConfiguration, NamesTheShapeDataAndFontTheLibraryLoads) {
    EXPECT_TRUE(Zelmo::initShapeLibrary()) << "data/config: game.shape_data or game.vector_font";
    EXPECT_NE(GameVectors::instance().glyph('A'), nullptr);
}
