#pragma once

namespace Zelmo {

// What a broken door run leaves behind: plain floor where the punch went on, the room's floor
// behind it. Both must let the player through (the map data lint checks them).
constexpr int kBrokenDoorAhead = 0;
constexpr int kBrokenDoorBehind = 20;

}  // namespace Zelmo
