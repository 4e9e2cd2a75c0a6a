// Each way to play drives the running game through its own input file and the real input
// handler, on a simulated clock: the player walks from the start cell into a neighbouring cell,
// punches and pauses, with nothing but that method's device (one switch alone for the switch
// methods).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/InputControllers.h"
#include "engine/input/ScreenAreaController.h"
#include "game/config/InputMethods.h"
#include "game/vector/AnimId.h"
#include "tests/game/world/SimulatedPlayer.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;

constexpr int kRunLimitMs = 60000;
// How long the charge is held before letting go.
constexpr int kChargeMs = 300;
// A person lets go of a key or switch for this long at least before pressing again; a press
// sooner than the debounce time after a release would be taken for a bounce.
constexpr int kLetGoMs = 100;

class GameInputRun : public ::testing::TestWithParam<std::string> {
protected:
    // The game makes its controls current as it starts.
    GameInputRun() {
        EXPECT_TRUE(WorldTest::loadGameControls(m_harness, GetParam()));

        m_harness.startLevel(1);
        // Where the pointer rests when the game starts: the controls wait for it to move.
        pointAtThePlayer();
        m_harness.step();
        leaveThePlayerAlone();
    }

    // Robots, prisoners and the lift would stand in the way or end the level.
    void leaveThePlayerAlone() {
        Placed placed;
        logic().world().addSystem(placed);
        for (ecs::Entity entity : std::vector<ecs::Entity>(placed.entities())) {
            if (entity != logic().player()) entity.kill();
        }
        logic().world().removeSystem(placed);
        m_harness.step();
    }

    Zelmo::GameLogic& logic() { return m_harness.logic(); }
    Input::InputController& controller() { return *m_harness.context().inputControllers().getCurrent(); }
    std::string current() { return controller().getCurrentAreaName(); }
    const Zelmo::PVAComp& pva() { return logic().player().get<Zelmo::PVAComp>(); }
    int pose() { return logic().player().get<Zelmo::PlayerComp>().stateCode & 0xf; }
    int facing() { return logic().player().get<Zelmo::PlayerComp>().stateCode & 0xf0; }
    bool isCharging() {
        const int anim = logic().player().get<Zelmo::AnimationComp>().animation;
        return anim >= int(AnimIds::KROMB_LF_CHARGE) && anim <= int(AnimIds::KROMB_DN_CHARGE);
    }

    void cellOfPlayer(int& x, int& y) {
        x = int(pva().x);
        y = int(pva().y);
        logic().worldToCell(x, y);
    }

    // One frame: the input first, then the game, as the main loop runs them. Notes the punch
    // pose and the pause.
    void frame() {
        controller().tick(WorldHarness::kStepMs);
        const std::string command = m_harness.step();
        if (!command.empty()) m_command = command;
        if (command == "PAUSE") m_paused = true;
        if (pose() == kPunchPose) m_punched = true;
        if (isCharging()) m_chargedMs += int(WorldHarness::kStepMs);
        m_elapsedMs += int(WorldHarness::kStepMs);
    }
    // Runs frames until the condition holds; false when the run's time is up first.
    bool runUntil(const std::function<bool()>& condition) {
        while (!condition()) {
            if (m_elapsedMs > kRunLimitMs) return false;
            frame();
        }
        return true;
    }
    void runFor(int ms) {
        for (int spent = 0; spent < ms; spent += int(WorldHarness::kStepMs)) frame();
    }

    void press(KeyCode key) {
        runFor(kLetGoMs - (m_elapsedMs - m_releasedAtMs));
        controller().onKey(key, 0, true);
    }
    void release(KeyCode key) {
        controller().onKey(key, 0, false);
        m_releasedAtMs = m_elapsedMs;
    }
    void pointAt(const std::string& area) {
        const Input::AreaRect box = controller().getScreenAreaController().find(area)->getRect();
        controller().onMouse(box.x + box.width / 2, box.y + box.height / 2, 0, 0, false);
    }
    void pointAtThePlayer() { controller().onMouse(50, 50, 0, 0, false); }

    // The method's own way of holding a control and letting go of it again.
    // The method's way of holding a control until the condition holds and letting go of it; key:
    // what STANDARD holds for it.
    void holdControl(const std::string& area, KeyCode key, const std::function<bool()>& until);
    void startControl(const std::string& area, KeyCode key);
    void letGo(KeyCode key);
    // Crouches, charges a while and lets go: true when the punch flew.
    bool punch() {
        m_punched = false;
        m_chargedMs = 0;
        holdControl("PUNCH", kPunchKey, [&] { return m_chargedMs > kChargeMs; });
        return runUntil([&] { return m_punched; });
    }
    void pause();

    static constexpr int kPunchPose = 4;
    static constexpr int kFacingDown = 32;
    static constexpr KeyCode kSwitch = Devices::KEY_SPACE;
    static constexpr KeyCode kPunchKey = 'p';

    struct Placed : ecs::System {
        Placed() : System(ecs::componentMask<Zelmo::PVAComp>()) {}
    };

    WorldHarness m_harness;
    int m_elapsedMs = 0;
    int m_releasedAtMs = -kLetGoMs;
    int m_chargedMs = 0;
    bool m_punched = false;
    bool m_paused = false;
    // The last command the game returned.
    std::string m_command;
};

void GameInputRun::holdControl(const std::string& area, KeyCode key, const std::function<bool()>& until) {
    startControl(area, key);
    ASSERT_TRUE(runUntil(until));
    letGo(key);
    frame();
}

