#pragma once
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/Events_generated.h"
#include "engine/ecs/World.h"
#include "engine/events/EventReceiver.h"
#include "engine/map/IMapRenderer.h"
#include "engine/map/MapView.h"
#include "engine/map/TileCollisionMap.h"
#include "engine/map/TileMap.h"
#include "engine/maze/LevelParams.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/PositionMap.h"
#include "engine/shell/LogicState.h"
#include "engine/util/Random.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/config/ConfigReaders.h"
#include "game/maze/CorridorLookup.h"
#include "game/world/GameView.h"
#include "game/world/IGameViewRenderer.h"
#include "game/world/ProfileTimer.h"
#include "game/world/factories/BoltLook.h"
#include "game/world/systems/AnimationSys.h"
#include "game/world/systems/BeamSys.h"
#include "game/world/systems/CameraSys.h"
#include "game/world/systems/CollisionSys.h"
#include "game/world/systems/EffectsSys.h"
#include "game/world/systems/FootstepSys.h"
#include "game/world/systems/KillSys.h"
#include "game/world/systems/LightningSys.h"
#include "game/world/systems/MovementSys.h"
#include "game/world/systems/MazeMapDisplaySys.h"
#include "game/world/systems/MazeMapSys.h"
#include "game/world/systems/PlayerInputSys.h"
#include "game/world/systems/PolyDisplaySys.h"
#include "game/world/systems/PowerUpSys.h"
#include "game/world/systems/RobotSys.h"
#include "game/world/systems/TextInfoSys.h"
#include "game/world/systems/TimerSys.h"
#include "game/world/systems/VectorDisplaySys.h"
#include "game/world/systems/VectorTextSys.h"
#include "game/world/systems/ZappedSys.h"

class AppContext;

namespace Zelmo {

// The running game: owns everything a level is made of and the systems that run it. Entering
// builds a level (or resumes one after the pause); each update runs the systems and returns the
// command that ends the level ("DEAD", "LOST", "NEXTLEVEL", "WON") or that the player chose
// ("PAUSE", "QUIT"). Runs without a window: every random choice comes from its own generator.
class GameLogic : public Game::ILogicState, public EVT::EventReceiver<LogicReturnEvent> {
public:
    // "ECS" (the world refresh) and the systems, in update order.
    static const std::array<const char*, 21> systemNames;
    static constexpr int kBossRobotType = 17;
    static constexpr int kBossBulletRobotType = 16;

    // The map view draws the level's tiles through the renderer (tests pass one without a GPU).
    // Without a view renderer the level is drawn through the window's renderer layer; the
    // headless world passes a stand-in that draws nothing.
    explicit GameLogic(AppContext& context, Map::IMapRenderer& mapRenderer = Map::gfxMapRenderer(),
                       std::unique_ptr<IGameViewRenderer> viewRenderer = nullptr);
    ~GameLogic() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dt) override;
    void leave(const std::string& reason) override;
    // Builds a level (clamped to the level list) with the lives kept; enter calls it after
    // choosing the level.
    void startLevel(int level);
    // Stored whether or not the state is current; the next update returns it.
    void receive(const LogicReturnEvent& event) override;

    void loseLife();
    // The player stands in the lift facing out: leaves the level when its goal is met.
    void checkLevelEnd();
    // A name not in systemNames is a fatal stop.
    ProfileTimer& timer(const std::string& name);

    // Level construction.
    void buildMaze();
    // Indexes the corridors again after the maze's passages were changed by hand.
    void rebuildCorridors();
    void cellToWorld(int& x, int& y, float fx, float fy) const;
    void worldToCell(int& x, int& y) const;
    void worldToCellFloat(float& x, float& y) const;
    IntBox mazeBounds() const;
    bool isFreeCell(int x, int y) const;
    // A cell that holds nothing special, as the world position of its centre.
    void randomFreeCell(int& x, int& y);
    // Exit bits 1, 2, 4, 8 for the open exits 0 to 3 of the cell's maze node.
    int exitsAt(int x, int y) const;
    // 0, 1, 2, or 3 for three or more open exits.
    int exitCount(int x, int y) const;
    CorridorNode* corridorAt(int x, int y, int direction) const;
    const CorridorLookup& corridors() const { return *m_corridors; }
    // Moves (x, y) to the decision point that way and gives its link count; 0 when there is none.
    int followCorridor(int& x, int& y, int directionBit) const;
    // (exit bit, dead-end depth) per link of the node on the cell (direction < 0) or of the node
    // reached that way.
    std::vector<std::pair<int, int>> corridorsFrom(int x, int y, int direction) const;

