#pragma once

// The named shape and animation ids. The game's messages use the names; every other shape id
// (the screen pictures, the glyphs of the font) is a plain number.

#include <cstdint>

namespace AnimIds {

enum AnimId : uint32_t {
    NONE = 0,
    ROBOT0,
    BEZERK_STAND,
    BEZERK_MOVE,
    TRON,
    SCANNER,
    SECURITY,
    TOWER,
    TOWER_PAD,
    TOWER_RISE,
    TOWER_LOWER,
    TOWER_RISEN,
    SPINNER_CW,
    SPINNER_CCW,
    VINCENT_STAND,
    VINCENT_MOVE,
    MAXIMILLIAN,
    CLAWER,
    POWUP_BOX,
    MAP_NODE_N,
    MAP_NODE_S,
    MAP_NODE_E,
    MAP_NODE_W,
    LIFT_NODE,
    KROMB_UP,
    KROMB_DN,
    KROMB_LF,
    KROMB_RT,
    KROMB_UP_RUN,
    KROMB_DN_RUN,
    KROMB_LF_RUN,
    KROMB_RT_RUN,
    KROMB_LF_SHIELD,
    KROMB_RT_SHIELD,
    KROMB_UP_SHIELD,
    KROMB_DN_SHIELD,
    KROMB_LF_CROUCH,
    KROMB_RT_CROUCH,
    KROMB_UP_CROUCH,
    KROMB_DN_CROUCH,
    KROMB_LF_CHARGE,
    KROMB_RT_CHARGE,
    KROMB_UP_CHARGE,
    KROMB_DN_CHARGE,
    KROMB_LF_PUNCH,
    KROMB_RT_PUNCH,
    KROMB_UP_PUNCH,
    KROMB_DN_PUNCH,
    KROMB_CHAINED,
    ARMOUR_POWUP,
    FIST_POWUP,
    FISH_POWUP,
    FISH_W,
    FISH_E,
    FISH_N,
    FISH_S,
    PLAYER_ARMOUR,
    OCTO_BULLET,
    BOSS_NODE,
    FACE,
};

constexpr uint32_t NamedCount = FACE + 1;

}  // namespace AnimIds

using AnimId = AnimIds::AnimId;

// "LIFT_NODE" for 23; null for an id without a name.
const char* animIdName(uint32_t id);
