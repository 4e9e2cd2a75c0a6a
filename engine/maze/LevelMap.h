#pragma once
#include <memory>

#include "engine/map/TileMap.h"
#include "engine/maze/LevelParams.h"
#include "engine/maze/MazeData.h"

namespace Maze {

// Tile values written by the level builder: floor, wall tiles 1..14 whose value is the mask of
// wall neighbours, and solid rock.
enum LevelTile : int {
    kFloor = 0,
    kWallWest = 1,
    kWallEast = 2,
    kWallSouth = 4,
    kWallNorth = 8,
    kWallHorizontal = kWallWest | kWallEast,
    kWallVertical = kWallSouth | kWallNorth,
    kSolid = 15,
};

// Generates the level's maze and blows each cell up into (cellWidthTiles + 1) x
// (cellHeightTiles + 1) tiles: a pillar, a top wall run, a left wall run and an open interior,
// all inside solid margins. The maze goes to mazeOut when one is given, else it is dropped.
std::unique_ptr<Map::TileMap> buildLevelMap(const LevelParams& params, std::unique_ptr<MazeData>* mazeOut = nullptr);

}  // namespace Maze
