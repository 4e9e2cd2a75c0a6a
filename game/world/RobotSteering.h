#pragma once
#include "engine/ecs/Entity.h"

namespace Zelmo {

class GameLogic;
struct PVAComp;
struct RobotComp;

// Robots steer in maze cells by the exit bits: 1 row - 1, 2 row + 1, 4 column + 1, 8 column - 1.
// Side A and side B of a direction are its two turns; other values have none (0).
int sideA(int direction);
int sideB(int direction);
int reverseOf(int direction);
// One of 1, 2, 4, 8.
int randomDirection(GameLogic& logic);

// The tile under a world position, rounded to the nearest tile corner as robots count it.
int tileUnderX(const GameLogic& logic, float x);
int tileUnderY(const GameLogic& logic, float y);
struct RobotCell {
    int x = 0;
    int y = 0;
};
RobotCell cellOf(const GameLogic& logic, float x, float y);

// Heads the robot for the centre of the next cell along direction.
void steerRobot(GameLogic& logic, int cellX, int cellY, int direction, PVAComp& pva, RobotComp& robot);
// The one exit left once the way back is taken away; 0 when there is none or several.
int onlyForwardExit(const GameLogic& logic, int cellX, int cellY, int lastDirection);
// The exit whose corridor ends exactly at the target cell, 0 when none does.
int corridorLeadingTo(const GameLogic& logic, int cellX, int cellY, int targetX, int targetY);

// A line over tiles from one world point to another, no more than stepLimit steps long, that
// crosses no tile blocking sight (the two end tiles are not looked at).
bool lineOfSight(GameLogic& logic, int stepLimit, float fromX, float fromY, float toX, float toY);
// Straight along an open corridor from the cell to the target, at most range cells away.
bool seesAlongCorridor(const GameLogic& logic, int range, int cellX, int cellY, int targetX, int targetY);
// The step limit of sight in every direction: the cell diagonal in pixels times the range factor.
int fullDirSightLimit(const GameLogic& logic, int rangeFactor);

// Steers along the player's footstep in the robot's cell, when the robot hunts the player and
// the footstep is fresh enough; corridor tells whether the cell is a plain corridor.
bool followFootsteps(GameLogic& logic, const ecs::Entity& robot, bool& corridor);

}  // namespace Zelmo
