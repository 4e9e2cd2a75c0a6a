#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/shell/AppContext.h"
#include "game/input/InputActionHandler.h"
#include "game/world/GameLogic.h"
#include "game/world/MotionComps.h"
#include "tests/engine/map/FakeMapRenderer.h"
#include "tests/game/world/RecordingSound.h"

namespace WorldTest {

// The small level set most world tests build.
inline constexpr const char* kWorldFixture = "tests/game/world/data/fixture";

// Loads the shipped shapes and font into the process's shape library, once; true when they load.
// Robot kinds are checked against it.
bool loadShippedShapes();

// The running game without a window or sound: a level of a configuration built with a seed,
// game actions sent as the action handler sends them, updates of the game's own step (a sixtieth
// of a second, as the main loop runs them at any frame rate), and the world read back.
class WorldHarness {
public:
    // The main loop's step at the shipped configuration's rate of 60 (AppContext::stepMs).
    static constexpr float kStepMs = 1000.0f / 60.0f;

    // Headless: nothing is drawn. Drawn: the game's own renderer, which needs the renderer layer
    // running (its recording back end will do).
    enum class Picture { Headless, Drawn };

    // Loads the configuration (named as on the command line), the tuning table and the shape
    // library; every option at its first value except the "GAME_SEED" option, whose value index
    // is seedOption.
    explicit WorldHarness(const std::string& configName = "data/config", int seedOption = 1,
                          Picture picture = Picture::Headless);
    ~WorldHarness();

    // A new game from the title, then the level asked for.
    void startLevel(int level);
    // Enters the state again as the logic controller would after the command.
    void reenter(const std::string& previousState, const std::string& command);
    // Runs updates until one returns a command or count have run; gives that command or "". The
    // view holds what the last update queued to draw.
    std::string step(int count = 1);
    void send(const std::string& action, const std::string& param);
    // Kills every placed entity but the player, then runs an update so that the systems take it
    // in: the maze alone, with nothing but walls in the player's way.
    void leavePlayerAlone();

    Zelmo::GameLogic& logic() { return *m_logic; }
    // The window's stand-in: its input controllers and pointer.
    AppContext& context() { return *m_context; }
    // What the game played and stopped, in order.
    RecordingSound& sound() { return *m_sound; }
    FakeMapRenderer& mapRenderer() { return m_mapRenderer; }
    // Every living entity's components that the systems change, and the game's generator.
    uint64_t digest();

private:
    // Every placed entity, for the digest.
    struct PlacedEntities : ecs::System {
        PlacedEntities() : System(ecs::componentMask<Zelmo::PVAComp>()) {}
    };

    FakeMapRenderer m_mapRenderer;
    RecordingSound* m_sound = nullptr;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Zelmo::GameLogic> m_logic;
    std::unique_ptr<Zelmo::InputActionHandler> m_actions;
    PlacedEntities m_placed;
};

}  // namespace WorldTest