    // The entities every level starts with.
    ecs::Entity createPlayer(float x, float y);
    ecs::Entity createPrisoner(int cellX, int cellY);
    ecs::Entity createBossNode(int cellX, int cellY);
    ecs::Entity createRobot(int type, int x, int y);
    ecs::Entity createLift();

    // Entities made during play (factories/).
    ecs::Entity createEntity();
    // Shaped by the animation's first frame; not activated.
    ecs::Entity createAnimatedEntity(int animation, bool withBoxes);
    ecs::Entity createFish(int x, int y);
    ecs::Entity createMapNode(int x, int y, int animation);
    // Placed in percent of the window; with scroll, revealed by a sweeping line.
    ecs::Entity createText(float xPercent, float yPercent, const std::string& text, uint32_t colour, bool centre,
                           float scale, float lifetime, bool filled, bool scroll);
    ecs::Entity createDoorPiece(int x, int y, int heading, float finalAngle);
    // (aimX, aimY) is a point in the entity's frame that the beam points at. A beam the entity
    // already has is replaced, with the effect chains aimed into it.
    void addBeam(int type, ecs::Entity entity, float originX, float originY, float aimX, float aimY, float growthStep,
                 bool trace);
    ecs::Entity createBeamEffect(int type, float x, float y, float targetX, float targetY, float growthStep,
                                 bool trace);
    // A hostile shot from (x + ox, y + oy) toward (tx, ty); the emitter's id.
    int fireParticles(float x, float y, int definition, float ox, float oy, float tx, float ty);
    void aimEmitter(int id, float fromX, float fromY, float toX, float toY);
    ecs::Entity fireBossBullet(int x, int y);
    // A strike of boltCount bolts, each outline drawn passCount times; not activated.
    ecs::Entity createLightning(int strikeType, int boltCount, int passCount, float x0, float y0, float x1, float y1,
                                bool withComponent);
    ecs::Entity createLightningBolt(const BoltLook& look, int boltCount, int passCount, float x0, float y0, float x1,
                                    float y1, bool withComponent);
    // A strike that moves with its source, offset by (dx, dy).
    ecs::Entity createLinkedLightning(const ecs::Entity& source, int dx, int dy, int strikeType, int boltCount,
                                      int passCount, float x0, float y0, float x1, float y1);
    void linkPVA(const ecs::Entity& source, const ecs::Entity& follower, int dx, int dy);

    // Game events (events/).
    void breakDoor(int x, int y, int heading);
    // One flying piece per polygon of the shape.
    std::vector<ecs::Entity> shatter(int shape, int x, int y, float fadeMs, int heading, float speed, float scale,
                                     bool filled);
    // The robot's death: marked for removal and broken into pieces. A robot already dying is left
    // alone and gives no pieces.
    std::vector<ecs::Entity> killEntity(const ecs::Entity& robot, float fadeMs, bool filled);
    void rescuePrisoner(ecs::Entity prisoner);
    void onBossNodeTouched(const ecs::Entity& node);
    // The exit bit from (cx, cy) whose corridor ends nearest the target; 0 at the target.
    int chooseDirection(int cx, int cy, int tx, int ty, bool allowDeadEnds, int excluded) const;

    void stopSound(int voice);
    // The voice, which a looping sound needs to be stopped.
    int playSound(int id);

