#include <gtest/gtest.h>

#include "game/world/DisplayComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;


// Placed entities by what they are.
struct Census : ecs::System {
    Census() : System(ecs::componentMask<Zelmo::PVAComp>()) {}
    int count(int shape) const {
        int n = 0;
        for (const ecs::Entity& entity : entities()) {
            n += entity.has<Zelmo::VectorComp>() && entity.get<Zelmo::VectorComp>().shape == shape;
        }
        return n;
    }
    std::vector<ecs::Entity> robots() const {
        std::vector<ecs::Entity> found;
        for (const ecs::Entity& entity : entities()) {
            if (entity.has<Zelmo::RobotComp>()) found.push_back(entity);
        }
        return found;
    }
};

class FixtureLevel : public ::testing::Test {
protected:
    void SetUp() override { harness.startLevel(1); }
    int tile(int cellX, int cellY, float fx, float fy, int dx = 0, int dy = 0) {
        logic().cellToWorld(cellX, cellY, fx, fy);
        return logic().tileMap().getCell((cellX >> 5) + dx, (cellY >> 5) + dy);
    }
    GameLogic& logic() { return harness.logic(); }

    WorldHarness harness{WorldTest::kWorldFixture};
};

TEST_F(FixtureLevel, StampsTheStartAndSpecialCellsAndTheMargins) {
    const Map::TileMap& map = logic().tileMap();
    // Interiors: 16 for the start, 20 for the prisoners' cells.
    EXPECT_EQ(tile(1, 1, 0.0f, 0.0f), 16);
    EXPECT_EQ(tile(4, 3, 0.0f, 0.0f), 20);
    EXPECT_EQ(tile(0, 3, -0.4f, 0.4f), 20);
    EXPECT_NE(tile(2, 2, 0.0f, 0.0f), 16);
    // The top wall run of a three-tile cell: left end, middle, right end.
    int x = 4, y = 3;
    logic().cellToWorld(x, y, -0.5f, -0.5f);
    const int tx = x >> 5, ty = (y >> 5) - 1;
    EXPECT_EQ(map.getCell(tx, ty), 17);
    EXPECT_EQ(map.getCell(tx + 1, ty), 19);
    EXPECT_EQ(map.getCell(tx + 2, ty), 18);
    // Margins left 2, right 1, top 2, bottom 3.
    for (int row = 0; row < map.getHeight(); ++row) {
        EXPECT_EQ(map.getCell(0, row), 31);
        EXPECT_EQ(map.getCell(1, row), 31);
        EXPECT_EQ(map.getCell(map.getWidth() - 1, row), 31);
    }
    for (int column = 0; column < map.getWidth(); ++column) {
        EXPECT_EQ(map.getCell(column, 1), 31);
        EXPECT_EQ(map.getCell(column, map.getHeight() - 3), 31);
    }
    // The margins, the cells and the closing wall.
    EXPECT_EQ(map.getWidth(), 2 + 5 * 4 + 1 + 1);
    EXPECT_EQ(map.getHeight(), 2 + 4 * 4 + 1 + 3);
}

TEST_F(FixtureLevel, StartsThePlayerInTheStartCellWithPrisonersRobotsAndTheLift) {
    Census census;
    logic().world().addSystem(census);
    logic().world().refresh();
    const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
    int x = 1, y = 1;
    logic().cellToWorld(x, y, 0.0f, 0.0f);
    EXPECT_EQ(player.x, float(x));
    EXPECT_EQ(player.y, float(y));
    EXPECT_EQ(logic().player().get<Zelmo::PlayerComp>().lastDirection, 4);
    EXPECT_EQ(logic().player().get<Zelmo::FootstepsComp>().cellX, 1);
    EXPECT_EQ(census.count(25), 1);   // the player
    EXPECT_EQ(census.count(121), 2);  // prisoners
    EXPECT_EQ(census.count(24), 1);   // the lift
    EXPECT_EQ(census.count(22), 0);   // no boss nodes outside level 0
    EXPECT_EQ(logic().prisonersLeft(), 2);

    // A robot aimed at a special cell, and those in sections, stand in free cells; the
    // sectioned one in its band.
    const std::vector<ecs::Entity> robots = census.robots();
    ASSERT_EQ(robots.size(), 3u);
    for (const ecs::Entity& robot : robots) {
        int cellX = int(robot.get<Zelmo::PVAComp>().x), cellY = int(robot.get<Zelmo::PVAComp>().y);
        logic().worldToCell(cellX, cellY);
        EXPECT_TRUE(logic().isFreeCell(cellX, cellY)) << cellX << "," << cellY;
        if (robot.get<Zelmo::RobotComp>().type == 2) {
            EXPECT_EQ(cellX, 3);
            EXPECT_EQ(cellY, 0);
        }
    }
}

