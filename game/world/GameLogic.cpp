#include "game/world/GameLogic.h"

#include <algorithm>
#include <cstdlib>

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/AppContext.h"
#include "engine/util/Fatal.h"
#include "engine/util/FlatText.h"
#include "engine/vector/GameVectors.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/GameViewRenderer.h"
#include "game/world/HostileParticles.h"

namespace Zelmo {
namespace {

constexpr int kSoundLevelLeft = 28;
constexpr int kSoundGoalNotMet = 29;

}  // namespace

const std::array<const char*, 21> GameLogic::systemNames = {
    "ECS",          "KillSys",        "EffectsSys",       "PlayerInputSys",    "AnimationSys", "RobotSys",
    "PowerUpSys",   "MovementSys",    "CollisionSys",     "LightningSys",      "ZappedSys",    "FootstepSys",
    "MazeMapSys",   "TextInfoSys",    "VectorDisplaySys", "PolyDisplaySys",    "BeamSys",      "VectorTextSys",
    "MazeMapDisplaySys", "CameraSys", "TimerSys"};

GameLogic::GameLogic(AppContext& context, Map::IMapRenderer& mapRenderer,
                     std::unique_ptr<IGameViewRenderer> viewRenderer)
    : m_context(context), m_viewRenderer(std::move(viewRenderer)), m_mapRenderer(mapRenderer) {
    if (!m_viewRenderer) m_viewRenderer = std::make_unique<GameViewRenderer>(*this, m_view);
    m_timers.reserve(systemNames.size());
    for (const char* name : systemNames) m_timers.emplace_back(name, ProfileTimer());
}

// The world goes first: its systems and components point into what follows; then the picture's
// resources, while the map view they draw still stands.
GameLogic::~GameLogic() {
    m_world.reset();
    m_viewRenderer.reset();
}

void GameLogic::receive(const LogicReturnEvent& event) { m_command = Util::toStdString(event.command()); }

void GameLogic::enter(const Game::LogicEntry& previous, const std::string& command) {
    m_command.clear();
    m_context.setRenderer(m_viewRenderer.get());
    m_context.inputControllers().setCurrent("GAME");
    m_context.soundController().stopAll();
    const bool resuming = previous.name == "PAUSE";
    if (resuming) restartLoopingSounds();
    // Coming back from the pause or another screen, whatever was held was let go of there; a new
    // life, a level started again and the next level start standing still, whatever the
    // controls held as the last one ended.
    letGo();
    if (resuming) return;

    const int level = chooseLevel(previous, command);
    if (command != "DEAD") m_lives = int(getOptionValue("PLAYER_LIVES"));
    startLevel(level);
}

void GameLogic::startLevel(int level) {
    m_zoom = getOptionValue("GAME_ZOOM");
    m_prisonersLeft = 0;
    m_bossNodesLeft = 0;
    m_bossDefeated = false;
    m_level = std::clamp(level, 0, std::max(levelCount() - 1, 0));
    seedRandom();
    buildWorld();
}

int GameLogic::chooseLevel(const Game::LogicEntry& previous, const std::string& command) const {
    if (command == "DEAD") return m_level;
    if (previous.name == "RUNNING") return m_level - 1;
    return int(getOptionValue("START_LEVEL"));
}

void GameLogic::seedRandom() {
    const auto* seeds = Globals::vectorField<const GameSeed*>("GAMESEEDS");
    const auto index = static_cast<flatbuffers::uoffset_t>(getOptionValue("GAME_SEED"));
    const GameSeed* seed = seeds && index < seeds->size() ? seeds->Get(index) : nullptr;
    if (!seed || (seed->low() == 0 && seed->high() == 0)) {
        const auto stream = uint64_t(std::rand());
        m_random.seed(uint64_t(std::rand()), stream);
        return;
    }
    m_random.seed(1234, uint64_t(seed->low()) | uint64_t(seed->high()) << 32);
}

void GameLogic::buildWorld() {
    // The old world's entities point into the old maps: it goes before them.
    m_world.reset();
    m_mapView.reset();
    m_collisionMap.reset();
    for (int system = 0; system < 4; ++system) clearParticleSystem(system);

    buildMaze();
    m_collisionMap = std::make_unique<Map::TileCollisionMap>(*m_tileMap);
    if (!m_collisionMap->load("data", m_levelEntry.collisionData)) Util::fatal("Failed to init collision info");
    int viewX = m_levelEntry.specialCells.front().x;
    int viewY = m_levelEntry.specialCells.front().y;
    cellToWorld(viewX, viewY, 0.0f, 0.0f);
    buildMapView(viewX, viewY);

    m_world = std::make_unique<ecs::World>();
    m_world->addSystem(m_killSys);
    m_world->addSystem(m_timerSys);
    m_world->addSystem(m_effectsSys);
    m_world->addSystem(m_playerInputSys);
    m_world->addSystem(m_powerUpSys);
    m_world->addSystem(m_animationSys);
    m_world->addSystem(m_robotSys);
    m_world->addSystem(m_movementSys);
    m_world->addSystem(m_collisionSys);
    m_world->addSystem(m_lightningSys);
    m_world->addSystem(m_zappedSys);
    m_world->addSystem(m_footstepSys);
    m_world->addSystem(m_mazeMapSys);
    m_world->addSystem(m_mazeMapDisplaySys);
    m_world->addSystem(m_textInfoSys);
    m_world->addSystem(m_vectorTextSys);
    m_world->addSystem(m_vectorDisplaySys);
    m_world->addSystem(m_polyDisplaySys);
    m_world->addSystem(m_beamSys);
    m_world->addSystem(m_cameraSys);

    int startX = m_levelEntry.specialCells.front().x;
    int startY = m_levelEntry.specialCells.front().y;
    m_lastBossNodeCell = {startX, startY};
    cellToWorld(startX, startY, 0.0f, 0.0f);
    createPlayer(float(startX), float(startY));
    for (size_t i = 1; i < m_levelEntry.specialCells.size(); ++i) {
        const CellPos& cell = m_levelEntry.specialCells[i];
        if (m_level == 0) {
            createBossNode(cell.x, cell.y);
        } else {
            createPrisoner(cell.x, cell.y);
        }
    }
    spawnRobots();
    createLift();

    m_killSys.setOwner(this);
    m_timerSys.setOwner(this);
    m_effectsSys.setOwner(this);
    m_playerInputSys.init(m_context, *this, Globals::getFloat("PLAYERSPEED"), Globals::getFloat("PUNCHSPEED"));
    m_powerUpSys.init(*this);
    m_robotSys.setOwner(this);
    m_movementSys.init(*this);
    m_collisionSys.init(GameVectors::instance().gridShift(), *this);
    m_footstepSys.setOwner(this);
    m_mazeMapDisplaySys.init(&m_context, *this);
    m_mazeMapSys.init(*this, m_mazeMapDisplaySys, m_levelEntry.minimapRegionsX, m_levelEntry.minimapRegionsY,
                      m_levelEntry.minimapTerminalOffset);
    m_textInfoSys.init(*this);
    m_vectorTextSys.setOwner(&m_view);
    m_vectorDisplaySys.init(&m_view, &m_context.soundController());
    m_polyDisplaySys.setOwner(&m_view);
    m_beamSys.init(this, [this](const IntBox& box) { return m_collisionSys.gridB().findOverlap(box); },
                   PlayerComp::takeDamage);
    m_lightningSys.init(this, PlayerComp::takeDamage);
    m_zappedSys.setOwner(this);
    m_cameraSys.setView(m_mapView.get());

    m_view.startLevel(m_context.geometry(), m_zoom, *m_mapView);
    m_viewRenderer->init(m_context, *m_mapView, m_level);
    m_textInfoSys.showLevelStart(m_level, levelCount() - 1);
    // The level's entities join their systems now: a control pressed before the first update
    // reaches the player.
    m_world->refresh();
}

void GameLogic::buildMapView(int startX, int startY) {
    const GameTable game = readGameTable();
    Map::MapViewParams view;
    view.width = int(float(game.mapViewWidth) * m_zoom - float(1 << m_params.tileShiftX));
    view.height = int(float(game.mapViewHeight) * m_zoom - float(1 << m_params.tileShiftY));
    // The screen shows the design's size at the zoom: the camera can bring the map's edges there.
    const float shownZoom = std::max(m_zoom, 1.0f);
    view.shownWidth = int(float(m_context.geometry().designWidth) * shownZoom);
    view.shownHeight = int(float(m_context.geometry().designHeight) * shownZoom);
    view.x = startX - view.width / 2;
    view.y = startY - view.height / 2;
    view.atlasName = "data/" + m_levelEntry.tileAtlas;
    m_mapView = std::make_unique<Map::MapView>(*m_tileMap, view, m_mapRenderer);
}

// The controls start again from their neutral area, so that a control held as the game stopped
// (by a key, a switch or a resting pointer) holds nothing on.
void GameLogic::letGo() {
    Input::InputController* controls = m_context.inputControllers().getCurrent();
    if (controls) controls->gotoArea("ANYWHERE");
    m_playerInputSys.releaseAll();
}

// A window that loses focus hears no more of the keys, buttons and pointer that hold the
// player's controls: the player lets go of them, so that a pointer resting on a control does not
// hold it on unseen.
void GameLogic::letGoWhenUnfocused() {
    const bool focused = m_context.pointerState().focused;
    if (m_focused && !focused) letGo();
    m_focused = focused;
}

// Every voice was stopped while the game was away: their handles go, so that the looping sounds
// of what is on screen start again at the next update, and the armour hums again while it lasts.
void GameLogic::restartLoopingSounds() {
    m_vectorDisplaySys.forgetVoices();
    if (!m_player.isValid() || !m_player.has<PlayerComp>()) return;
    PlayerComp& player = m_player.get<PlayerComp>();
    player.voice = 0;
    player.armourVoice = 0;
    if (player.armour.isValid() && player.armour.isActivated()) player.armourVoice = playSound(PlayerComp::kArmourHum);
}

// One step of the game: the main loop runs as many as the real time calls for and draws what
// the last of them queued, once or, when a frame comes before the next step, again.
std::string GameLogic::update(float dt) {
    letGoWhenUnfocused();
    // Each step queues the picture afresh; what the last one queued was drawn or never will be.
    m_view.clearDraws();
    ProfileTimer& refreshTimer = timer("ECS");
    refreshTimer.start();
    m_world->refresh();
    refreshTimer.stop();

    auto run = [this, dt](auto& system, size_t nameIndex) {
        ProfileTimer& systemTimer = m_timers[nameIndex].second;
        systemTimer.start();
        system.update(dt);
        systemTimer.stop();
    };
    run(m_killSys, 1);
    run(m_effectsSys, 2);
    run(m_playerInputSys, 3);
    run(m_animationSys, 4);
    run(m_robotSys, 5);
    run(m_powerUpSys, 6);
    run(m_movementSys, 7);
    run(m_collisionSys, 8);
    run(m_lightningSys, 9);
    run(m_zappedSys, 10);
    run(m_footstepSys, 11);
    run(m_mazeMapSys, 12);
    run(m_textInfoSys, 13);
    run(m_vectorDisplaySys, 14);
    run(m_polyDisplaySys, 15);
    run(m_beamSys, 16);
    run(m_vectorTextSys, 17);
    run(m_mazeMapDisplaySys, 18);
    run(m_cameraSys, 19);
    run(m_timerSys, 20);

    for (int system = 0; system < 4; ++system) particleSystem(system)->update(dt);
    // Shots are tested where each step leaves them, not where a drawn frame finds them: a frame
    // rate that drew fewer frames than there are steps would let them pass through walls and the
    // player.
    collideHostileParticles(*this);
    m_elapsed += dt;
    if (!m_command.empty()) {
        leave("THIS");
    }
    return m_command;
}

void GameLogic::leave(const std::string&) { m_context.setRenderer(nullptr); }

void GameLogic::loseLife() {
    m_lives -= 1;
    m_command = m_lives > 0 ? "DEAD" : "LOST";
}

void GameLogic::checkLevelEnd() {
    m_textInfoSys.showRescued(m_prisonersLeft);
    const bool goalMet = m_level > 0 ? m_prisonersLeft == 0 : m_bossDefeated;
    if (goalMet) m_command = m_level > 0 ? "NEXTLEVEL" : "WON";
    playSound(goalMet ? kSoundLevelLeft : kSoundGoalNotMet);
}

ProfileTimer& GameLogic::timer(const std::string& name) {
    for (auto& [timerName, profileTimer] : m_timers) {
        if (timerName == name) return profileTimer;
    }
    Util::fatal("Timer " + name + " not found");
}

void GameLogic::stopSound(int voice) { m_context.soundController().stop(voice); }

int GameLogic::playSound(int id) { return m_context.soundController().play(id, 100, 0.0f); }

}  // namespace Zelmo
