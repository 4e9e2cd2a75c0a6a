// Every frame each robot kind of the shipped robot data can show, drawn at the kind's scale as a
// player sees it at the default zoom (a carrier with the box it holds), in its own look and its
// flash look, and below the shape a kind shows first its minimap marker, read back from OpenGL.
// With ZELMO_PICTURES set to a folder, the contact sheet is written there as a PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/GameVectors.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/AnimId.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/ShippedRobotKinds.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kKindCell = 72;
constexpr int kKindRows = 3;  // own look, flash look, minimap marker
constexpr float kMarkerScale = 3.0f;
constexpr int kKindClearView = 1;
constexpr int kKindFirstView = 10;

// One column of the sheet: a frame of a kind's drawings at the kind's scale.
struct SheetColumn {
    uint32_t type;
    uint32_t shape;
    float scale;
    bool first;      // the shape the kind shows first: its minimap marker is drawn below it
    uint32_t cargo;  // the shape of the power-up box a carrier holds on its centre, or 0
};

constexpr uint32_t kCarrierKind = 4;

uint32_t firstShapeOf(uint32_t animation) {
    const Vector::AnimationDef* def = GameVectors::instance().animation(animation);
    return def && def->frames() && def->frames()->size() > 0 ? uint32_t(def->frames()->Get(0)->shape()) : 0;
}

std::vector<SheetColumn> sheetColumns() {
    std::vector<SheetColumn> columns;
    const WorldTest::ShippedRobotKinds kinds;
    for (const Zelmo::RobotDef* kind : kinds.all()) {
        const std::vector<uint32_t> shapes = WorldTest::frameShapesOf(*kind);
        EXPECT_FALSE(shapes.empty()) << "robot type " << kind->type() << ": drawing " << kind->animation()
                                     << " has no frames";
        const uint32_t cargo = kind->type() == kCarrierKind ? firstShapeOf(AnimIds::POWUP_BOX) : 0;
        for (size_t i = 0; i < shapes.size(); ++i) {
            columns.push_back({kind->type(), shapes[i], kind->scale(), i == 0, cargo});
        }
    }
    return columns;
}

class RobotKindsGl : public GlTest {};

TEST_F(RobotKindsGl, EveryFrameLightsItsCellInEachLookAndNoTwoKindsLookAlike) {
    if (IsSkipped()) return;
    WorldTest::WorldHarness harness;  // loads the shipped shapes
    const std::vector<SheetColumn> kinds = sheetColumns();
    ASSERT_GE(kinds.size(), 17u);
    const int width = kKindCell * int(kinds.size());
    const int height = kKindCell * kKindRows;
    const gfx::FrameBufferHandle target = makeReadBackTarget(kKindClearView, width, height);
    VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
    display.init(1, width, height, kKindFirstView, 0);
    display.setBrightness(0);
    const gfx::ProgramHandle fill = Game::loadShaderProgram("vtx-color", "vtx-color");
    const GameVectors& library = GameVectors::instance();

    display.beginFrame();
    for (size_t i = 0; i < kinds.size(); ++i) {
        const float x = float(kKindCell) * (float(i) + 0.5f);
        for (int set = 0; set < kKindRows; ++set) {
            // Set 0 in the top row of the picture, the minimap markers at the bottom.
            const float y = float(kKindCell) * (float(kKindRows - set) - 0.5f);
            const float scale = set == 2 ? kMarkerScale : kinds[i].scale;
            if (set == 2 && !kinds[i].first) continue;
            // The minimap fills its markers itself, reading their fill colours its own way.
            if (set != 2) {
                library.drawShapeFilled(gfx::ViewId(kKindFirstView), fill, set, kinds[i].shape, x, y, 1.0f,
                                        Util::Colour{}, scale, 0.0f, &display);
            }
            library.drawShape(display, set, kinds[i].shape, x, y, 1.0f, scale, 0, 0.0f);
            if (set != 2 && kinds[i].cargo != 0) {
                library.drawShapeFilled(gfx::ViewId(kKindFirstView), fill, set, kinds[i].cargo, x, y, 1.0f,
                                        Util::Colour{}, 1.0f, 0.0f, &display);
                library.drawShape(display, set, kinds[i].cargo, x, y, 1.0f, 1.0f, 0, 0.0f);
            }
        }
    }
    const int next = display.endFrame(true);
    gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target);
    gfx::touch(kKindClearView);
    gfx::frame();
    const std::vector<uint8_t> picture = readBack(target, width, height);
    keepPicture("robot-kinds-contact-sheet.png", picture, width, height);
    gfx::destroy(fill);

    // Read-back rows run bottom-up: row 0 holds the markers, the last row the own looks.
    auto mask = [&](size_t column, int row) {
        std::vector<bool> lit;
        for (int y = row * kKindCell; y < (row + 1) * kKindCell; ++y) {
            for (int x = int(column) * kKindCell; x < int(column + 1) * kKindCell; ++x) {
                const uint8_t* p = &picture[(size_t(y) * size_t(width) + size_t(x)) * 4];
                lit.push_back(std::max({p[0], p[1], p[2]}) > 80);
            }
        }
        return lit;
    };
    const char* kLooks[kKindRows] = {"minimap marker", "flash look", "own look"};
    std::vector<std::vector<bool>> looks;
    std::vector<uint32_t> lookTypes;
    for (size_t i = 0; i < kinds.size(); ++i) {
        for (int row = kinds[i].first ? 0 : 1; row < kKindRows; ++row) {
            const std::vector<bool> cell = mask(i, row);
            EXPECT_GT(std::count(cell.begin(), cell.end(), true), 40)
                << "robot type " << kinds[i].type << " shape " << kinds[i].shape << ": " << kLooks[row];
            if (row == kKindRows - 1 && kinds[i].first) {
                looks.push_back(cell);
                lookTypes.push_back(kinds[i].type);
            }
        }
    }
    // A silhouette is the set of lit pixels; two kinds share one when nearly all coincide.
    for (size_t a = 0; a < looks.size(); ++a) {
        for (size_t b = a + 1; b < looks.size(); ++b) {
            size_t both = 0, either = 0;
            for (size_t p = 0; p < looks[a].size(); ++p) {
                both += looks[a][p] && looks[b][p];
                either += looks[a][p] || looks[b][p];
            }
            EXPECT_LT(double(both), 0.8 * double(either))
                << "robot types " << lookTypes[a] << " and " << lookTypes[b] << " look alike";
        }
    }
}

}  // namespace
