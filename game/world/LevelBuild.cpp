#include <cmath>

#include "engine/maze/LevelMap.h"
#include "game/world/GameLogic.h"

// The level's maze and tile map, and the arithmetic between maze cells and world pixels.
namespace Zelmo {
namespace {

constexpr int kTileStart = 16;
constexpr int kTileWallLeft = 17;
constexpr int kTileWallRight = 18;
constexpr int kTileWall = 19;
constexpr int kTileSpecial = 20;
constexpr int kTileMargin = 31;

int nearestEven(double value) { return int(std::nearbyint(float(value))); }

}  // namespace

void GameLogic::buildMaze() {
    m_levelEntry = readLevel(m_level);
    const std::array<int, 15>& values = m_levelEntry.params;
    m_params = Maze::LevelParams{values[0], values[1], values[2],  values[3],  values[4],  values[5],  values[6], values[7],
                                 values[8], values[9], values[10], values[11], values[12], values[13], values[14], {}};
    for (const CellPos& cell : m_levelEntry.specialCells) {
        m_params.specialCells.push_back(cell.x);
        m_params.specialCells.push_back(cell.y);
    }

    m_tileMap.reset();
    m_mazeData.reset();
    m_corridors = std::make_unique<CorridorLookup>(4);
    m_tileMap = Maze::buildLevelMap(m_params, &m_mazeData);
    Maze::buildPositionMap(m_mazeData->getStartNode(), m_positions);
    Maze::buildCorridorLookup(m_mazeData->getStartNode(), *m_corridors);

    const int cellW = m_params.cellWidthTiles;
    const int cellH = m_params.cellHeightTiles;
    for (const CellPos& cell : m_levelEntry.specialCells) {
        int x = cell.x, y = cell.y;
        cellToWorld(x, y, -0.5f, -0.5f);
        const int tx = x >> m_params.tileShiftX;
        const int ty = (y >> m_params.tileShiftY) - 1;
        std::vector<Map::TileChange> wall;
        for (int i = 1; i <= cellW - 2; ++i) wall.push_back({tx + i, ty, kTileWall});
        wall.push_back({tx, ty, kTileWallLeft});
        wall.push_back({tx + cellW - 1, ty, kTileWallRight});
        m_tileMap->setCells(wall);
    }
    for (size_t n = 0; n < m_levelEntry.specialCells.size(); ++n) {
        int x = m_levelEntry.specialCells[n].x, y = m_levelEntry.specialCells[n].y;
        cellToWorld(x, y, -0.5f, 0.5f);
        const int tx = x >> m_params.tileShiftX;
        const int ty = (y >> m_params.tileShiftY) - 1;
        std::vector<Map::TileChange> interior;
        for (int i = 0; i < cellH; ++i) {
            for (int j = 0; j < cellW; ++j) interior.push_back({tx + j, ty - i, n == 0 ? kTileStart : kTileSpecial});
        }
        m_tileMap->setCells(interior);
    }
    const int width = m_tileMap->getWidth();
    const int height = m_tileMap->getHeight();
    auto fill = [this](int x0, int x1, int y0, int y1) {
        std::vector<Map::TileChange> changes;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) changes.push_back({x, y, kTileMargin});
        }
        m_tileMap->setCells(changes);
    };
    fill(0, width, 0, m_params.marginTop);
    fill(0, width, height - m_params.marginBottom, height);
    fill(0, m_params.marginLeft, 0, height);
    fill(width - m_params.marginRight, width, 0, height);
}

void GameLogic::rebuildCorridors() {
    m_corridors = std::make_unique<CorridorLookup>(4);
    Maze::buildCorridorLookup(m_mazeData->getStartNode(), *m_corridors);
}

void GameLogic::cellToWorld(int& x, int& y, float fx, float fy) const {
    const int tw = 1 << m_params.tileShiftX;
    const int th = 1 << m_params.tileShiftY;
    const int halfW = 1 << (m_params.tileShiftX - 1);
    const int halfH = 1 << (m_params.tileShiftY - 1);
    const int nx = nearestEven(double(tw) * (double(fx) + 0.5) * double(m_params.cellWidthTiles));
    const int ny = nearestEven(double(th) * (double(fy) + 0.5) * double(m_params.cellHeightTiles));
    x = (x * (m_params.cellWidthTiles + 1) + m_params.marginLeft) * tw + halfW + nx + halfW;
    y = (y * (m_params.cellHeightTiles + 1) + m_params.marginTop) * th + halfH + ny + halfH;
}

