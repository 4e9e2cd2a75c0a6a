#include <gtest/gtest.h>

#include "game/world/RobotComp.h"
#include "game/world/systems/CollisionSys.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Kind = Room::Kind;
using Zelmo::PVAComp;

// Two robots in the room's middle row walking at 4 pixels an update, the first (made first, so
// handled first) heading right and the second towards it or standing; gap is the distance
// between their collision boxes before the update.
struct Meeting {
    const char* what;
    int firstType;
    int secondType;
    float secondSpeed;
    float gap;
    bool firstMoves;
    bool secondMoves;
    int firstHeading;  // after the update
    int secondHeading;
    int secondContact;
};

const Meeting kMeetings[] = {
    {"apart", 1, 1, 4.0f, 9.0f, true, true, 90, 270, 0},
    {"touching edges meet: the first goes, the second waits and the first turns", 1, 1, 4.0f, 8.0f, true, false, 270,
     270, -60},
    {"overlapping proposals", 1, 1, 4.0f, 6.0f, true, false, 270, 270, -60},
    {"a robot walking into a standing one turns back and turns that one round", 1, 1, 0.0f, 2.0f, false, false, 270, 90,
     0},
    {"others pass through a type-6 robot", 6, 1, 4.0f, 6.0f, true, true, 90, 270, 0},
    {"a type-6 robot stops at others and turns nobody", 1, 6, 4.0f, 6.0f, true, false, 90, 270, 1},
};

TEST(Collision, RobotsMeeting) {
    for (const Meeting& m : kMeetings) {
        SCOPED_TRACE(m.what);
        WorldHarness harness;
        Room room(harness);
        const float y = Room::middle();
        ecs::Entity first = room.walker(Kind::Robot, Room::middle() - 40.0f, y, 90, 4.0f, true);
        const IntBox box = first.get<Zelmo::CBoxComp>();
        const float secondX = Room::middle() - 40.0f + float(box.w) + m.gap;
        ecs::Entity second = room.walker(Kind::Robot, secondX, y, 270, m.secondSpeed, true);
        first.get<Zelmo::RobotComp>().type = m.firstType;
        second.get<Zelmo::RobotComp>().type = m.secondType;
        harness.step();
        const PVAComp& a = first.get<PVAComp>();
        const PVAComp& b = second.get<PVAComp>();
        EXPECT_EQ(a.x != Room::middle() - 40.0f, m.firstMoves);
        EXPECT_EQ(b.x != secondX, m.secondMoves);
        EXPECT_EQ(a.heading, m.firstHeading);
        EXPECT_EQ(b.heading, m.secondHeading);
        EXPECT_EQ(b.contactCounter, m.secondContact);
    }
}

TEST(Collision, HeadingDifferencesTakeTheShortWayRound) {
    struct Case {
        int a, b, diff;
    } cases[] = {{90, 0, 90}, {0, 90, -90}, {350, 10, -20}, {10, 350, 20}, {270, 90, 180}, {90, 270, -180}};
    for (const Case& c : cases) EXPECT_EQ(Zelmo::headingDiff(c.a, c.b), c.diff) << c.a << " - " << c.b;
}

}  // namespace
