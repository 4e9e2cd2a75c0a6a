// The running game through the main loop's passes at forced frame rates, on a simulated clock:
// the keyboard's input reaches the game as the window hands it in, and the game must walk, fight
// and keep time alike however often the picture is drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/InputControllers.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/GlobalInputRefs.h"
#include "game/input/InputActionHandler.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/Room.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;

// The harness's game as the logic controller's one state, so that the context's passes run it.
class RunningGame : public Game::ILogicState {
public:
    explicit RunningGame(WorldHarness& harness) : m_harness(harness) {}
    void enter(const Game::LogicEntry&, const std::string&) override {}
    std::string update(float dtMs) override { return m_harness.logic().update(dtMs); }

private:
    WorldHarness& m_harness;
};

// A key going down or up at a time of the real clock, in milliseconds.
struct KeyEvent {
    double atMs;
    KeyCode key;
    bool pressed;
};

// A level played from the keyboard with the STANDARD controls, through the context's passes.
class FramedGame {
public:
    FramedGame() {
        Zelmo::installKeyBindings();
        Input::InputControllers& controllers = m_harness.context().inputControllers();
        controllers.setActionHandler(std::make_shared<Zelmo::InputActionHandler>(nullptr));
        EXPECT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        Zelmo::GlobalInputRefs refs;
        EXPECT_TRUE(refs.load("data/Accessibility.fbs", "data/accessibility"));
        EXPECT_TRUE(controllers.load("GAME", "data/input/STANDARD/GAME.json", &refs));
        m_harness.context().logicController().add("RUNNING", std::make_unique<RunningGame>(m_harness), {});
    }

    // Passes at fps until the clock reads untilMs, on a clock that reads k / fps seconds at the
    // k-th pass as the window's would; each pass hands in the keys that went down or up by then.
    // The passes run.
    int play(double fps, double untilMs, const std::vector<KeyEvent>& keys) {
        AppContext& context = m_harness.context();
        size_t next = 0;
        int passes = 0;
        for (int k = 1;; ++k) {
            const double now = double(k) / fps * 1000.0;
            if (now > untilMs + 1e-6) break;
            context.pass(now - m_previous, [&] {
                for (; next < keys.size() && keys[next].atMs <= now; ++next) {
                    context.onKey(keys[next].key, keys[next].pressed, 0);
                }
            });
            m_previous = now;
            ++passes;
        }
        return passes;
    }

    WorldHarness& harness() { return m_harness; }
    Zelmo::GameLogic& logic() { return m_harness.logic(); }
    Zelmo::PVAComp& pva() { return logic().player().get<Zelmo::PVAComp>(); }

private:
    WorldHarness m_harness;
    double m_previous = 0.0;
};

// Every frame rate the tests use draws a frame at each sixth of a second. A key handed in just
// before one (within the 144 fps frame before it) is seen by each rate at the same step; a key
// seen between two frames of one rate is not, as a player's key is seen at the next frame.
double beforeSixth(int sixths) { return sixths * 1000.0 / 6.0 - 10.0; }

// Breaks out of the start room, walks, fights, raises the shield and throws a power punch.
std::vector<KeyEvent> recordedInput() {
    const KeyCode punch = 'p', shield = 'l', power = Devices::KEY_SPACE;
    const KeyCode down = Devices::KEY_DOWN, left = Devices::KEY_LEFT, right = Devices::KEY_RIGHT;
    return {
        {beforeSixth(2), down, true},     {beforeSixth(3), down, false},   {beforeSixth(4), punch, true},
        {beforeSixth(7), punch, false},   {beforeSixth(12), down, true},   {beforeSixth(24), down, false},
        {beforeSixth(25), right, true},   {beforeSixth(31), right, false}, {beforeSixth(32), shield, true},
        {beforeSixth(35), shield, false}, {beforeSixth(36), left, true},   {beforeSixth(40), punch, true},
        {beforeSixth(43), punch, false},  {beforeSixth(49), left, false},  {beforeSixth(50), power, true},
        {beforeSixth(56), power, false},  {beforeSixth(58), down, true},   {beforeSixth(70), down, false},
    };
}

struct Ending {
    uint64_t digest;
    float x, y;
    float elapsed;
    int passes;
};

Ending playRecording(double fps) {
    FramedGame game;
    game.harness().startLevel(1);
    Ending ending{};
    ending.passes = game.play(fps, 14000.0, recordedInput());
    ending.digest = game.harness().digest();
    ending.x = game.pva().x;
    ending.y = game.pva().y;
    ending.elapsed = game.logic().elapsed();
    return ending;
}

// One recorded input played at 30, 60 and 144 frames a second ends in the same place and the same
// state, with the same game time gone by.
TEST(FrameRates, ARecordedInputEndsInTheSamePlaceAndStateAt30_60And144Fps) {
    const Ending at60 = playRecording(60);
    FramedGame start;
    start.harness().startLevel(1);
    const float startX = start.pva().x, startY = start.pva().y;
    EXPECT_GT(std::hypot(at60.x - startX, at60.y - startY), 100.0f) << "the recording walks the player";
    for (const double fps : {30.0, 144.0}) {
        SCOPED_TRACE(std::to_string(int(fps)) + " fps");
        const Ending ending = playRecording(fps);
        EXPECT_EQ(ending.passes, int(14 * fps));
        EXPECT_EQ(ending.x, at60.x);
        EXPECT_EQ(ending.y, at60.y);
        EXPECT_EQ(ending.elapsed, at60.elapsed);
        EXPECT_EQ(ending.digest, at60.digest);
    }
}

// Game time per real second, and so the player's walking speed, is the same at 20, 42 and 60
// frames a second (and at 144). The player walks right across an empty room for one real second.
TEST(FrameRates, TheWalkingSpeedPerRealSecondIsTheSameAt20_42_60And144Fps) {
    std::vector<float> speeds;
    for (const double fps : {20.0, 42.0, 60.0, 144.0}) {
        SCOPED_TRACE(std::to_string(int(fps)) + " fps");
        FramedGame game;
        Room room(game.harness());
        game.pva().x = Room::edge(Room::kFirst) + 40.0f;
        game.pva().y = Room::middle();
        const float startX = game.pva().x;
        const float startElapsed = game.logic().elapsed();
        game.play(fps, 2500.0, {{990.0, Devices::KEY_RIGHT, true}, {1990.0, Devices::KEY_RIGHT, false}});
        const float pixelsPerSecond = game.pva().x - startX;
        const float gameMsPerSecond = (game.logic().elapsed() - startElapsed) / 2.5f;
        std::printf("%3d fps: walks %.1f px per real second, %.1f ms of game time per real second\n", int(fps),
                    double(pixelsPerSecond), double(gameMsPerSecond));
        EXPECT_NEAR(gameMsPerSecond, 1000.0f, 1000.0f / 60.0f / 2.5f);
        EXPECT_LT(game.pva().x, Room::edge(Room::kLast + 1) - 40.0f) << "short of the far wall";
        speeds.push_back(pixelsPerSecond);
    }
    for (const float speed : speeds) EXPECT_EQ(speed, speeds.front());
    EXPECT_EQ(speeds.front(), 180.0f) << "three pixels a step, sixty steps a second";
}

}  // namespace
