// The overlay input renderer on the recording renderer: what it fills, in which colours, and
// where its labels go.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/input/ScreenArea.h"
#include "engine/inputrender/InputRenderer.h"
#include "engine/vg/Context.h"
#include "tests/engine/gfx/RecordingTest.h"
#include "tests/engine/inputrender/AreaRecordFixture.h"

namespace {

using namespace AreaRecord;

constexpr gfx::ViewId kOverlayView = 200;

struct OverlayVertex {
    float x, y;
    float u, v;
    uint32_t abgr;
};

// Turns every label into the text it holds between brackets, or into nothing.
class Brackets : public Game::IStringConvertor {
public:
    std::string convert(const std::string& text) override { return text == "[GONE]" ? "" : "<" + text + ">"; }
};

class OverlayRendererTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        overlay = std::make_unique<vg::Context>(kOverlayView);
        ASSERT_EQ(overlay->createFont("DEFAULT", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 0);
        ASSERT_EQ(overlay->createFont("BOLD", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"), 1);
    }

    void TearDown() override {
        overlay.reset();
        RecordingTest::TearDown();
    }

    // Draws one area through a controller that holds it alone and returns every vertex drawn.
    std::vector<OverlayVertex> draw(const ScreenAreaRenderInfo& info, Game::IStringConvertor* labels = nullptr,
                                    float windowScale = 1) {
        Input::InputController controller("TEST", nullptr, nullptr);
        auto made = std::make_unique<Input::ScreenArea>("AREA");
        made->setMode(info.mode);
        made->setRect(info.rect.x, info.rect.y, info.rect.width, info.rect.height);
        made->setColour(info.colour);
        made->setLabel(info.label);
        made->setStyle(info.style);
        controller.getScreenAreaController().add(std::move(made));
        return drawController(controller, labels, windowScale);
    }

    std::vector<OverlayVertex> drawController(const Input::InputController& controller,
                                              Game::IStringConvertor* labels = nullptr, float windowScale = 1) {
        const float width = kWindowWidth * windowScale, height = kWindowHeight * windowScale;
        overlay->beginFrame(width, height, 1.0f);
        const int widthPx = int(width), heightPx = int(height);
        renderer.render(controller, labels, *overlay,
                        {widthPx, heightPx, int(kWindowWidth), int(kWindowHeight), widthPx, heightPx});
        return endFrame();
    }

    // Draws the record as it is, countdown included, after a render call has set the window up.
    std::vector<OverlayVertex> drawRecord(const ScreenAreaRenderInfo& info) {
        overlay->beginFrame(kWindowWidth, kWindowHeight, 1.0f);
        renderNothing(renderer, *overlay);
        renderer.renderArea(info);
        return endFrame();
    }

    std::vector<OverlayVertex> endFrame() {
        EXPECT_TRUE(overlay->endFrame());
        gfx::frame();
        return indexedVertices<OverlayVertex>(kOverlayView);
    }

    static std::vector<OverlayVertex> ofColour(const std::vector<OverlayVertex>& vertices, uint32_t abgr) {
        std::vector<OverlayVertex> result;
        for (const auto& v : vertices) {
            if (v.abgr == abgr) result.push_back(v);
        }
        return result;
    }

    std::unique_ptr<vg::Context> overlay;
    Game::InputRenderer renderer;
};

constexpr uint32_t kGreenHalf = 0x8000ff00;  // 0x00ff0080 packed
constexpr uint32_t kWhite = 0xffffffff;
constexpr uint32_t Transparent(uint32_t abgr) { return abgr & 0x00ffffffu; }

}  // namespace

TEST_F(OverlayRendererTest, AnAreaWithNeitherColourNorLabelDrawsNothing) {
    EXPECT_THAT(draw(area("", "", "")), ::testing::IsEmpty());
    ScreenAreaRenderInfo counting = area("", "", "");
    counting.timerInfo.repeat = {150, 600, SwitchTimerInfo::Colour::fromRgba(0xff0000ff)};
    EXPECT_THAT(drawRecord(counting), ::testing::IsEmpty());
}

TEST_F(OverlayRendererTest, OnlyAreasOfModeOneAreDrawn) {
    ScreenAreaRenderInfo info = area("0x00ff0080", "*FILLAREA*", "");
    info.mode = 4;
    EXPECT_THAT(draw(info), ::testing::IsEmpty());
}

TEST_F(OverlayRendererTest, AFillAreaDrawsARoundedBoxInItsColourAndNoText) {
    const std::vector<OverlayVertex> vertices = draw(area("0x00ff0080", "*FILLAREA*", "0xffffffff,1,DEFAULT"));
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{kGreenHalf, Transparent(kGreenHalf)}));
    const Extent box = extentOf(vertices, kGreenHalf);
    EXPECT_NEAR(box.minX, kX, 1);
    EXPECT_NEAR(box.maxX, kX + kW, 1);
    EXPECT_NEAR(box.minY, kY, 1);
    EXPECT_NEAR(box.maxY, kY + kH, 1);
    // The corners are rounded off: no solid vertex comes near the box's corner point.
    for (const auto& v : ofColour(vertices, kGreenHalf)) {
        EXPECT_GT(std::hypot(v.x - kX, v.y - kY), 1.0f);
    }
}

