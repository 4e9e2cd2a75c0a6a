#include <gmock/gmock.h>

#include <cstdint>
#include <set>
#include <vector>

#include "VgTest.h"

using ::testing::Each;
using ::testing::Eq;
using ::testing::IsEmpty;

namespace {

// The overlay's vertex as the renderer receives it.
struct OverlayVertex {
    float x, y;
    float u, v;
    uint32_t abgr;
};

class RecordedDrawTest : public VgTest {
protected:
    // Ends the overlay's frame, runs the renderer's and returns every vertex the overlay's
    // draws index.
    std::vector<OverlayVertex> drawnVertices() {
        EXPECT_TRUE(overlay->endFrame());
        gfx::frame();
        return indexedVertices<OverlayVertex>(OverlayView);
    }

    static std::set<uint32_t> colours(const std::vector<OverlayVertex>& vertices) {
        std::set<uint32_t> result;
        for (const OverlayVertex& v : vertices) {
            result.insert(v.abgr);
        }
        return result;
    }
};

constexpr uint32_t Blue = vg::rgba(0, 0, 255, 255);
constexpr uint32_t Green = vg::rgba(0, 255, 0, 255);
constexpr uint32_t Transparent(uint32_t abgr) { return abgr & 0x00ffffffu; }

}  // namespace

TEST_F(RecordedDrawTest, AFrameCoversTheWindowInPixelsWithATopLeftOrigin) {
    overlay->beginFrame(160, 120, 2.0f);
    overlay->beginPath();
    overlay->rect(0, 0, 10, 10);
    overlay->fill();
    ASSERT_FALSE(drawnVertices().empty());
    const gfx::ViewPass* pass = recording().pass(OverlayView);
    ASSERT_NE(pass, nullptr);
    EXPECT_EQ(pass->state.rect, (gfx::Rect{0, 0, 320, 240}));
    glm::vec4 topLeft = pass->state.proj * glm::vec4(0, 0, 0, 1);
    glm::vec4 bottomRight = pass->state.proj * glm::vec4(160, 120, 0, 1);
    EXPECT_FLOAT_EQ(topLeft.x, -1.0f);
    EXPECT_FLOAT_EQ(topLeft.y, 1.0f);
    EXPECT_FLOAT_EQ(bottomRight.x, 1.0f);
    EXPECT_FLOAT_EQ(bottomRight.y, -1.0f);
    EXPECT_TRUE(recording().draw(*pass, 0).state.blending);
}

TEST_F(RecordedDrawTest, AFillUsesTheFillColourWithFadingEdges) {
    overlay->beginPath();
    overlay->roundedRect(10, 10, 50, 30, 4);
    overlay->fillColor(Blue);
    overlay->fill();
    EXPECT_EQ(colours(drawnVertices()), (std::set<uint32_t>{Blue, Transparent(Blue)}));
}

TEST_F(RecordedDrawTest, AConcaveFillIsCutIntoTrianglesOfTheFillColour) {
    overlay->beginPath();
    overlay->moveTo(0, 0);
    overlay->lineTo(40, 0);
    overlay->lineTo(40, 40);
    overlay->lineTo(20, 10);  // the notch
    overlay->lineTo(0, 40);
    overlay->closePath();
    overlay->fillColor(Green);
    overlay->fill();
    std::vector<OverlayVertex> vertices = drawnVertices();
    EXPECT_EQ(vertices.size(), 3u * 3u);  // five corners make three triangles
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{Green}));
}

TEST_F(RecordedDrawTest, AStrokeUsesTheStrokeColour) {
    overlay->beginPath();
    overlay->moveTo(10, 10);
    overlay->lineTo(100, 10);
    overlay->strokeColor(Green);
    overlay->strokeWidth(3);
    overlay->stroke();
    EXPECT_EQ(colours(drawnVertices()), (std::set<uint32_t>{Green, Transparent(Green)}));
}

TEST_F(RecordedDrawTest, NothingIsDrawnForEmptyPathsZeroWidthStrokesOrTextWithoutAFont) {
    overlay->beginPath();
    overlay->fill();
    overlay->stroke();
    overlay->moveTo(5, 5);
    overlay->lineTo(50, 50);
    overlay->fill();  // two points enclose nothing
    overlay->strokeWidth(0);
    overlay->stroke();
    overlay->fontFace("NOT LOADED");
    overlay->text(10, 10, "invisible");
    overlay->textBox(10, 10, 100, "invisible");
    EXPECT_THAT(drawnVertices(), IsEmpty());
}

TEST_F(RecordedDrawTest, TextDrawsOneQuadPerVisibleGlyphInTheFillColour) {
    overlay->fontFace("SANS");
    overlay->fillColor(Blue);
    overlay->text(10, 30, "a b\nc");
    std::vector<OverlayVertex> vertices = drawnVertices();
    EXPECT_EQ(vertices.size(), 3u * 6u);
    EXPECT_THAT(vertices, Each(::testing::Field(&OverlayVertex::abgr, Eq(Blue))));
}

TEST_F(RecordedDrawTest, RestoreBringsBackTheSavedColours) {
    overlay->fillColor(Blue);
    overlay->save();
    overlay->fillColor(Green);
    overlay->restore();
    overlay->restore();  // more restores than saves change nothing
    overlay->beginPath();
    overlay->rect(0, 0, 10, 10);
    overlay->fill();
    EXPECT_EQ(colours(drawnVertices()), (std::set<uint32_t>{Blue, Transparent(Blue)}));
}

TEST_F(RecordedDrawTest, AFrameStartsFromTheDefaultStateAndAnEmptyPath) {
    overlay->fillColor(Blue);
    overlay->beginPath();
    overlay->rect(0, 0, 10, 10);
    overlay->beginFrame(320, 240, 1.0f);
    overlay->fill();
    EXPECT_THAT(drawnVertices(), IsEmpty());

    overlay->beginFrame(320, 240, 1.0f);
    overlay->beginPath();
    overlay->rect(0, 0, 10, 10);
    overlay->fill();
    EXPECT_EQ(colours(drawnVertices()), (std::set<uint32_t>{vg::rgba(255, 255, 255, 255), 0x00ffffffu}));
}

TEST_F(RecordedDrawTest, AFrameTooLargeForTheTransientBuffersIsDroppedWhole) {
    overlay.reset();
    start(1024, 1024);  // room for 51 vertices
    startOverlay();
    for (int i = 0; i < 10; ++i) {
        overlay->beginPath();
        overlay->circle(50, 50, 40);
        overlay->fill();
    }
    EXPECT_FALSE(overlay->endFrame());
    gfx::frame();
    EXPECT_EQ(recording().pass(OverlayView), nullptr);

    // The next frame that fits is drawn.
    overlay->beginFrame(320, 240, 1.0f);
    overlay->beginPath();
    overlay->rect(0, 0, 10, 10);
    overlay->fill();
    EXPECT_FALSE(drawnVertices().empty());
}
