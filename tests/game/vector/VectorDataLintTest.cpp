// The shipped shape data and vector font: they load, hold every shape that a help page, the
// game's code or an animation names, and have a glyph for every character the menus write.
// Faults are reported with the file and the field that names the missing shape.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "data/VectorGraphics_generated.h"
#include "engine/vector/GameVectors.h"
#include "game/screens/HelpLogicView.h"
#include "game/vector/AnimId.h"
#include "game/vector/ShapeIds.h"
#include "game/vector/ShapeLibrary.h"
#include "tests/engine/vector/ShapeData.h"
#include "tests/game/config/ShippedConfig.h"

namespace {

constexpr const char* kShapeDataFile = "data/shapes.json";

// The shapes the running game gives its own entities (the level's nodes, lift, player, prisoners
// and armour): each also flashes to its set-1 look, and those shown on the minimap have a set-2
// marker. And the animations the game starts them with.
const uint32_t ShapesOfTheWorld[] = {ShapeIds::kBossNode, ShapeIds::kMapNode,  ShapeIds::kLift,
                                     ShapeIds::kPlayer,   ShapeIds::kPrisoner, ShapeIds::kArmour};
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

// A shape of set 0 that something names, and where: the file and the field.
struct ShapeReference {
    std::string where;
    int shape;
};

// Every shape of set 0 named outside the shape data's sets: the help pages' figures, the shapes
// the code draws or makes entities of, and the frames of every animation in the shape data.
std::vector<ShapeReference> namedShapes(const GameVectors& library) {
    std::vector<ShapeReference> named;
    const auto& pages = Zelmo::HelpLogicView::pageShapes();
    for (size_t page = 0; page < pages.size(); ++page) {
        for (size_t i = 0; i < pages[page].size(); ++i) {
            named.push_back({"game/screens/HelpLogicView.cpp: pageShapes()[" + std::to_string(page) + "][" +
                                 std::to_string(i) + "] (help page " + std::to_string(page + 1) + ", figure " +
                                 std::to_string(i + 1) + ")",
                             pages[page][i].shape});
        }
    }
    for (const ShapeIds::NamedShape& code : ShapeIds::kNamedByCode) named.push_back({code.where, code.shape});
    const Vector::VectorGraphicsRoot* root = library.shapeData();
    const auto* animations = root ? root->animations() : nullptr;
    for (flatbuffers::uoffset_t i = 0; animations && i < animations->size(); ++i) {
        const Vector::AnimationDef* animation = animations->Get(i);
        const char* name = animIdName(animation->id());
        const std::string field = std::string(kShapeDataFile) + ": animations[" + std::to_string(i) + "] (" +
                                  (name ? name : "id " + std::to_string(animation->id())) + ")";
        for (flatbuffers::uoffset_t f = 0; animation->frames() && f < animation->frames()->size(); ++f) {
            const int shape = animation->frames()->Get(f)->shape();
            if (shape != -1) named.push_back({field + ".frames[" + std::to_string(f) + "].shape", shape});
        }
    }
    return named;
}

// One failure for each named shape that set 0 does not hold or that draws nothing.
void expectNamedShapesHeld(const GameVectors& library, const Zelmo::ShapePolygons& polygons) {
    for (const ShapeReference& named : namedShapes(library)) {
        const auto id = uint32_t(named.shape);
        if (named.shape < 0 || library.shapeTable(id, 0) == nullptr) {
            ADD_FAILURE() << named.where << " names shape " << named.shape << ", which " << kShapeDataFile
                          << " does not hold in set 0";
            continue;
        }
        EXPECT_GT(library.bbox(id, 1.0f).w, 0) << named.where << ": shape " << named.shape << " draws nothing";
        EXPECT_FALSE(polygons.polygons(id).empty())
            << named.where << ": shape " << named.shape << " has nothing to fill";
    }
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

TEST_F(ShippedVectorData, HoldsEveryShapeThatAHelpPageTheCodeOrAnAnimationNames) {
    EXPECT_GE(library.setCount(), 3) << "data/shapes: set 2 holds the minimap's drawings";
    expectNamedShapesHeld(library, polygons);
}

// Shape data that holds only the player and one animation, which names a shape it lacks: each
// help page figure, each shape the code names but the player, and the animation's frame fail,
// each naming its file and field.
TEST(NamedShapesLint, NamesTheFileAndFieldOfEachMissingShape) {
    TempFolder folder;
    GameVectors library;
    const std::string data = R"({ "sets": [{ "shapes": [)" + shape(ShapeIds::kPlayer, "-5, -5, 5, -5, 5, 5, -5, -5") +
                             R"(] }], "animations": [{ "id": 26, "next": 26, "frames": [{ "shape": 25, "duration": 1 },
                             { "shape": -1 }, { "shape": 777, "duration": 1 }] }] })";
    ASSERT_TRUE(loadData(library, folder, data));
    Zelmo::ShapePolygons polygons;
    polygons.build(library);
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        expectNamedShapesHeld(library, polygons);
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i) messages.push_back(results.GetTestPartResult(i).message());
    using ::testing::Contains;
    using ::testing::HasSubstr;
    EXPECT_THAT(messages, Contains(HasSubstr("game/screens/HelpLogicView.cpp: pageShapes()[4][0] (help page 5, "
                                             "figure 1) names shape 0, which data/shapes.json does not hold")));
    EXPECT_THAT(messages, Contains(HasSubstr("game/world/LevelEntities.cpp: the lift names shape 24")));
    EXPECT_THAT(messages, Contains(HasSubstr("game/world/systems/PlayerInputSys.cpp: the shield held up names "
                                             "shape 119")));
    EXPECT_THAT(messages, Contains(HasSubstr("data/shapes.json: animations[0] (KROMB_LF).frames[2].shape names "
                                             "shape 777")));
    size_t helpFigures = 0;
    for (const auto& page : Zelmo::HelpLogicView::pageShapes()) helpFigures += page.size();
    const size_t codeShapes = std::size(ShapeIds::kNamedByCode) - 1;  // all but the player
    EXPECT_EQ(messages.size(), helpFigures + codeShapes + 1);
    for (const std::string& message : messages) EXPECT_THAT(message, ::testing::Not(HasSubstr("the player names")));
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
