#include "tests/e2e/StartRoomLooks.h"

#include <algorithm>

namespace E2E {
namespace {

// The door's outline and hatching: strong yellow to dark gold; its orange glow is left out.
bool doorYellow(const Picture& picture, int x, int y) {
    const uint8_t* rgb = &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
    return rgb[0] > 150 && rgb[1] > 100 && rgb[2] < 130 && rgb[0] > rgb[2] + 80;
}

// The core of the player's drawing; the room's floor marks and the charge's sparks are tinted.
bool white(const Picture& picture, int x, int y) {
    const uint8_t* rgb = &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
    return std::min({rgb[0], rgb[1], rgb[2]}) >= 235;
}

// The sparks of a charged punch: pink to orange, far redder than green.
bool spark(const Picture& picture, int x, int y) {
    const uint8_t* rgb = &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
    return rgb[0] > rgb[1] + 40;
}

Box clipped(const Picture& picture, const Box& box) {
    return {std::max(box.x0, 0), std::max(box.y0, 0), std::min(box.x1, picture.width),
            std::min(box.y1, picture.height)};
}

int count(const Picture& picture, const Box& box, bool (*kind)(const Picture&, int, int)) {
    const Box inside = clipped(picture, box);
    int found = 0;
    for (int y = inside.y0; y < inside.y1; ++y) {
        for (int x = inside.x0; x < inside.x1; ++x) found += kind(picture, x, y) ? 1 : 0;
    }
    return found;
}

// The longest unbroken run of door yellow along a row, as [x0, x1).
struct Run {
    int x0 = 0, x1 = 0;
    int length() const { return x1 - x0; }
};
Run longestYellowRun(const Picture& picture, int y, int x0, int x1) {
    Run longest, current;
    for (int x = std::max(x0, 0); x < std::min(x1, picture.width); ++x) {
        if (!doorYellow(picture, x, y)) {
            current = {x + 1, x + 1};
            continue;
        }
        current.x1 = x + 1;
        if (current.length() > longest.length()) longest = current;
    }
    return longest;
}

// Half the door across the window the shipped configuration opens: no robot, power-up
// or piece of a broken door is drawn this wide in yellow.
constexpr int kDoorRun = 64;
constexpr int kDoorDepth = 40;  // the door's outline, top to bottom, and more

// Brighter than the dark floor and its faint grid: the room's walls and the marks on its floor.
constexpr uint32_t kRoomLit = 300;
constexpr uint32_t kStillLit = 200;  // the same, a frame later, glowing a little less
constexpr int kSampleStep = 3;
// The room is taken as seen where at least this share of its lit points is lit; it is looked for
// where at least a third of it lies inside the window.
constexpr double kSeenShare = 0.6;

}  // namespace

Box doorIn(const Picture& picture) {
    const int x0 = picture.width / 5, x1 = picture.width * 4 / 5;
    Box door;
    for (int y = picture.height / 10; y < picture.height * 9 / 10; ++y) {
        const Run run = longestYellowRun(picture, y, x0, x1);
        if (run.length() < kDoorRun) continue;
        if (door.width() == 0) {
            door = {run.x0, y, run.x1, y + 1};
        } else if (y < door.y0 + kDoorDepth) {
            door = {std::min(door.x0, run.x0), door.y0, std::max(door.x1, run.x1), y + 1};
        }
    }
    return door;
}

bool playerAgainstTheDoor(const Picture& picture) {
    const Box door = doorIn(picture);
    const int side = door.width() / 6;
    return door.width() > 0 && count(picture, {door.x0 + side, door.y0 - 20, door.x1 - side, door.y0}, white) >= 30;
}

bool chargeGlows(const Picture& picture) {
    const Box door = doorIn(picture);
    const int side = door.width() / 4;
    return door.width() > 0 &&
           count(picture, {door.x0 - side, door.y0 - door.width() * 3 / 2, door.x1 + side, door.y0 - 4}, spark) >= 150;
}

// The room is square, as wide as its door, and the player stands in the middle of the doorway.
StartRoom::StartRoom(const Picture& picture, const Box& door) : m_sideways(door.width() / 2) {
    const int side = door.width() / 5;
    const Box room = clipped(picture, {door.x0 - side, door.y0 - door.width(), door.x1 + side, door.y0 - 2});
    const Box player{door.x0 + door.width() / 4, door.y0 - door.width() / 2, door.x1 - door.width() / 4, door.y0};
    for (int y = room.y0; y < room.y1; y += kSampleStep) {
        for (int x = room.x0; x < room.x1; x += kSampleStep) {
            if (!player.contains(x, y) && picture.brightness(x, y) > kRoomLit) m_lit.push_back({x, y});
        }
    }
}

int StartRoom::scrolledUp(const Picture& picture) const {
    if (m_lit.empty()) return -1;
    int best = -1;
    double bestShare = kSeenShare;
    const int lowest = m_lit.back().y;
    for (int up = 0; up <= lowest; up += 2) {
        for (int across = -m_sideways; across <= m_sideways; across += 4) {
            int inside = 0, lit = 0;
            for (const Point& point : m_lit) {
                const int x = point.x + across, y = point.y - up;
                if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) continue;
                ++inside;
                lit += picture.brightness(x, y) > kStillLit ? 1 : 0;
            }
            if (inside * 3 < int(m_lit.size())) continue;
            const double share = double(lit) / inside;
            if (share > bestShare) {
                bestShare = share;
                best = up;
            }
        }
    }
    return best;
}

}  // namespace E2E
