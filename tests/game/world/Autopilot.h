#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/ecs/System.h"
#include "game/world/MotionComps.h"
#include "game/world/PathFinderComp.h"
#include "game/world/RobotComp.h"
#include "tests/game/world/Hands.h"
#include "tests/game/world/MazeCells.h"
#include "tests/game/world/WorldHarness.h"

namespace WorldTest {

// Plays the game as a player would, through the game's own move and punch actions: breaks out
// of the start room, walks the path finder's routes to every prisoner's room (or boss node),
// punches the doors and the robots in its way, and leaves by the lift. Tests, benchmarks and
// the soak run share it. It plays with keyboard hands unless given others, which then carry out
// what it wants in their own time.
class Autopilot {
public:
    using Cell = MazeCell;

    // Ten minutes of play, far more than any shipped level needs: the most a level is played
    // before it is given up.
    static constexpr int kLevelUpdates = int(10 * 60 * 1000 / WorldHarness::kStepMs);

    explicit Autopilot(WorldHarness& harness);
    // The hands must outlive the autopilot.
    Autopilot(WorldHarness& harness, Hands& hands);

    // Plays the running level until it returns a command ("NEXTLEVEL", "WON", "DEAD", "LOST")
    // or maxUpdates have run (""); gives that command.
    std::string playLevel(int maxUpdates);
    // A whole game from the first level: each level is played until it is left, a death plays
    // it again. The last command ("WON", "LOST", or "" when maxUpdates ran out).
    std::string playGame(int maxUpdates);

    // Plays level after level from the first, a new game after the boss level or the last life;
    // a level that cannot be finished within levelUpdates is left for the next one down. After
    // each level, levelEnded(level, command) says whether to play on. Each level starts with the
    // harness's record of sounds emptied: an endless game would otherwise keep every sound it
    // ever played.
    void playLevelsWhile(int levelUpdates,
                         const std::function<bool(int level, const std::string& command)>& levelEnded);

    int updates() const { return m_updates; }
    // Why the last level was given up, for a test's message.
    const std::string& trouble() const { return m_trouble; }

private:
    struct Robots : ecs::System {
        Robots() : System(ecs::componentMask<Zelmo::RobotComp, Zelmo::PVAComp>()) {}
    };

    // How a walk to a neighbouring cell ended: there, carried off by a lunge or a knock-back
    // into a cell that is neither the one it set out from nor the one it went to, or with the
    // level over or the updates run out.
    enum class Walk { Arrived, Displaced, Ended };

    Walk walkTo(const Cell& cell);
    // Each gives false when the level ended or the updates ran out.
    bool walkRoute(const Cell& goal);
    bool enterFromAbove(const Cell& room);
    // Within: near enough, when nearer than the hands' own reach of a point.
    bool stepToward(float x, float y, bool& arrived, float within = 1e9f);
    // How far the player walks on after the autopilot lets go of a walk, in world units.
    float walkOn() const;
    // How near a point the player must stand to count as there.
    float nearEnough() const;
    bool punch(const char* direction);
    bool enterRoom(const Cell& room);
    bool leaveRoom(const Cell& room);
    bool rescueAt(const Cell& room);
    bool huntBoss();
    bool leaveByLift();
    bool update();
    void hold(const char* direction);
    // Wants the intent and plays on until the hands carry it out; false when the level ended or
    // the updates ran out first.
    bool reach(const Intent& intent);

    Cell playerCell();
    Cell cellOf(const ecs::Entity& entity);
    // From the player to the entity, in world units.
    std::pair<float, float> offsetTo(const ecs::Entity& entity);
    std::vector<Cell> routeCells(const Cell& from, const Cell& goal);
    // A robot standing within reach along the direction.
    bool robotAhead(const char* direction);
    std::pair<float, float> centreOf(const Cell& cell);

    // The robots punched this level, with their health after the last blow.
    struct Punched {
        ecs::Entity robot;
        float health;
        int unhurt;
    };

    WorldHarness& m_harness;
    KeyboardHands m_keyboard;
    Hands& m_hands;
    std::vector<Punched> m_punched;
    Robots m_robots;
    std::string m_command;
    std::string m_trouble;
    // The way the last walk went.
    const char* m_walking = nullptr;
    // The route goes straight on from the cell walked to.
    bool m_straightOn = false;
    // Backing off from a point too near to stop at ran into a wall.
    bool m_wallBehind = false;
    int m_updates = 0;
    size_t m_deathsInARow = 0;
    int m_updateLimit = 0;
};

}  // namespace WorldTest
