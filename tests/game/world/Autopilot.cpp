#include "tests/game/world/Autopilot.h"

#include <algorithm>
#include <cmath>

#include "engine/data/Globals.h"
#include "game/config/ConfigReaders.h"
#include "game/config/Settings.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"

namespace WorldTest {
namespace {

using Zelmo::GameLogic;
using Zelmo::PathPoint;
using Zelmo::PathState;

// Near enough to a point to count as there, and the misalignment corrected before going on:
// more than a walking step, so that the player does not swing about the point.
constexpr float kNear = 6.0f;
// Updates without moving before the way counts as blocked and is punched open.
constexpr int kBlockedUpdates = 6;
constexpr int kChargeUpdates = 30;
constexpr int kLungeUpdates = 20;
// Updates one cell may take, blows included, before the walk gives up; for a walk, only those in
// which the hands hold what the autopilot wants count.
constexpr int kUpdatesPerCell = 900;
constexpr float kRobotReach = 110.0f;
// Blows that leave a robot unhurt before the player gives up on it.
constexpr int kUnhurtBlows = 3;
// Moves towards the boss, or blows at it, before the hunt is given up.
constexpr int kBossChases = 400;

const char* const kUp = "UP";
const char* const kDown = "DN";
const char* const kLeft = "LF";
const char* const kRight = "RT";

const char* opposite(const char* direction) {
    return direction == kUp ? kDown : direction == kDown ? kUp : direction == kLeft ? kRight : kLeft;
}

// The movement's heading of a walk that way.
int headingOf(const char* direction) {
    return direction == kUp ? 0 : direction == kRight ? 90 : direction == kDown ? 180 : 270;
}

}  // namespace

Autopilot::Autopilot(WorldHarness& harness) : m_harness(harness), m_keyboard(harness), m_hands(m_keyboard) {}

Autopilot::Autopilot(WorldHarness& harness, Hands& hands) : m_harness(harness), m_keyboard(harness), m_hands(hands) {}

std::string Autopilot::playGame(int maxUpdates) {
    const int end = m_updates + maxUpdates;
    m_harness.startLevel(int(Zelmo::getOptionValue("START_LEVEL")));
    for (;;) {
        const std::string command = playLevel(end - m_updates);
        if (command == "NEXTLEVEL" || command == "DEAD") {
            m_harness.reenter("RUNNING", command);
            continue;
        }
        return command;
    }
}

void Autopilot::playLevelsWhile(int levelUpdates,
                                const std::function<bool(int level, const std::string& command)>& levelEnded) {
    const int first = int(Zelmo::getOptionValue("START_LEVEL"));
    m_harness.startLevel(first);
    for (;;) {
        const int level = m_harness.logic().level();
        m_harness.sound().forget();
        const std::string command = playLevel(levelUpdates);
        if (!levelEnded(level, command)) return;
        if (command == "NEXTLEVEL" || command == "DEAD") {
            m_harness.reenter("RUNNING", command);
        } else if (command.empty() && level > 0) {
            m_harness.startLevel(level - 1);
        } else {
            m_harness.startLevel(first);
        }
    }
}

std::string Autopilot::playLevel(int maxUpdates) {
    m_updateLimit = m_updates + maxUpdates;
    m_command.clear();
    m_trouble.clear();
    m_punched.clear();
    GameLogic& logic = m_harness.logic();
    logic.world().addSystem(m_robots);

    const std::vector<Zelmo::CellPos>& special = logic.levelEntry().specialCells;
    const Cell start{special.front().x, special.front().y};
    bool playing = leaveRoom(start);
    // A level played again after a death plays out as before, robots and all: the prisoners are
    // visited in another order, as a player would try another way.
    const size_t rooms = special.size() - 1;
    for (size_t i = 0; playing && i < rooms; ++i) {
        const Zelmo::CellPos& room = special[1 + (i + m_deathsInARow) % rooms];
        playing = rescueAt(Cell{room.x, room.y});
    }
    if (playing && logic.level() == 0) playing = huntBoss();
    if (playing) playing = enterFromAbove(start) && leaveByLift();
    hold(nullptr);
    m_deathsInARow = m_command == "DEAD" ? m_deathsInARow + 1 : 0;
    return m_command;
}

bool Autopilot::update() {
    if (!m_command.empty()) return false;
    if (m_updates >= m_updateLimit) {
        if (m_trouble.empty()) m_trouble = "out of updates";
        return false;
    }
    m_updates += 1;
    m_hands.beforeStep();
    m_command = m_harness.step();
    return m_command.empty();
}

void Autopilot::hold(const char* direction) {
    m_walking = direction;
    m_hands.want(Intent{direction, false});
}

bool Autopilot::reach(const Intent& intent) {
    m_hands.want(intent);
    while (!m_hands.settled()) {
        if (!update()) return false;
    }
    return true;
}

std::pair<float, float> Autopilot::centreOf(const Cell& cell) {
    int x = cell.x, y = cell.y;
    m_harness.logic().cellToWorld(x, y, 0.0f, 0.0f);
    return {float(x), float(y)};
}

Autopilot::Cell Autopilot::cellOf(const ecs::Entity& entity) {
    const Zelmo::PVAComp& pva = entity.get<Zelmo::PVAComp>();
    int x = int(pva.x), y = int(pva.y);
    m_harness.logic().worldToCell(x, y);
    return {x, y};
}

std::pair<float, float> Autopilot::offsetTo(const ecs::Entity& entity) {
    const Zelmo::PVAComp& at = entity.get<Zelmo::PVAComp>();
    const Zelmo::PVAComp& me = m_harness.logic().player().get<Zelmo::PVAComp>();
    return {at.x - me.x, at.y - me.y};
}

Autopilot::Cell Autopilot::playerCell() { return cellOf(m_harness.logic().player()); }

// The path finder's route, its stops joined up by the corridors' own cells.
std::vector<Autopilot::Cell> Autopilot::routeCells(const Cell& from, const Cell& goal) {
    const GameLogic& logic = m_harness.logic();
    Zelmo::PathFinder finder(logic);
    const auto [fx, fy] = centreOf(from);
    const auto [gx, gy] = centreOf(goal);
    PathState state = finder.findPath(int(fx), int(fy), int(gx), int(gy));
    while (state == PathState::Searching) state = finder.step();
    std::vector<Cell> cells;
    if (state != PathState::Found) return cells;
    std::vector<PathPoint> path;
    finder.extractPath(path);
    Cell at = from;
    for (const PathPoint& point : path) {
        if (point.direction == 0) continue;
        const std::vector<Cell> corridor = corridorCells(logic, at, point.direction, Cell{point.x, point.y});
        if (corridor.empty()) continue;
        cells.insert(cells.end(), corridor.begin(), corridor.end());
        at = corridor.back();
    }
    return cells;
}

// The route is laid again only when something has carried the player off it, and then from the
// cell the player stands in: a route laid again from each cell on the way may lead back the way
// the player came, and the player would pace between two cells for good.
bool Autopilot::walkRoute(const Cell& goal) {
    for (;;) {
        const Cell from = playerCell();
        if (from == goal) return true;
        // A lunge through an open door carries the player into a room, which no corridor reaches.
        if (!m_harness.logic().isFreeCell(from.x, from.y)) {
            if (walkTo(Cell{from.x, from.y - 1}) == Walk::Ended) return false;
            continue;
        }
        std::vector<Cell> route = routeCells(from, goal);
        if (route.empty()) {
            m_trouble = "no route from (" + std::to_string(from.x) + "," + std::to_string(from.y) + ") to (" +
                        std::to_string(goal.x) + "," + std::to_string(goal.y) + ")";
            return false;
        }
        route.insert(route.begin(), from);
        size_t next = 1;
        while (next < route.size()) {
            m_straightOn = next + 1 < route.size() &&
                           route[next + 1].x - route[next].x == route[next].x - route[next - 1].x &&
                           route[next + 1].y - route[next].y == route[next].y - route[next - 1].y;
            const Walk walk = walkTo(route[next]);
            m_straightOn = false;
            if (walk == Walk::Ended) return false;
            if (walk == Walk::Arrived) {
                next += 1;
                continue;
            }
            // Carried along the route (or back along it) the walk goes on from there.
            const auto at = std::find(route.begin(), route.end(), playerCell());
            if (at == route.end()) break;
            next = size_t(at - route.begin()) + 1;
        }
        if (next >= route.size() && !(playerCell() == goal)) {
            m_trouble = "the route did not lead to (" + std::to_string(goal.x) + "," + std::to_string(goal.y) + ")";
            return false;
        }
    }
}

// Rooms lie outside the maze's corridors: the player walks to the cell above and steps down
// through the door, and starts again from the corridors when knocked off the way in.
bool Autopilot::enterFromAbove(const Cell& room) {
    for (;;) {
        if (!walkRoute(Cell{room.x, room.y - 1})) return false;
        const Walk walk = walkTo(room);
        if (walk != Walk::Displaced) return walk == Walk::Arrived;
    }
}

Autopilot::Walk Autopilot::walkTo(const Cell& cell) {
    const Cell from = playerCell();
    const auto [x, y] = centreOf(cell);
    const Zelmo::PVAComp& pva = m_harness.logic().player().get<Zelmo::PVAComp>();
    float lastX = pva.x, lastY = pva.y;
    int still = 0;
    for (int i = 0; i < kUpdatesPerCell; i += m_hands.settled() ? 1 : 0) {
        bool arrived = false;
        if (!stepToward(x, y, arrived)) return Walk::Ended;
        if (arrived) return Walk::Arrived;
        const Cell at = playerCell();
        if (!(at == from) && !(at == cell)) {
            hold(nullptr);
            return Walk::Displaced;
        }
        const Zelmo::PVAComp& now = m_harness.logic().player().get<Zelmo::PVAComp>();
        // Standing still while the hands are still on their way to the walk is no wall.
        const char* walking = m_hands.settled() ? m_walking : nullptr;
        still = (walking && now.x == lastX && now.y == lastY) ? still + 1 : 0;
        lastX = now.x;
        lastY = now.y;
        if (still >= kBlockedUpdates) {
            if (!punch(walking)) return Walk::Ended;
            still = 0;
        }
    }
    m_trouble = "stuck on the way from (" + std::to_string(from.x) + "," + std::to_string(from.y) + ") to (" +
                std::to_string(cell.x) + "," + std::to_string(cell.y) + ") at (" + std::to_string(playerCell().x) +
                "," + std::to_string(playerCell().y) + ")";
    return Walk::Ended;
}

// Straightens up across the way first, then walks along it.
// Hands that let go only a while after the autopilot does are let go of that much earlier, while
// the player still has as far to go as it walks on in that while; unless the way goes straight on
// from the point.
bool Autopilot::stepToward(float x, float y, bool& arrived, float within) {
    const Zelmo::PVAComp& pva = m_harness.logic().player().get<Zelmo::PVAComp>();
    const float dx = x - pva.x, dy = y - pva.y;
    const float near = std::min(nearEnough(), within);
    arrived = std::fabs(dx) <= near && std::fabs(dy) <= near;
    // A player that still walks on after being let go of is there only once it stands.
    if (arrived && !m_straightOn && walkOn() > 0.0f && pva.moved) {
        arrived = false;
        hold(nullptr);
        return update();
    }
    if (arrived) {
        if (!m_straightOn) hold(nullptr);
        m_wallBehind = false;
        return true;
    }
    const bool alongX = std::fabs(dx) > std::fabs(dy);
    const bool straighten = alongX ? std::fabs(dy) > near : std::fabs(dx) > near;
    const char* direction = nullptr;
    if (alongX != straighten) {
        direction = dx > 0 ? kRight : kLeft;
    } else {
        // "UP" walks towards greater y, the way the screen shows as up.
        direction = dy > 0 ? kUp : kDown;
    }
    if (robotAhead(direction)) return punch(direction);
    const float ahead = (direction == kRight || direction == kLeft) ? std::fabs(dx) : std::fabs(dy);
    // Let go of or not, a player on its way there walks on.
    const bool walkingThere = pva.moved && pva.heading == headingOf(direction);
    // Slow hands turn a player that still walks on the old way only once it stands: turned at
    // once, it would walk past the corner before the turn took.
    const bool turnsWhileWalking = pva.moved && !walkingThere && pva.heading != headingOf(opposite(direction));
    if (walkOn() > 0.0f && turnsWhileWalking) {
        hold(nullptr);
        return update();
    }
    const bool goingOn = m_straightOn && !straighten;
    const bool stopsShort = ahead <= kNear + walkOn();
    // Too near to walk there and stop in time: the player backs off first, then comes again.
    // A wall behind it cuts the backing off short.
    const char* away = opposite(direction);
    if (m_walking == away && m_hands.settled() && !pva.moved) m_wallBehind = true;
    if (walkingThere) m_wallBehind = false;
    if (stopsShort && ahead > near && !m_wallBehind && (!pva.moved || pva.heading == headingOf(away))) {
        hold(away);
    } else {
        hold(walkingThere && !goingOn && stopsShort ? nullptr : direction);
    }
    return update();
}

// The least walk slow hands make is the walk on after letting go: a correction shorter than that
// lands as far beyond the point, so half of it is near enough.
float Autopilot::nearEnough() const { return std::max(kNear, walkOn() / 2.0f + Globals::getFloat("PLAYERSPEED")); }

float Autopilot::walkOn() const {
    const float steps = std::ceil(m_hands.lagMs() / WorldHarness::kStepMs);
    return steps * Globals::getFloat("PLAYERSPEED");
}

// Holds the punch with the direction until the blow is charged, then lets go: the player lunges
// that way.
bool Autopilot::punch(const char* direction) {
    m_walking = nullptr;
    bool playing = reach(Intent{direction, true});
    for (int i = 0; i < kChargeUpdates && playing; ++i) playing = update();
    if (playing) playing = reach(Intent{nullptr, true}) && update();
    if (playing) playing = reach(Intent{});
    for (int i = 0; i < kLungeUpdates && playing; ++i) playing = update();
    return playing;
}

// A robot that a blow leaves unhurt is walked past: it stands in nobody's way.
// Slow hands go for the punch as much further off as the player walks in their lag: a robot that
// reaches the player first keeps it from crouching.
bool Autopilot::robotAhead(const char* direction) {
    const Zelmo::PVAComp& me = m_harness.logic().player().get<Zelmo::PVAComp>();
    const float reach = kRobotReach + walkOn();
    const float ax = direction == kRight ? 1.0f : direction == kLeft ? -1.0f : 0.0f;
    const float ay = direction == kUp ? 1.0f : direction == kDown ? -1.0f : 0.0f;
    for (const ecs::Entity& robot : m_robots.entities()) {
        if (robot.has<Zelmo::KillComp>() || !robot.has<Zelmo::CBoxComp>()) continue;
        const Zelmo::PVAComp& pva = robot.get<Zelmo::PVAComp>();
        const float dx = pva.x - me.x, dy = pva.y - me.y;
        const float along = dx * ax + dy * ay;
        const float across = std::fabs(dx * ay - dy * ax);
        if (along <= 0.0f || along >= reach || across >= kRobotReach / 2.0f) continue;
        const float health = robot.get<Zelmo::RobotComp>().health;
        const auto known =
            std::find_if(m_punched.begin(), m_punched.end(), [&robot](const Punched& p) { return p.robot == robot; });
        if (known == m_punched.end()) {
            m_punched.push_back(Punched{robot, health, 0});
            return true;
        }
        if (health < known->health) {
            known->health = health;
            known->unhurt = 0;
            return true;
        }
        if (known->unhurt < kUnhurtBlows) {
            known->unhurt += 1;
            return true;
        }
    }
    return false;
}

// Carried off on the way out is out all the same: the next route starts wherever the player is.
bool Autopilot::leaveRoom(const Cell& room) { return walkTo(Cell{room.x, room.y - 1}) != Walk::Ended; }

// Slow hands may stop the player short of the prisoner (or boss node) in the room's middle: it
// walks on to it until its touch has freed it.
bool Autopilot::rescueAt(const Cell& room) {
    const GameLogic& logic = m_harness.logic();
    const auto left = [&logic] { return logic.prisonersLeft() + logic.bossNodesLeft(); };
    const int before = left();
    if (!enterFromAbove(room)) return false;
    const auto [x, y] = centreOf(room);
    bool arrived = false;
    for (int i = 0; i < kUpdatesPerCell && !arrived && left() == before; i += m_hands.settled() ? 1 : 0) {
        if (!stepToward(x, y, arrived, kNear)) return false;
    }
    return leaveRoom(room);
}

// The boss level is won with the boss dead: the player walks up to it and punches it until it
// dies. The boss walks, so the route is laid again from wherever it has got to.
bool Autopilot::huntBoss() {
    GameLogic& logic = m_harness.logic();
    for (int chase = 0; chase < kBossChases && !logic.bossDefeated(); ++chase) {
        ecs::Entity boss;
        for (const ecs::Entity& robot : m_robots.entities()) {
            if (robot.get<Zelmo::RobotComp>().type == GameLogic::kBossRobotType && !robot.has<Zelmo::KillComp>()) {
                boss = robot;
            }
        }
        if (!boss.isValid()) {
            m_trouble = "no boss on the boss level";
            return false;
        }
        const auto [dx, dy] = offsetTo(boss);
        if (std::fabs(dx) < kRobotReach && std::fabs(dy) < kRobotReach) {
            const bool alongX = std::fabs(dx) > std::fabs(dy);
            if (!punch(alongX ? (dx > 0 ? kRight : kLeft) : (dy > 0 ? kUp : kDown))) return false;
            continue;
        }
        const Cell lair = cellOf(boss);
        const std::vector<Cell> cells = routeCells(playerCell(), lair);
        // The whole route while the boss keeps to its cell: a route laid again from each cell
        // on the way may lead back the way the player came, and the player would pace between
        // two cells for good.
        for (const Cell& cell : cells) {
            const Walk walk = walkTo(cell);
            if (walk == Walk::Ended) return false;
            if (walk == Walk::Displaced) break;
            if (!boss.isValid() || boss.has<Zelmo::KillComp>()) break;
            const auto [nx, ny] = offsetTo(boss);
            if (!(cellOf(boss) == lair) || (std::fabs(nx) < kRobotReach && std::fabs(ny) < kRobotReach)) break;
        }
        if (cells.empty() && !update()) return false;
    }
    if (!logic.bossDefeated()) m_trouble = "the boss outlived the hunt";
    return logic.bossDefeated();
}

// The lift stands at the start room's left wall: the player lines up with it and walks into it.
bool Autopilot::leaveByLift() {
    const Cell start{m_harness.logic().levelEntry().specialCells.front().x,
                     m_harness.logic().levelEntry().specialCells.front().y};
    int x = start.x, y = start.y;
    m_harness.logic().cellToWorld(x, y, -0.5f, -0.25f);
    const float cy = centreOf(start).second;
    // The lift takes a player anywhere in the lower half of the room's height, wherever across
    // the room it comes from.
    const float within = (cy - float(y)) - Globals::getFloat("PLAYERSPEED");
    bool arrived = false;
    for (int i = 0; i < kUpdatesPerCell && !arrived; i += m_hands.settled() ? 1 : 0) {
        const float across = m_harness.logic().player().get<Zelmo::PVAComp>().x;
        if (!stepToward(across, float(y), arrived, within)) return false;
    }
    for (int i = 0; i < kUpdatesPerCell; i += m_hands.settled() ? 1 : 0) {
        hold(kLeft);
        if (!update()) return m_command == "NEXTLEVEL" || m_command == "WON";
    }
    m_trouble = "the lift did not take the player";
    return false;
}

}  // namespace WorldTest