void GameLogic::worldToCell(int& x, int& y) const {
    x = ((x >> m_params.tileShiftX) - m_params.marginLeft) / (m_params.cellWidthTiles + 1);
    y = ((y >> m_params.tileShiftY) - m_params.marginTop) / (m_params.cellHeightTiles + 1);
}

void GameLogic::worldToCellFloat(float& x, float& y) const {
    int cellX = int(std::nearbyint(x));
    int cellY = int(std::nearbyint(y));
    worldToCell(cellX, cellY);
    x = float(cellX);
    y = float(cellY);
}

IntBox GameLogic::mazeBounds() const {
    return {m_params.marginLeft << m_params.tileShiftX, m_params.marginTop << m_params.tileShiftY,
            ((m_params.cellWidthTiles + 1) * m_params.cellsWide) << m_params.tileShiftX,
            ((m_params.cellHeightTiles + 1) * m_params.cellsHigh) << m_params.tileShiftY};
}

bool GameLogic::isFreeCell(int x, int y) const {
    for (const CellPos& cell : m_levelEntry.specialCells) {
        if (cell.x == x && cell.y == y) return false;
    }
    return true;
}

void GameLogic::randomFreeCell(int& x, int& y) {
    do {
        x = int(m_random.nextInt(uint32_t(m_params.cellsWide)));
        y = int(m_random.nextInt(uint32_t(m_params.cellsHigh)));
    } while (!isFreeCell(x, y));
    cellToWorld(x, y, 0.0f, 0.0f);
}

int GameLogic::exitsAt(int x, int y) const {
    const auto found = m_positions.find(Maze::Position{x, y});
    if (found == m_positions.end() || !found->second) return 0;
    const Maze::Node& node = *found->second;
    int bits = 0;
    for (int i = 0; i < node.getNumExits() && i < 4; ++i) {
        if (node.isExitOpen(i)) bits |= 1 << i;
    }
    return bits;
}

int GameLogic::exitCount(int x, int y) const {
    const int bits = exitsAt(x, y);
    const int count = (bits & 1) + ((bits >> 1) & 1) + ((bits >> 2) & 1) + ((bits >> 3) & 1);
    return count < 3 ? count : 3;
}

CorridorNode* GameLogic::corridorAt(int x, int y, int direction) const {
    if (direction < 0 || direction > 3) return nullptr;
    return m_corridors->getDirectionEntry(size_t(direction), Maze::Position{x, y});
}

int GameLogic::followCorridor(int& x, int& y, int directionBit) const {
    int direction = -1;
    switch (directionBit) {
        case 1: direction = 0; break;
        case 2: direction = 1; break;
        case 4: direction = 2; break;
        case 8: direction = 3; break;
        default: return 0;
    }
    const CorridorNode* node = corridorAt(x, y, direction);
    if (!node) return 0;
    x = node->node->getPosition()[0];
    y = node->node->getPosition()[1];
    return int(node->links.size());
}

std::vector<std::pair<int, int>> GameLogic::corridorsFrom(int x, int y, int direction) const {
    const CorridorNode* node =
        direction < 0 ? m_corridors->getNode(Maze::Position{x, y}) : corridorAt(x, y, direction);
    std::vector<std::pair<int, int>> links;
    if (!node) return links;
    for (const CorridorLink& link : node->links) links.emplace_back(1 << link.exit, link.deadEndDepth);
    return links;
}

// Fixed cells that fall on a special cell go to a random free cell instead.
void GameLogic::placeSpawn(const RobotSpawnEntry& spawn, int& x, int& y) {
    auto pick = [this](int fixed, int section, int sections, int cells) {
        if (fixed != -1) return fixed;
        const int band = section != -1 ? section : int(m_random.nextInt(uint32_t(sections)));
        const int start = int(float(cells) / float(sections) * float(band));
        return start + int(m_random.nextInt(uint32_t(cells / sections)));
    };
    x = pick(spawn.x, spawn.columnSection, spawn.columnSections, m_params.cellsWide);
    y = pick(spawn.y, spawn.rowSection, spawn.rowSections, m_params.cellsHigh);
    if (isFreeCell(x, y)) {
        cellToWorld(x, y, 0.0f, 0.0f);
    } else {
        randomFreeCell(x, y);
    }
}

void GameLogic::spawnRobots() {
    for (const RobotSpawnEntry& spawn : m_levelEntry.robots) {
        int x = 0, y = 0;
        placeSpawn(spawn, x, y);
        createRobot(spawn.type, x, y);
    }
}

}  // namespace Zelmo
