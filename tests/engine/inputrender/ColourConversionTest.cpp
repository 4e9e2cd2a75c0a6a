// A colour is written 0xRRGGBBAA in data and configuration, and vertices and the overlay take it
// packed ABGR (red in the lowest byte). Every conversion on that way is held to one table.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/input/SwitchTimerInfo.h"
#include "engine/inputrender/AreaStyle.h"
#include "engine/util/Colour.h"
#include "engine/vg/Context.h"

namespace {

struct ColourCase {
    std::string text;  // as an area's colour is written
    uint32_t rgba;
    uint8_t red, green, blue, alpha;
    uint32_t abgr;
};

const ColourCase kColours[] = {
    {"0x11223344", 0x11223344, 0x11, 0x22, 0x33, 0x44, 0x44332211},
    {"0x40ff5080", 0x40ff5080, 0x40, 0xff, 0x50, 0x80, 0x8050ff40},
    {"10401880", 0x10401880, 0x10, 0x40, 0x18, 0x80, 0x80184010},
    {"0XFFFFFFFF", 0xffffffff, 0xff, 0xff, 0xff, 0xff, 0xffffffff},
    {" 0xff", 0x000000ff, 0x00, 0x00, 0x00, 0xff, 0xff000000},
    {"0x80ff90ff trailing", 0x80ff90ff, 0x80, 0xff, 0x90, 0xff, 0xff90ff80},
    {"", 0, 0, 0, 0, 0, 0},
};

TEST(ColourConversion, EveryWayFromTheWrittenColourToThePackedOneAgrees) {
    for (const ColourCase& c : kColours) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(Input::parseAreaColour(c.text), c.rgba);
        EXPECT_EQ(Util::rgbaToAbgr(c.rgba), c.abgr);
        EXPECT_EQ(Util::rgbaToAbgr(c.abgr), c.rgba) << "the conversion goes back the same way";
        const SwitchTimerInfo::Colour timer = SwitchTimerInfo::Colour::fromRgba(c.rgba);
        EXPECT_EQ(timer.red, c.red);
        EXPECT_EQ(timer.green, c.green);
        EXPECT_EQ(timer.blue, c.blue);
        EXPECT_EQ(timer.alpha, c.alpha);
        EXPECT_EQ(timer.abgr(), c.abgr);
        EXPECT_EQ(vg::rgba(c.red, c.green, c.blue, c.alpha), c.abgr);
    }
}

TEST(ColourConversionDeathTest, ATextThatIsNoColourStopsTheProgram) {
    EXPECT_EXIT(Input::parseAreaColour("green"), ::testing::ExitedWithCode(1), "Cant convert String to Num:green");
    EXPECT_EXIT(Input::parseAreaColour("0x1ffffffff"), ::testing::ExitedWithCode(1),
                "Cant convert String to Num:0x1ffffffff");
    EXPECT_EXIT(Input::parseAreaColour("-1"), ::testing::ExitedWithCode(1), "Cant convert String to Num:-1");
}

}  // namespace
