#pragma once
#include "engine/ecs/Entity.h"

namespace Zelmo {

class GameLogic;

// Walk behaviours: each picks the robot's next heading when it reaches the cell it was heading
// for or is stuck. corridor: the robot stands in a cell with exactly two exits.
void mazeWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void edgeWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void randomWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void stationaryWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void standFollowWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void footAndStarWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void starWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void fishWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void wallBounce(GameLogic& logic, const ecs::Entity& robot, bool corridor);
void bossBulletWalk(GameLogic& logic, const ecs::Entity& robot, bool corridor);

// Scan behaviours: each looks for its target and fires; with fire set, a beam already out is
// re-aimed instead.
void nsewScan(GameLogic& logic, const ecs::Entity& robot, bool fire);
void fullDirScan(GameLogic& logic, const ecs::Entity& robot, bool fire);
void nsewTowerScan(GameLogic& logic, const ecs::Entity& robot, bool fire);
void fullDirTowerScan(GameLogic& logic, const ecs::Entity& robot, bool fire);
void fishScan(GameLogic& logic, const ecs::Entity& robot, bool fire);
void bossScan(GameLogic& logic, const ecs::Entity& robot, bool fire);

// Turns the robot's beam towards a world point at the kind's turn rate.
void aimBeam(GameLogic& logic, const ecs::Entity& robot, float x, float y);

}  // namespace Zelmo
