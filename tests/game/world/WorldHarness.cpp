#include "tests/game/world/WorldHarness.h"

#include <cstring>

#include "engine/shell/LogicController.h"
#include "game/config/Config.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/config/TuningTable.h"
#include "game/vector/ShapeLibrary.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "game/world/RobotFactory.h"
#include "tests/game/world/HeadlessViewRenderer.h"

namespace WorldTest {
namespace {

void mix(uint64_t& hash, uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
}

uint64_t bitsOf(float value) {
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Game::LogicEntry entryNamed(const std::string& name) {
    Game::LogicEntry entry;
    entry.name = name;
    return entry;
}

}  // namespace

bool loadShippedShapes() {
    static const bool s_shapesLoaded = Zelmo::loadShapeLibrary(
        GameVectors::instance(), Zelmo::ShapePolygons::instance(), "data", "data/shapes", "data/vectorfont");
    return s_shapesLoaded;
}

WorldHarness::WorldHarness(const std::string& configName, int seedOption, Picture picture) {
    Zelmo::loadConfig(configName, "no-preferences-for-the-world-harness.cfg");
    Zelmo::loadTuningTable();
    Zelmo::setDefaultOptions();
    Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "GAME_SEED", std::to_string(seedOption));
    // The shipped shapes, whatever configuration the level comes from.
    EXPECT_TRUE(loadShippedShapes()) << "data/shapes or data/vectorfont";
    // The shipped robot kinds, whatever configuration the level comes from.
    static const bool s_robotsLoaded = Zelmo::RobotFactory::instance().load("data/robots");
    EXPECT_TRUE(s_robotsLoaded) << Zelmo::RobotFactory::instance().error();
    m_context = std::make_unique<AppContext>(false, 640, 480, false, 60, 0);
    auto sound = std::make_unique<RecordingSound>();
    m_sound = sound.get();
    m_context->setSoundController(std::move(sound));
    // As many whole tiles as the shipped atlas holds at the levels' largest tile size.
    m_mapRenderer.setAtlas(8, 4, 32, 32);
    if (picture == Picture::Drawn) {
        m_logic = std::make_unique<Zelmo::GameLogic>(*m_context);
    } else {
        m_logic =
            std::make_unique<Zelmo::GameLogic>(*m_context, m_mapRenderer, std::make_unique<HeadlessViewRenderer>());
    }
    m_actions = std::make_unique<Zelmo::InputActionHandler>(m_context.get());
}

WorldHarness::~WorldHarness() {
    m_actions.reset();
    m_logic.reset();
    m_context.reset();
    Zelmo::unloadConfig();
    Zelmo::settings().clear();
}

void WorldHarness::startLevel(int level) {
    m_logic->enter(entryNamed("TITLE"), "NEWGAME");
    if (m_logic->level() != level) m_logic->startLevel(level);
}

void WorldHarness::reenter(const std::string& previousState, const std::string& command) {
    m_logic->enter(entryNamed(previousState), command);
}

std::string WorldHarness::step(int count) {
    for (int i = 0; i < count; ++i) {
        const std::string command = m_logic->update(kStepMs);
        if (!command.empty()) return command;
    }
    return "";
}

void WorldHarness::send(const std::string& action, const std::string& param) {
    m_actions->handleAction(Input::ActionId(action, param));
}

void WorldHarness::leavePlayerAlone() {
    m_logic->world().addSystem(m_placed);
    for (ecs::Entity entity : std::vector<ecs::Entity>(m_placed.entities())) {
        if (entity != m_logic->player()) entity.kill();
    }
    m_logic->world().removeSystem(m_placed);
    step();
}

uint64_t WorldHarness::digest() {
    Zelmo::GameLogic& logic = *m_logic;
    logic.world().addSystem(m_placed);
    uint64_t hash = logic.world().entityCount();
    mix(hash, uint64_t(logic.lives()));
    mix(hash, uint64_t(logic.level()));
    mix(hash, bitsOf(logic.elapsed()));
    Util::Random generator = logic.random();
    mix(hash, generator.next());
    for (const ecs::Entity& entity : m_placed.entities()) {
        const Zelmo::PVAComp& pva = entity.get<Zelmo::PVAComp>();
        mix(hash, entity.index());
        mix(hash, bitsOf(pva.x));
        mix(hash, bitsOf(pva.y));
        mix(hash, uint64_t(pva.heading));
        if (entity.has<Zelmo::TimerComp>()) {
            for (float time : entity.get<Zelmo::TimerComp>().times) mix(hash, bitsOf(time));
        }
        if (entity.has<Zelmo::FXsComp>()) {
            const Zelmo::FXsComp& effects = entity.get<Zelmo::FXsComp>();
            mix(hash, effects.intChains.size() + 8 * effects.floatChains.size() + 64 * effects.colourChains.size());
        }
    }
    return hash;
}

}  // namespace WorldTest
