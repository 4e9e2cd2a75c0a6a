// Every kind of entity the game's factories make, drawn through the vector display in its own
// look (shape set 0) and in the look it flashes to (set 1), read back from OpenGL. With
// ZELMO_PICTURES set to a folder, the contact sheet is written there as a PNG.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/GameVectors.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/AnimId.h"
#include "game/vector/DrawVectorText.h"
#include "game/world/DisplayComps.h"
#include "game/world/PlayerComps.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using Zelmo::GameLogic;

constexpr int kCell = 100;
constexpr int kRows = 2;  // set 0, set 1
constexpr int kClearView = 1;
constexpr int kFirstView = 10;
constexpr float kScale = 2.0f;

struct ShapeMaker {
    const char* name;
    std::function<ecs::Entity(GameLogic&)> make;
};

// Far from the level's other entities, so a factory's pieces are told apart by position.
const std::vector<ShapeMaker>& kinds() {
    static const std::vector<ShapeMaker> s_kinds = {
        {"boss node", [](GameLogic& g) { return g.createBossNode(0, 0); }},
        {"map node", [](GameLogic& g) { return g.createMapNode(0, 0, AnimIds::MAP_NODE_N); }},
        {"lift", [](GameLogic& g) { return g.createLift(); }},
        {"player", [](GameLogic& g) { return g.player(); }},
        {"prisoner", [](GameLogic& g) { return g.createPrisoner(1, 1); }},
        {"armour", [](GameLogic& g) { return g.player().get<Zelmo::PlayerComp>().armour; }},
        {"door piece", [](GameLogic& g) { return g.createDoorPiece(0, 0, 0, 0); }},
        {"shattered piece", [](GameLogic& g) { return g.shatter(25, 0, 0, 1000, 0, 0, 1.0f, true)[1]; }},
        {"lightning", [](GameLogic& g) { return g.createLightning(1, 2, 1, 0, 0, 20, 35, false); }},
        {"text", [](GameLogic& g) { return g.createText(0, 0, "ZX", 0xff00ff00, false, 1, 0, false, false); }},
    };
    return s_kinds;
}

class ContactSheetGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        harness = std::make_unique<WorldTest::WorldHarness>();
        harness->startLevel(2);
        width = kCell * int(kinds().size());
        target = makeReadBackTarget(kClearView, width, kHeight);
        display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        display->init(1, width, kHeight, kFirstView, 0);
        display->setBrightness(0);
        fillProgram = Game::loadShaderProgram("vtx-color", "vtx-color");
    }

    void TearDown() override {
        display.reset();
        if (fillProgram.valid()) gfx::destroy(fillProgram);
        harness.reset();
        GlTest::TearDown();
    }

    void draw(const ecs::Entity& entity, int set, float x, float y) {
        const GameVectors& shapes = GameVectors::instance();
        if (entity.has<Zelmo::TextComp>()) {
            Zelmo::DrawVectorText writer;
            Vector::VectorTextStyle style;
            style.x = int(x) - 12;
            style.y = int(y);
            style.scale = kScale * 2.0f;
            style.thickness = 2.0f;
            style.colour = entity.get<Zelmo::VectorComp>().colour;
            Vector::TextRect rect;
            writer.draw(rect, display.get(), style, entity.get<Zelmo::TextComp>().text, nullptr, fillProgram);
        } else if (entity.has<Zelmo::VectorComp>()) {
            const Zelmo::VectorComp& vector = entity.get<Zelmo::VectorComp>();
            const auto shape = uint32_t(vector.shape);
            const float scale = kScale * (vector.shape == 127 ? 0.5f : 1.0f);
            shapes.drawShapeFilled(gfx::ViewId(kFirstView), fillProgram, set, shape, x, y, 1.0f, Util::Colour{}, scale,
                                   0.0f, display.get());
            shapes.drawShape(*display, set, shape, x, y, 1.0f, scale, 0, 0.0f);
        } else {
            // Polygons are drawn about the middle of their box, fitted into the cell; filled ones
            // are closed outlines.
            const Zelmo::PolyComp& poly = entity.get<Zelmo::PolyComp>();
            const Zelmo::BBoxComp& box = entity.get<Zelmo::BBoxComp>();
            const float fit = 0.8f * float(kCell) / float(std::max({box.w, box.h, 1}));
            const float scale = std::min(kScale * poly.scale, fit);
            const float middleX = x - (float(box.x) + float(box.w) * 0.5f) * scale;
            const float middleY = y - (float(box.y) + float(box.h) * 0.5f) * scale;
            for (std::vector<float> points : poly.pointLists) {
                if (poly.filled) points.insert(points.end(), {points[0], points[1]});
                shapes.drawPolyline(*display, points, middleX, middleY, 2.0f, scale, poly.colour | 0xff000000u,
                                    poly.angle);
            }
        }
    }

    // Lit pixels of one cell, as a mask.
    std::vector<bool> cellMask(const std::vector<uint8_t>& rgba, int column, int row) const {
        std::vector<bool> mask;
        for (int y = row * kCell; y < (row + 1) * kCell; ++y) {
            for (int x = column * kCell; x < (column + 1) * kCell; ++x) {
                const uint8_t* p = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
                mask.push_back(std::max({p[0], p[1], p[2]}) > 80);
            }
        }
        return mask;
    }

    static constexpr int kHeight = kCell * kRows;
    std::unique_ptr<WorldTest::WorldHarness> harness;
    int width = 0;
    gfx::FrameBufferHandle target;
    std::unique_ptr<VectorDisplay> display;
    gfx::ProgramHandle fillProgram;
};

