#include <gtest/gtest.h>

#include <vector>

#include "engine/devices/Joypads.h"

namespace {

using Devices::Joypads;

TEST(Joypads, StickDirections) {
    struct Case {
        int x, y;
        uint32_t bits;
    };
    const Case cases[] = {{0, 0, 0}, {0, 1, 1}, {0, -1, 2}, {-1, 0, 4}, {1, 0, 8}, {1, 1, 9}, {-1, -1, 6}};
    Joypads pads;
    for (const auto& c : cases) {
        pads.setState(2, c.x, c.y, {});
        EXPECT_EQ(pads.getState(2), c.bits) << c.x << "," << c.y;
    }
}

// Values 10 to 13 of the list are the d-pad up, right, down, left.
TEST(Joypads, ReportsDpadAndFirstFourButtonsOnly) {
    Joypads pads;
    std::vector<int> buttons(16, 0);
    for (int i = 4; i < 10; ++i) buttons[i] = 1;
    pads.setState(0, 0, 0, buttons);
    EXPECT_EQ(pads.getState(0), 0u) << "buttons 4 to 9 are not reported";

    const std::pair<int, uint32_t> single[] = {{0, 256}, {1, 512},  {2, 1024}, {3, 2048},
                                               {10, 16}, {11, 128}, {12, 32},  {13, 64}};
    for (const auto& [index, bit] : single) {
        std::vector<int> one(16, 0);
        one[index] = 1;
        pads.setState(0, 0, 0, one);
        EXPECT_EQ(pads.getState(0), bit) << "button value " << index;
    }
    pads.setState(0, 0, 0, std::vector<int>(16, 1));
    EXPECT_EQ(pads.getState(0), 0xFF0u);
}

TEST(Joypads, ButtonsBeyondAShortListKeepTheirState) {
    Joypads pads;
    pads.setState(1, 0, 0, {0, 1, 0, 1});
    pads.setState(1, 0, 0, {1});
    EXPECT_EQ(pads.getState(1), 256u + 512u + 2048u);
    pads.setState(1, 0, 0, {0, 0});
    EXPECT_EQ(pads.getState(1), 2048u);
}

// The d-pad is read from the list each time: a list too short to hold it releases it.
TEST(Joypads, ShortListReleasesDpad) {
    Joypads pads;
    std::vector<int> buttons(14, 0);
    buttons[10] = 1;
    pads.setState(0, 0, 0, buttons);
    EXPECT_EQ(pads.getState(0), 16u);
    pads.setState(0, 0, 0, {0});
    EXPECT_EQ(pads.getState(0), 0u);
}

TEST(Joypads, PadsAreSeparateAndUnknownPadsIgnored) {
    Joypads pads;
    pads.setState(3, 1, 0, {});
    pads.setState(4, -1, 0, {1});
    pads.setState(-1, -1, 0, {1});
    EXPECT_EQ(pads.getState(3), 8u);
    EXPECT_EQ(pads.getState(0), 0u);
    EXPECT_EQ(pads.getState(4), 0u);
    EXPECT_EQ(pads.getState(-1), 0u);
}

}  // namespace