TEST_F(OverlayRendererTest, TheCountdownGrowsDownFromTheTopEdgeInItsColour) {
    ScreenAreaRenderInfo info = area("", "*FILLAREA*", "");
    info.timerInfo.repeat = {300, 600, SwitchTimerInfo::Colour::fromRgba(0xff0000ff)};
    const std::vector<OverlayVertex> vertices = drawRecord(info);
    const Extent bar = extentOf(vertices, 0xff0000ff);
    EXPECT_NEAR(bar.minY, kY, 1);
    EXPECT_NEAR(bar.maxY, kY + kH * 0.51f, 1);
    EXPECT_NEAR(bar.minX, kX, 1);
    EXPECT_NEAR(bar.maxX, kX + kW, 1);
    // Square bottom corners: the bar reaches its bottom-left corner point.
    bool bottomLeft = false;
    for (const auto& v : ofColour(vertices, 0xff0000ff)) {
        bottomLeft = bottomLeft || (std::abs(v.x - kX) < 1 && std::abs(v.y - (kY + kH * 0.51f)) < 1);
    }
    EXPECT_TRUE(bottomLeft);
}

TEST_F(OverlayRendererTest, TheStringConvertorRewritesLabelsAndAnEmptyResultDrawsNothing) {
    Brackets brackets;
    EXPECT_THAT(draw(area("0x00ff0080", "[GONE]", "0xffffffff"), &brackets), ::testing::IsEmpty());
    const std::vector<OverlayVertex> converted = draw(area("", "A", "0xffffffff"), &brackets);
    const std::vector<OverlayVertex> written = draw(area("", "<A>", "0xffffffff"));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(converted.size(), written.size());
}

TEST_F(OverlayRendererTest, TheLabelIsWrittenInTheStyleColourInsideItsBox) {
    const std::vector<OverlayVertex> vertices = draw(area("0x00ff0080", "PLAY", "0xffffffff,1,DEFAULT"));
    const Extent text = extentOf(vertices, kWhite);
    ASSERT_GT(text.width(), 0);
    EXPECT_NEAR((text.minX + text.maxX) / 2, kX + kW / 2, 2);
    EXPECT_NEAR((text.minY + text.maxY) / 2, kY + kH / 2, 3);
    EXPECT_NEAR(text.height(), 18 * 0.73f, 3);  // capitals of an 18 pixel face
}

TEST_F(OverlayRendererTest, TheFontSizeFollowsTheWindowAgainstTheDesign) {
    const float small = extentOf(draw(area("", "PLAY", "0xffffffff")), kWhite).height();
    const float large = extentOf(draw(area("", "PLAY", "0xffffffff"), nullptr, 2), kWhite).height();
    EXPECT_NEAR(large / small, 2, 0.15);
}

namespace {

struct PlacementCase {
    const char* label;
    float leftMin, leftMax;  // where the text's left edge may lie, as a fraction of the box
    float rightMin, rightMax;
    float topMin, topMax;
    float bottomMin, bottomMax;
};

class Placement : public OverlayRendererTest, public ::testing::WithParamInterface<PlacementCase> {};

}  // namespace

TEST_P(Placement, FollowsTheAlignmentCodes) {
    const PlacementCase& c = GetParam();
    const Extent text = extentOf(draw(area("", c.label, "0xffffffff")), kWhite);
    ASSERT_GT(text.width(), 0);
    EXPECT_GE(text.minX, kX + kW * c.leftMin);
    EXPECT_LE(text.minX, kX + kW * c.leftMax);
    EXPECT_GE(text.maxX, kX + kW * c.rightMin);
    EXPECT_LE(text.maxX, kX + kW * c.rightMax);
    EXPECT_GE(text.minY, kY + kH * c.topMin);
    EXPECT_LE(text.minY, kY + kH * c.topMax);
    EXPECT_GE(text.maxY, kY + kH * c.bottomMin);
    EXPECT_LE(text.maxY, kY + kH * c.bottomMax);
}

INSTANTIATE_TEST_SUITE_P(Codes, Placement,
                         ::testing::Values(PlacementCase{"$<$^HI", 0.0f, 0.03f, 0, 0.2f, 0.0f, 0.1f, 0, 0.2f},
                                           PlacementCase{"$>$_HI", 0.8f, 1.0f, 0.97f, 1.0f, 0.8f, 1.0f, 0.9f, 1.0f},
                                           PlacementCase{"HI", 0.4f, 0.5f, 0.5f, 0.6f, 0.4f, 0.5f, 0.5f, 0.6f},
                                           // Three lines stay about the middle.
                                           PlacementCase{"A\nB\nC", 0.4f, 0.5f, 0.5f, 0.6f, 0.3f, 0.45f, 0.55f, 0.7f}));