void GameInputRun::startControl(const std::string& area, KeyCode key) {
    const std::string& method = GetParam();
    if (method == Zelmo::kStandardMethod) {
        press(key);
    } else if (method == Zelmo::kOneKeyMethod) {
        ASSERT_TRUE(runUntil([&] { return current() == area; })) << "the light never came to " << area;
        press(kSwitch);
    } else if (method == Zelmo::kOneSwitchMethod) {
        ASSERT_TRUE(runUntil([&] { return current() != "ANYWHERE"; })) << "nothing lit after a rest";
        while (current() != area) {
            ASSERT_LT(m_elapsedMs, kRunLimitMs);
            press(kSwitch);
            frame();
            release(kSwitch);
            frame();
        }
        press(kSwitch);
    } else {
        pointAt(area);
    }
}

void GameInputRun::letGo(KeyCode key) {
    const std::string& method = GetParam();
    if (method == Zelmo::kStandardMethod) {
        release(key);
    } else if (method == Zelmo::kHeadTrackerMethod) {
        pointAtThePlayer();
    } else {
        release(kSwitch);
    }
}

// Escape on the keyboard; the pause control otherwise, taken as that method takes a control.
void GameInputRun::pause() {
    if (GetParam() == Zelmo::kStandardMethod) {
        press(Devices::KEY_ESCAPE);
        release(Devices::KEY_ESCAPE);
        ASSERT_TRUE(runUntil([&] { return m_paused; }));
        return;
    }
    holdControl("PAUSE", kSwitch, [&] { return m_paused; });
}

// The start cell is a room whose door, below it, the player breaks with a punch; then it walks
// down into the cell below and punches there.
TEST_P(GameInputRun, BreaksOutOfTheStartCellWalksIntoTheNextCellPunchesAndPauses) {
    int startX = 0, startY = 0;
    cellOfPlayer(startX, startY);
    const float startHeight = pva().y;
    const int neighbourX = startX, neighbourY = startY - 1;
    int centreX = neighbourX, centreY = neighbourY;
    logic().cellToWorld(centreX, centreY, 0.0f, 0.0f);

    holdControl("DOWN", Devices::KEY_DOWN, [&] { return pva().y < startHeight - 20.0f; });
    ASSERT_TRUE(punch()) << "letting go of the charge threw no punch";
    EXPECT_EQ(facing(), kFacingDown);
    runFor(1000);

    // Into the neighbouring cell and on to near its middle.
    const auto arrived = [&] {
        int x = 0, y = 0;
        cellOfPlayer(x, y);
        return x == neighbourX && y == neighbourY && std::abs(pva().y - float(centreY)) < 40.0f;
    };
    holdControl("DOWN", Devices::KEY_DOWN, arrived);
    runFor(500);
    EXPECT_TRUE(arrived()) << "the player walked on after being let go";
    EXPECT_EQ(logic().player().get<Zelmo::PlayerComp>().heldDirections, 0);

    EXPECT_TRUE(punch()) << "no punch in the next cell";
    EXPECT_EQ(facing(), kFacingDown) << "the punch goes the way the player walked";
    runFor(1000);

    pause();
    EXPECT_TRUE(m_paused);
    EXPECT_EQ(logic().player().get<Zelmo::PlayerComp>().heldDirections, 0);
}

// The window loses the focus while the player walks: the walk stops there, and once the focus is
// back the controls work again.
TEST_P(GameInputRun, LosingTheFocusLetsGoOfTheWalk) {
    const float startHeight = pva().y;
    startControl("DOWN", Devices::KEY_DOWN);
    ASSERT_TRUE(runUntil([&] { return pva().y < startHeight - 10.0f; })) << "the player did not walk";

    m_harness.context().pointerState().focused = false;
    frame();
    const float stoodAt = pva().y;
    runFor(500);
    EXPECT_EQ(pva().y, stoodAt) << "the player walked on without the focus";
    EXPECT_EQ(logic().player().get<Zelmo::PlayerComp>().heldDirections, 0);

    m_harness.context().pointerState().focused = true;
    letGo(Devices::KEY_DOWN);
    frame();
    EXPECT_TRUE(punch()) << "the controls did not work again with the focus back";
}

// The player dies while walking: the new life stands still, whatever the method's device still
// holds, and the controls work again once let go of.
TEST_P(GameInputRun, ANewLifeStartsStandingStill) {
    const float startHeight = pva().y;
    startControl("DOWN", Devices::KEY_DOWN);
    ASSERT_TRUE(runUntil([&] { return pva().y < startHeight - 10.0f; })) << "the player did not walk";

    Zelmo::PlayerComp::takeDamage(logic().player(), logic().player().get<Zelmo::PlayerComp>().health);
    ASSERT_TRUE(runUntil([&] { return m_command == "DEAD"; }));
    m_harness.reenter("RUNNING", "DEAD");
    leaveThePlayerAlone();
    const float bornAt = pva().y;
    runFor(1000);
    EXPECT_EQ(pva().y, bornAt) << "the new life walked on what the last one held";
    EXPECT_EQ(logic().player().get<Zelmo::PlayerComp>().heldDirections, 0);

    letGo(Devices::KEY_DOWN);
    frame();
    startControl("DOWN", Devices::KEY_DOWN);
    EXPECT_TRUE(runUntil([&] { return pva().y < bornAt - 10.0f; })) << "the controls did not work in the new life";
}

INSTANTIATE_TEST_SUITE_P(EachWayToPlay, GameInputRun, ::testing::ValuesIn(Zelmo::kInputMethods),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
