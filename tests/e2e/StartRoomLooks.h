#pragma once
#include <vector>

#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace E2E {

// What a player sees of the first level's start room in the window the shipped configuration
// opens, whatever the maze around it: its door, the player against it, a punch charging, the
// door gone, and how far the room has scrolled away as the camera follows the player out.

// The camera follows the player across as well as down, so each is looked for afresh in each
// picture.

// The start room's door: a bar outlined in yellow across the room's open side, far wider than
// anything else drawn in yellow; an empty box when none is seen.
Box doorIn(const Picture& picture);
// The player's body stands in the doorway just above the door: the white of its drawing reaches
// down to it.
bool playerAgainstTheDoor(const Picture& picture);
// The room above the door glows with the pink and orange sparks of a charged punch.
bool chargeGlows(const Picture& picture);

// The room above the door as seen at one moment (its walls and floor, without the door and the
// player in its doorway), found again in later pictures.
class StartRoom {
public:
    StartRoom(const Picture& picture, const Box& door);
    // How far the room has scrolled up since, in pixels; -1 when it is not seen (it has
    // scrolled out of the window, or something covers it).
    int scrolledUp(const Picture& picture) const;

private:
    struct Point {
        int x, y;
    };
    std::vector<Point> m_lit;
    int m_sideways = 0;  // how far the camera may follow the player across the room
};

}  // namespace E2E