TEST_F(ContactSheetGl, EveryKindLightsItsCellInBothLooksAndNoTwoKindsLookAlike) {
    GameLogic& logic = harness->logic();
    std::vector<bool> flashes;
    display->beginFrame();
    for (size_t i = 0; i < kinds().size(); ++i) {
        const ecs::Entity entity = kinds()[i].make(logic);
        const bool shaped = entity.has<Zelmo::VectorComp>() && !entity.has<Zelmo::TextComp>();
        flashes.push_back(shaped);
        const float x = float(kCell) * (float(i) + 0.5f);
        // Row 0 (the top of the picture) holds the own looks, row 1 the flash looks.
        draw(entity, 0, x, float(kCell) * 1.5f);
        if (shaped) draw(entity, 1, x, float(kCell) * 0.5f);
    }
    const int next = display->endFrame(true);
    gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target);
    gfx::touch(kClearView);
    gfx::frame();
    const std::vector<uint8_t> picture = readBack(target, width, kHeight);
    keepPicture("factories-contact-sheet.png", picture, width, kHeight);

    std::vector<std::vector<bool>> looks;
    for (size_t i = 0; i < kinds().size(); ++i) {
        for (int row = 0; row < kRows; ++row) {
            // Read-back rows run bottom-up: the own looks are in the upper row.
            const bool own = row == 1;
            if (!own && !flashes[i]) continue;
            const std::vector<bool> mask = cellMask(picture, int(i), row);
            const auto lit = std::count(mask.begin(), mask.end(), true);
            EXPECT_GT(lit, 40) << kinds()[i].name << (own ? "" : ", flashing") << " lights too little";
            if (own) looks.push_back(mask);
        }
    }
    // A silhouette is the set of lit pixels; two kinds share one when nearly all their lit pixels coincide.
    for (size_t a = 0; a < looks.size(); ++a) {
        for (size_t b = a + 1; b < looks.size(); ++b) {
            size_t both = 0, either = 0;
            for (size_t p = 0; p < looks[a].size(); ++p) {
                both += looks[a][p] && looks[b][p];
                either += looks[a][p] || looks[b][p];
            }
            EXPECT_LT(double(both), 0.8 * double(either)) << kinds()[a].name << " and " << kinds()[b].name;
        }
    }
}

}  // namespace
