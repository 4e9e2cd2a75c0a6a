// Every pose of the player in every facing, drawn at the size a player sees it in play, in its
// own look and its flash look, read back from OpenGL. With ZELMO_PICTURES set to a folder, the
// contact sheet is written there as a PNG.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/VectorGraphics_generated.h"
#include "engine/gfx/Gfx.h"
#include "engine/gfx/ShaderLoader.h"
#include "engine/vector/GameVectors.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/AnimId.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/WorldHarness.h"

namespace {

constexpr int kPoseCell = 64;
constexpr float kPoseScale = 1.0f;  // the figure stands about 32 pixels tall
constexpr int kPoseClearView = 1;
constexpr int kPoseFirstView = 10;

// Every frame shape of the player's animations, in animation order, each once.
std::vector<std::pair<std::string, uint32_t>> poseShapes() {
    std::vector<std::pair<std::string, uint32_t>> shapes;
    for (uint32_t id = AnimIds::KROMB_UP; id <= AnimIds::KROMB_DN_PUNCH; ++id) {
        const Vector::AnimationDef* animation = GameVectors::instance().animation(id);
        EXPECT_NE(animation, nullptr) << animIdName(id);
        if (!animation || !animation->frames()) continue;
        for (const Vector::AnimationFrame* frame : *animation->frames()) {
            if (frame->shape() < 0) continue;
            const auto shape = uint32_t(frame->shape());
            const bool seen =
                std::any_of(shapes.begin(), shapes.end(), [&](const auto& s) { return s.second == shape; });
            if (!seen) shapes.emplace_back(animIdName(id), shape);
        }
    }
    return shapes;
}

class PlayerPosesGl : public GlTest {};

TEST_F(PlayerPosesGl, EveryPoseLightsItsCellInBothLooksAndNoTwoLookAlike) {
    if (IsSkipped()) return;
    WorldTest::WorldHarness harness;  // loads the shipped shapes
    const auto shapes = poseShapes();
    ASSERT_GE(shapes.size(), 24u);
    const int width = kPoseCell * int(shapes.size());
    const int height = kPoseCell * 2;
    const gfx::FrameBufferHandle target = makeReadBackTarget(kPoseClearView, width, height);
    VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
    display.init(1, width, height, kPoseFirstView, 0);
    display.setBrightness(0);
    const gfx::ProgramHandle fill = Game::loadShaderProgram("vtx-color", "vtx-color");
    const GameVectors& library = GameVectors::instance();

    display.beginFrame();
    for (size_t i = 0; i < shapes.size(); ++i) {
        const float x = float(kPoseCell) * (float(i) + 0.5f);
        for (int set = 0; set < 2; ++set) {
            // Set 0 in the upper row of the picture.
            const float y = float(kPoseCell) * (set == 0 ? 1.5f : 0.5f);
            library.drawShapeFilled(gfx::ViewId(kPoseFirstView), fill, set, shapes[i].second, x, y, 1.0f, Util::Colour{},
                                    kPoseScale, 0.0f, &display);
            library.drawShape(display, set, shapes[i].second, x, y, 1.0f, kPoseScale, 0, 0.0f);
        }
    }
    const int next = display.endFrame(true);
    gfx::setViewFrameBuffer(gfx::ViewId(next - 1), target);
    gfx::touch(kPoseClearView);
    gfx::frame();
    const std::vector<uint8_t> picture = readBack(target, width, height);
    keepPicture("player-poses-contact-sheet.png", picture, width, height);
    gfx::destroy(fill);

    auto mask = [&](size_t column, int row) {
        std::vector<bool> lit;
        for (int y = row * kPoseCell; y < (row + 1) * kPoseCell; ++y) {
            for (int x = int(column) * kPoseCell; x < int(column + 1) * kPoseCell; ++x) {
                const uint8_t* p = &picture[(size_t(y) * size_t(width) + size_t(x)) * 4];
                lit.push_back(std::max({p[0], p[1], p[2]}) > 80);
            }
        }
        return lit;
    };
    std::vector<std::vector<bool>> looks;
    for (size_t i = 0; i < shapes.size(); ++i) {
        for (int row = 0; row < 2; ++row) {
            const std::vector<bool> cell = mask(i, row);
            EXPECT_GT(std::count(cell.begin(), cell.end(), true), 40)
                << shapes[i].first << " shape " << shapes[i].second << (row == 1 ? "" : ", flashing");
            // Read-back rows run bottom-up: the own looks are in row 1.
            if (row == 1) looks.push_back(cell);
        }
    }
    // A silhouette is the set of lit pixels; two poses share one when nearly all coincide.
    // The frames of one animation may look alike; every other pair must not.
    for (size_t a = 0; a < looks.size(); ++a) {
        for (size_t b = a + 1; b < looks.size(); ++b) {
            if (shapes[a].first == shapes[b].first) continue;
            size_t both = 0, either = 0;
            for (size_t p = 0; p < looks[a].size(); ++p) {
                both += looks[a][p] && looks[b][p];
                either += looks[a][p] || looks[b][p];
            }
            EXPECT_LT(double(both), 0.8 * double(either)) << shapes[a].first << " (" << shapes[a].second << ") and "
                                                          << shapes[b].first << " (" << shapes[b].second << ")";
        }
    }
}

}  // namespace