    const std::string& command() const { return m_command; }
    ecs::World& world() { return *m_world; }
    ecs::Entity player() const { return m_player; }
    CollisionSys& collisionSys() { return m_collisionSys; }
    MovementSys& movementSys() { return m_movementSys; }
    Util::Random& random() { return m_random; }
    float elapsed() const { return m_elapsed; }
    int lives() const { return m_lives; }
    int level() const { return m_level; }
    const Maze::LevelParams& params() const { return m_params; }
    const LevelEntry& levelEntry() const { return m_levelEntry; }
    Map::TileMap& tileMap() { return *m_tileMap; }
    Map::TileCollisionMap& collisionMap() { return *m_collisionMap; }
    Map::MapView& mapView() { return *m_mapView; }
    GameView& view() { return m_view; }
    IGameViewRenderer& viewRenderer() { return *m_viewRenderer; }
    float zoom() const { return m_zoom; }
    const Maze::MazeData& mazeData() const { return *m_mazeData; }
    int prisonersLeft() const { return m_prisonersLeft; }
    void setPrisonersLeft(int count) { m_prisonersLeft = count; }
    int bossNodesLeft() const { return m_bossNodesLeft; }
    void setBossNodesLeft(int count) { m_bossNodesLeft = count; }
    std::pair<int, int> lastBossNodeCell() const { return m_lastBossNodeCell; }
    void setLastBossNodeCell(int x, int y) { m_lastBossNodeCell = {x, y}; }
    bool bossDefeated() const { return m_bossDefeated; }
    void setBossDefeated(bool defeated) { m_bossDefeated = defeated; }
    MazeMapSys& mazeMapSys() { return m_mazeMapSys; }
    // The game's renderer draws the minimap with it at the end of each frame.
    MazeMapDisplaySys& mazeMapDisplaySys() { return m_mazeMapDisplaySys; }
    TextInfoSys& textInfoSys() { return m_textInfoSys; }

private:
    // Lets go of every control and of the player's walk, shield and charge.
    void letGo();
    void letGoWhenUnfocused();
    // On resuming: the looping sounds that the world still calls for play again.
    void restartLoopingSounds();
    int chooseLevel(const Game::LogicEntry& previous, const std::string& command) const;
    void seedRandom();
    void buildWorld();
    void buildMapView(int startX, int startY);
    void spawnRobots();
    void placeSpawn(const RobotSpawnEntry& spawn, int& x, int& y);

    std::string m_command;
    // Whether the window had the focus at the last update.
    bool m_focused = true;
    AppContext& m_context;
    GameView m_view;
    std::unique_ptr<IGameViewRenderer> m_viewRenderer;
    Util::Random m_random{0};
    float m_elapsed = 0.0f;
    float m_zoom = 1.0f;
    int m_lives = 0;
    int m_level = 0;
    LevelEntry m_levelEntry;
    Maze::LevelParams m_params;
    std::unique_ptr<Map::TileMap> m_tileMap;
    std::unique_ptr<Map::TileCollisionMap> m_collisionMap;
    Map::IMapRenderer& m_mapRenderer;
    std::unique_ptr<Map::MapView> m_mapView;
    std::unique_ptr<Maze::MazeData> m_mazeData;
    Maze::PositionMap<Maze::Node> m_positions;
    std::unique_ptr<CorridorLookup> m_corridors;
    std::unique_ptr<ecs::World> m_world;

    KillSys m_killSys;
    TimerSys m_timerSys;
    EffectsSys m_effectsSys;
    PlayerInputSys m_playerInputSys;
    PowerUpSys m_powerUpSys;
    AnimationSys m_animationSys;
    RobotSys m_robotSys;
    MovementSys m_movementSys;
    CollisionSys m_collisionSys;
    LightningSys m_lightningSys;
    ZappedSys m_zappedSys;
    FootstepSys m_footstepSys;
    MazeMapSys m_mazeMapSys;
    MazeMapDisplaySys m_mazeMapDisplaySys;
    TextInfoSys m_textInfoSys;
    VectorTextSys m_vectorTextSys;
    VectorDisplaySys m_vectorDisplaySys;
    PolyDisplaySys m_polyDisplaySys;
    BeamSys m_beamSys;
    CameraSys m_cameraSys;

    ecs::Entity m_player;
    int m_prisonersLeft = 0;
    int m_bossNodesLeft = 0;
    std::pair<int, int> m_lastBossNodeCell{0, 0};
    bool m_bossDefeated = false;
    std::vector<std::pair<std::string, ProfileTimer>> m_timers;
};

}  // namespace Zelmo
