#pragma once

// The shapes of set 0 that the game's code names by number, where it draws them or makes
// entities of them. The data lint checks that the shape data holds every shape listed in
// kNamedByCode, so a shape the code names goes here and is used from here. (The help pages'
// figures are listed with the pages, Zelmo::HelpLogicView::pageShapes; animations name their
// shapes in the data.)

#include <array>
#include <cstdint>

namespace ShapeIds {

constexpr int kBossNode = 22;
constexpr int kMapNode = 23;
constexpr int kLift = 24;
constexpr int kPlayer = 25;
constexpr int kLivesIcon = 28;
constexpr int kPrisoner = 121;
constexpr int kLostFace = 122;
constexpr int kPowerPunchIcon = 124;
constexpr int kArmour = 127;
// By facing: up, down, left, right. A punch's after-image has a second frame at the next id.
constexpr std::array<int32_t, 4> kPunchTrails = {113, 115, 109, 111};
constexpr std::array<int32_t, 4> kHeldShields = {119, 120, 117, 118};

struct NamedShape {
    const char* where;  // the file that names the shape, and what it makes or draws of it
    int shape;
};

inline constexpr NamedShape kNamedByCode[] = {
    {"game/world/LevelEntities.cpp: the boss node", kBossNode},
    {"game/world/factories/EntityFactories.cpp: the map node", kMapNode},
    {"game/world/LevelEntities.cpp: the lift", kLift},
    {"game/world/LevelEntities.cpp: the player", kPlayer},
    {"game/world/GameViewRenderer.cpp: the lives icon", kLivesIcon},
    {"game/world/LevelEntities.cpp: a prisoner", kPrisoner},
    {"game/screens/GameOverLogicView.cpp: the lost game's face", kLostFace},
    {"game/world/GameViewRenderer.cpp: the power punches icon", kPowerPunchIcon},
    {"game/world/LevelEntities.cpp: the armour", kArmour},
    {"game/world/systems/PlayerInputSys.cpp: the up punch's after-image", kPunchTrails[0]},
    {"game/world/systems/PlayerInputSys.cpp: the up punch's after-image, frame 2", kPunchTrails[0] + 1},
    {"game/world/systems/PlayerInputSys.cpp: the down punch's after-image", kPunchTrails[1]},
    {"game/world/systems/PlayerInputSys.cpp: the down punch's after-image, frame 2", kPunchTrails[1] + 1},
    {"game/world/systems/PlayerInputSys.cpp: the left punch's after-image", kPunchTrails[2]},
    {"game/world/systems/PlayerInputSys.cpp: the left punch's after-image, frame 2", kPunchTrails[2] + 1},
    {"game/world/systems/PlayerInputSys.cpp: the right punch's after-image", kPunchTrails[3]},
    {"game/world/systems/PlayerInputSys.cpp: the right punch's after-image, frame 2", kPunchTrails[3] + 1},
    {"game/world/systems/PlayerInputSys.cpp: the shield held up", kHeldShields[0]},
    {"game/world/systems/PlayerInputSys.cpp: the shield held down", kHeldShields[1]},
    {"game/world/systems/PlayerInputSys.cpp: the shield held left", kHeldShields[2]},
    {"game/world/systems/PlayerInputSys.cpp: the shield held right", kHeldShields[3]},
};

}  // namespace ShapeIds
