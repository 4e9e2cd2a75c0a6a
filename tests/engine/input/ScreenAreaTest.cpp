#include <gtest/gtest.h>

#include <string>

#include "tests/engine/input/AreaFixture.h"

namespace {

using Input::IScreenArea;
using Input::ScreenArea;

TEST(ScreenArea, SelectedColourFallsBackToColour) {
    ScreenArea area("A");
    area.setColour("0x00ff0080");
    EXPECT_EQ(area.getSelColour(), "0x00ff0080");
    area.setSelColour("0xff0000ff");
    EXPECT_EQ(area.getSelColour(), "0xff0000ff");
    EXPECT_EQ(area.getColour(), "0x00ff0080");
    // Selected label and style are reported as stored; the loader fills them.
    area.setLabel("Play");
    EXPECT_EQ(area.getSelLabel(), "");
}

// Left and top edges are inside, right and bottom edges outside.
TEST(ScreenArea, ContainsIsHalfOpen) {
    ScreenArea area("A");
    area.setRect(10, 40, 20, 10);
    const struct {
        float x, y;
        bool inside;
    } cases[] = {{10, 40, true},    {29.5f, 45, true}, {30, 45, false},     {9.99f, 45, false},
                 {15, 49.9f, true}, {15, 50, false},   {15, 39.99f, false}, {29.999f, 49.999f, true}};
    for (const auto& c : cases) EXPECT_EQ(area.contains(c.x, c.y), c.inside) << c.x << "," << c.y;
}

class AreaController : public ::testing::Test {
protected:
    std::string nameAt(bool visibleOnly, float x, float y) const {
        const IScreenArea* found = m_controller.areaAt(visibleOnly, x, y);
        return found ? found->getName() : "(none)";
    }

    Input::ScreenAreaController m_controller;
};

TEST_F(AreaController, LastAddedWinsAmongOverlappingAreas) {
    addArea(m_controller, "BACK", 0, 0, 100, 100);
    addArea(m_controller, "EARLY", 10, 10, 20, 20);
    addArea(m_controller, "LATE", 20, 20, 20, 20, false);

    EXPECT_EQ(nameAt(false, 25, 25), "LATE");
    EXPECT_EQ(nameAt(true, 25, 25), "EARLY") << "an invisible later area is skipped";
    EXPECT_EQ(nameAt(true, 35, 35), "BACK");
    EXPECT_EQ(nameAt(true, 100, 50), "(none)");
}

TEST_F(AreaController, PagesHideOtherPagesFromThePointer) {
    addArea(m_controller, "BACK", 0, 0, 100, 100);
    addArea(m_controller, "PAGE1_X", 0, 0, 50, 50);
    addArea(m_controller, "PAGE2_X", 0, 0, 50, 50);
    addArea(m_controller, "PAGE10_X", 50, 50, 50, 50);

    const struct {
        int page;
        float x, y;
        const char* found;
    } cases[] = {
        {0, 10, 10, "PAGE2_X"}, {1, 10, 10, "PAGE1_X"},   {2, 10, 10, "PAGE2_X"},  {3, 10, 10, "BACK"},
        {1, 60, 60, "BACK"},    {10, 60, 60, "PAGE10_X"}, {0, 60, 60, "PAGE10_X"}, {10, 10, 10, "BACK"},
    };
    for (const auto& c : cases) {
        m_controller.setPage(c.page);
        EXPECT_EQ(nameAt(true, c.x, c.y), c.found) << "page " << c.page << " at " << c.x;
    }
}

TEST_F(AreaController, FindsByExactNameWhateverThePage) {
    IScreenArea& first = addArea(m_controller, "PAGE2_X", 0, 0, 1, 1);
    addArea(m_controller, "PAGE2_X", 5, 5, 1, 1);
    m_controller.setPage(1);
    EXPECT_EQ(m_controller.find("PAGE2_X"), &first);
    EXPECT_EQ(m_controller.find("page2_x"), nullptr);
    EXPECT_EQ(m_controller.find(""), nullptr);
}

class HideNamed : public Input::IRenderAreaNameFilter {
public:
    explicit HideNamed(std::string hidden) : m_hidden(std::move(hidden)) {}
    bool isRendered(const std::string& areaName) const override { return areaName != m_hidden; }

private:
    std::string m_hidden;
};

TEST_F(AreaController, RenderFilterDecidesWhatIsDrawn) {
    EXPECT_TRUE(m_controller.isRendered("ANY"));
    const HideNamed filter("PAGE2_X");
    m_controller.setRenderFilter(&filter);
    EXPECT_FALSE(m_controller.isRendered("PAGE2_X"));
    EXPECT_TRUE(m_controller.isRendered("PAGE1_X"));
    m_controller.setRenderFilter(nullptr);
    EXPECT_TRUE(m_controller.isRendered("PAGE2_X"));
}

}  // namespace