TEST_F(FixtureLevel, CellArithmeticRoundTripsAndStaysInTheMaze) {
    const IntBox bounds = logic().mazeBounds();
    EXPECT_EQ(bounds.x, 2 * 32);
    EXPECT_EQ(bounds.y, 2 * 32);
    EXPECT_EQ(bounds.w, 5 * 4 * 32);
    EXPECT_EQ(bounds.h, 4 * 4 * 32);
    for (int cellY = 0; cellY < 4; ++cellY) {
        for (int cellX = 0; cellX < 5; ++cellX) {
            for (float f : {-0.5f, 0.0f, 0.49f}) {
                int x = cellX, y = cellY;
                logic().cellToWorld(x, y, f, f);
                EXPECT_GE(x, bounds.x);
                EXPECT_LT(x, bounds.x + bounds.w);
                float fx = float(x), fy = float(y);
                logic().worldToCellFloat(fx, fy);
                EXPECT_EQ(fx, float(cellX));
                EXPECT_EQ(fy, float(cellY));
            }
        }
    }
}

TEST_F(FixtureLevel, ExitsAgreeBothWaysAndCorridorsEndAtDecisionPoints) {
    const int opposite[4] = {2, 1, 8, 4};
    const int dx[4] = {0, 0, 1, -1};
    const int dy[4] = {-1, 1, 0, 0};
    int decisionPoints = 0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int exits = logic().exitsAt(x, y);
            if (!logic().isFreeCell(x, y)) {
                EXPECT_EQ(exits, 0) << "special cells are left out of the maze";
                continue;
            }
            decisionPoints += logic().exitCount(x, y) != 2;
            for (int i = 0; i < 4; ++i) {
                if (!(exits & (1 << i))) continue;
                EXPECT_TRUE(logic().exitsAt(x + dx[i], y + dy[i]) & opposite[i]) << x << "," << y << " exit " << i;
                int endX = x, endY = y;
                const int links = logic().followCorridor(endX, endY, 1 << i);
                EXPECT_GT(links, 0);
                EXPECT_NE(logic().exitCount(endX, endY), 2) << "a corridor ends at a dead end or junction";
                EXPECT_EQ(int(logic().corridorsFrom(endX, endY, -1).size()), links);
            }
            for (int i = 0; i < 4; ++i) {
                if (exits & (1 << i)) continue;
                int endX = x, endY = y;
                EXPECT_EQ(logic().followCorridor(endX, endY, 1 << i), 0);
                EXPECT_EQ(endX, x);
            }
        }
    }
    EXPECT_GT(decisionPoints, 0);
}

TEST(BossLevel, GetsBossNodesInItsSpecialCellsStillStamped20) {
    WorldHarness harness{WorldTest::kWorldFixture};
    harness.startLevel(0);
    GameLogic& logic = harness.logic();
    Census census;
    logic.world().addSystem(census);
    logic.world().refresh();
    EXPECT_EQ(census.count(22), 2);
    EXPECT_EQ(census.count(121), 0);
    EXPECT_EQ(logic.bossNodesLeft(), 2);
    int x = 3, y = 3;
    logic.cellToWorld(x, y, 0.0f, 0.0f);
    EXPECT_EQ(logic.tileMap().getCell(x >> 5, y >> 5), 20);
    // A two-tile cell's wall run has no middle tile.
    x = 3, y = 3;
    logic.cellToWorld(x, y, -0.5f, -0.5f);
    EXPECT_EQ(logic.tileMap().getCell(x >> 5, (y >> 5) - 1), 17);
    EXPECT_EQ(logic.tileMap().getCell((x >> 5) + 1, (y >> 5) - 1), 18);
}

TEST(LevelChoice, StartLevelBeyondTheListStartsAtTheLastAndNextLevelGoesDown) {
    WorldHarness harness{WorldTest::kWorldFixture};
    harness.startLevel(99);
    EXPECT_EQ(harness.logic().level(), 1);
    harness.reenter("RUNNING", "NEXTLEVEL");
    EXPECT_EQ(harness.logic().level(), 0);
    harness.logic().startLevel(-3);
    EXPECT_EQ(harness.logic().level(), 0);
}

}  // namespace