TEST_F(OverlayRendererTest, AStrokeFontStyleWritesInTheDefaultFaceHalvedForSeveralLines) {
    const auto text = [&](const char* label, const char* style) {
        std::vector<OverlayVertex> glyphs = ofColour(draw(area("", label, style)), kWhite);
        return extentOf(glyphs, kWhite).height();
    };
    EXPECT_NEAR(text("HI", "0xffffffff,2,SIMPLEX"), text("HI", "0xffffffff,2,DEFAULT"), 0.01);
    EXPECT_NEAR(text("HI\nHO", "0xffffffff,2,SIMPLEX"), text("HI\nHO", "0xffffffff,1,DEFAULT"), 0.01);
}

TEST_F(OverlayRendererTest, AStyleOfFivePartsIsIgnoredSoItsTextIsTransparent) {
    const std::vector<OverlayVertex> vertices = draw(area("", "PLAY", "0xffffffff,2,BOLD,1,extra"));
    ASSERT_FALSE(vertices.empty());
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{0u}));
    EXPECT_EQ(vertices.size(), draw(area("", "PLAY", "")).size());
}

// However the words are placed, and however many lines they need, none leaves its box.
TEST_F(OverlayRendererTest, AnOverTallTextShrinksIntoItsBox) {
    const std::string lines = "ONE\nTWO\nTHREE\nFOUR\nFIVE\nSIX\nSEVEN\nEIGHT\nNINE\nTEN\nELEVEN\nTWELVE";
    for (const std::string& label : {"$^" + lines, lines, "$_" + lines, "$<" + lines, "$>$_" + lines,
                                     std::string("A LABEL OF MANY WORDS THAT WRAPS ONTO SEVERAL LINES")}) {
        const Extent text = extentOf(draw(area("", label, "0xffffffff,3")), kWhite);
        ASSERT_GT(text.height(), kH / 3) << label;
        EXPECT_GE(text.minY, kY) << label;
        EXPECT_LE(text.maxY, kY + kH) << label;
        EXPECT_GE(text.minX, kX) << label;
        EXPECT_LE(text.maxX, kX + kW) << label;
    }
}

// A scan step shows its countdown on an invisible area laid over its choice and drawn after it.
TEST_F(OverlayRendererTest, LabelsAreWrittenOverTheCountdownOfAnAreaDrawnAfterThem) {
    Input::InputController controller("TEST", nullptr, nullptr);
    for (const char* name : {"CHOICE", "SCAN"}) {
        auto made = std::make_unique<Input::ScreenArea>(name);
        made->setMode(1);
        made->setRect(kRect.x, kRect.y, kRect.width, kRect.height);
        const bool choice = std::string(name) == "CHOICE";
        made->setColour(choice ? "0x00ff0080" : "");
        made->setLabel(choice ? "PLAY" : "*FILLAREA*");
        made->setSelLabel(made->getLabel());
        made->setStyle("0xffffffff");
        controller.getScreenAreaController().add(std::move(made));
    }
    Input::Switch dwell;
    dwell.setAreaFromList(0, {"SCAN"});
    Input::TriggerId trigger(Input::TriggerType::DWELL);
    trigger.setTimers(600, 0, 0, 0);
    dwell.setTrigger(trigger);
    dwell.setColours({0xff0000ff, 0, 0});
    controller.getSwitchController().add(dwell);
    controller.gotoArea("SCAN");
    controller.tick(300);

    const std::vector<OverlayVertex> vertices = drawController(controller);
    // Vertices come in the order they are drawn.
    size_t lastRed = 0, firstWhite = vertices.size();
    for (size_t i = 0; i < vertices.size(); ++i) {
        if (vertices[i].abgr == 0xff0000ff) lastRed = i;
        if (vertices[i].abgr == kWhite) firstWhite = std::min(firstWhite, i);
    }
    ASSERT_GT(lastRed, 0u);
    ASSERT_LT(firstWhite, vertices.size());
    EXPECT_LT(lastRed, firstWhite);
}

TEST_F(OverlayRendererTest, ALabelOfAlignmentCodesAloneDrawsTheBoxOnly) {
    const std::vector<OverlayVertex> vertices = draw(area("0x00ff0080", "$<$_", "0xffffffff"));
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{kGreenHalf, Transparent(kGreenHalf)}));
}

TEST_F(OverlayRendererTest, AFaceThatIsNotLoadedDrawsTheBoxAndNoText) {
    const std::vector<OverlayVertex> vertices = draw(area("0x00ff0080", "PLAY", "0xffffffff,1,MISSING"));
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{kGreenHalf, Transparent(kGreenHalf)}));
}
