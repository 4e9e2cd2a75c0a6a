#pragma once
#include <cstdint>
#include <string>

#include "engine/map/TileMap.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/PositionMap.h"
#include "engine/util/Random.h"
#include "game/maze/CorridorLookup.h"

namespace MazeTest {

// Checksums of everything a level build produces, read only through the public queries and in
// the maze's own node order, so they change exactly when a result changes, never when only the
// way it is stored does.
uint64_t fingerprintMaze(const Maze::MazeData& maze);
uint64_t fingerprintTiles(const Map::TileMap& map);
uint64_t fingerprintPositions(const Maze::MazeData& maze, const Maze::PositionMap<Maze::Node>& positions);
uint64_t fingerprintCorridors(const Maze::MazeData& maze, const Zelmo::CorridorLookup& lookup);
// Where the random source stands: the next draw.
uint64_t fingerprintRandom(Util::Random& random);

// The fingerprints above as one line of hex numbers.
std::string fingerprintLine(uint64_t maze, uint64_t tiles, uint64_t positions, uint64_t corridors, uint64_t random);

}  // namespace MazeTest
