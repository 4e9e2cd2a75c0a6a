// The main loop's passes on a simulated clock: the logic steps each pass runs, where the window's
// input comes in among them, and what is drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/shell/AppContext.h"
#include "tests/engine/input/InputTestSupport.h"

namespace {

// What the passes did, in order: "step", "input", "draw".
std::vector<std::string> g_trace;

// Counts its updates and the time each was given; asks to quit at the update numbered quitAt.
class CountingState : public Game::ILogicState {
public:
    CountingState(AppContext& context, int quitAt) : m_context(context), m_quitAt(quitAt) {}
    void enter(const Game::LogicEntry&, const std::string&) override {}
    std::string update(float dtMs) override {
        g_trace.push_back("step");
        times.push_back(dtMs);
        if (int(times.size()) == m_quitAt) m_context.requestQuit();
        return "";
    }

    std::vector<float> times;

private:
    AppContext& m_context;
    int m_quitAt;
};

class CountingRenderer : public Game::IRenderer {
public:
    void render(const Util::FrameGeometry&) override {
        g_trace.push_back("draw");
        ++draws;
    }
    int draws = 0;
};

class MainLoop : public ::testing::Test {
protected:
    explicit MainLoop(int skipLimit = 0, int quitAt = 0) : context(false, 640, 480, false, 60, skipLimit) {
        g_trace.clear();
        auto made = std::make_unique<CountingState>(context, quitAt);
        state = made.get();
        context.logicController().add("COUNT", std::move(made), {});
        context.setRenderer(&renderer);
    }

    // One pass realMs after the last; the window's input is the trace's "input" and then
    // whatever the test hands in.
    bool pass(double realMs, const std::function<void()>& input = {}) {
        return context.pass(realMs, [&] {
            g_trace.push_back("input");
            if (input) input();
        });
    }

    // Passes at fps for the seconds, on a clock that reads k / fps seconds at the k-th pass as
    // the window's clock would; input(now) hands in what arrived by then. The passes run.
    int runAt(double fps, double seconds, const std::function<void(double nowMs)>& input = {}) {
        const int passes = int(std::lround(seconds * fps));
        for (int k = 1; k <= passes; ++k) {
            const double now = m_start + double(k) / fps * 1000.0;
            pass(now - m_previous, [&] {
                if (input) input(now);
            });
            m_previous = now;
        }
        m_start = m_previous;
        return passes;
    }

    int steps() const { return int(state->times.size()); }

    AppContext context;
    CountingState* state = nullptr;
    CountingRenderer renderer;

private:
    double m_start = 0.0;
    double m_previous = 0.0;
};

class MainLoopRates : public MainLoop, public ::testing::WithParamInterface<double> {};

// The game runs 60 steps of 1000 / 60 ms in a real second at any frame rate, and draws once a
// pass.
TEST_P(MainLoopRates, GameTimePerRealSecondIsTheSameAtAnyFrameRate) {
    const double fps = GetParam();
    const int passes = runAt(fps, 3.0);
    EXPECT_EQ(steps(), 180) << "steps in three real seconds at " << fps << " fps";
    for (const float dt : state->times) ASSERT_EQ(dt, context.stepMs());
    EXPECT_EQ(renderer.draws, passes);
}

INSTANTIATE_TEST_SUITE_P(Table, MainLoopRates, ::testing::Values(20.0, 42.0, 60.0, 144.0));

TEST_F(MainLoop, StepsAreOneSixtiethOfASecond) { EXPECT_FLOAT_EQ(context.stepMs(), 1000.0f / 60.0f); }

// Input that arrived while the catch-up steps' time ran is seen after them, so that it does not
// count as held through time that passed before it came; a pass with no step due still takes it
// and draws.
TEST_F(MainLoop, APassTakesTheWindowsInputBeforeItsLastStepAndThenDraws) {
    EXPECT_TRUE(pass(3 * 1000.0 / 60.0));
    EXPECT_EQ(g_trace, (std::vector<std::string>{"step", "step", "input", "step", "draw"}));
    g_trace.clear();
    EXPECT_TRUE(pass(1.0));
    EXPECT_EQ(g_trace, (std::vector<std::string>{"input", "draw"}));
}

TEST_F(MainLoop, AStallCatchesUpAQuarterSecondAndDropsTheRest) {
    pass(2000.0);
    EXPECT_EQ(steps(), 15);
    EXPECT_EQ(renderer.draws, 1);
    runAt(60, 1.0);
    EXPECT_EQ(steps(), 15 + 60) << "and then on at the usual pace";
}

class MainLoopQuitting : public MainLoop {
protected:
    MainLoopQuitting() : MainLoop(0, 2) {}
};

// A state that quits (the exit state saves the settings as it is entered) is the last to run: the
// logic controller would otherwise go on into the state after it.
TEST_F(MainLoopQuitting, NoStepRunsAfterAStateAsksToQuit) {
    pass(5 * 1000.0 / 60.0);
    EXPECT_EQ(steps(), 2);
    EXPECT_TRUE(context.quitRequested());
}

class MainLoopSkipping : public MainLoop {
protected:
    MainLoopSkipping() : MainLoop(2) {}
};

// A pass slower than a frame at the rate may skip its drawing, at most the limit in a row; the
// steps run all the same.
TEST_F(MainLoopSkipping, SlowPassesSkipDrawingUpToTheLimitAndStillStep) {
    std::vector<bool> drawn;
    for (int i = 0; i < 6; ++i) drawn.push_back(pass(40.0));
    EXPECT_EQ(drawn, (std::vector<bool>{false, false, true, false, false, true}));
    EXPECT_EQ(steps(), int(6 * 40.0 / (1000.0 / 60.0)));
    EXPECT_TRUE(pass(10.0)) << "a quick pass draws";
}

// A switch that fires HOLD once 'k' has been held for half a second.
const std::string kHoldSwitch = R"({
  "areas": [ { "name": "ANYWHERE" } ],
  "switches": [ { "areas": ["ANYWHERE"], "triggers": [ { "type": "KEY", "key": "k" } ],
                  "timing": { "hold": 500 },
                  "actions": { "press": [ { "name": "PRESS" } ], "release": [ { "name": "RELEASE" } ],
                               "hold": [ { "name": "HOLD" } ], "held_release": [ { "name": "HELD-UP" } ] } } ]
})";

// The switch's timers run on the logic steps' time, which keeps to real time at any frame rate.
class MainLoopSwitch : public MainLoop, public ::testing::WithParamInterface<double> {
protected:
    MainLoopSwitch() {
        ConfigParser parser;
        context.inputControllers().add("HOLD", parser.load(kHoldSwitch, &handler));
        context.inputControllers().setCurrent("HOLD");
        context.inputControllers().getCurrent()->gotoArea("ANYWHERE");
        // The actions come with the number of steps run when they reached the handler.
        handler.onAction = [this](const Input::ActionId& action) {
            fired.push_back(action.getName() + "@" + std::to_string(steps()));
        };
    }

    // Presses 'k' at pressMs and lets go at releaseMs of the clock, passing at fps.
    void holdAt(double fps, double pressMs, double releaseMs, double seconds) {
        bool pressed = false, released = false;
        runAt(fps, seconds, [&](double now) {
            if (!pressed && now >= pressMs) {
                context.onKey('k', true, 0);
                pressed = true;
            }
            if (!released && now >= releaseMs) {
                context.onKey('k', false, 0);
                released = true;
            }
        });
    }

    RecordingHandler handler;
    std::vector<std::string> fired;
};

// Held for 0.7 s, the key fires its hold after half a second of steps at every frame rate; the
// press reaches the game at the step after it is seen.
TEST_P(MainLoopSwitch, AHoldFiresAfterHalfARealSecondAtAnyFrameRate) {
    const double fps = GetParam();
    holdAt(fps, 990.0, 1690.0, 2.0);
    ASSERT_EQ(fired.size(), 3u) << ::testing::PrintToString(fired);
    EXPECT_EQ(fired[0].substr(0, 6), "PRESS@");
    EXPECT_EQ(fired[1].substr(0, 5), "HOLD@");
    EXPECT_EQ(fired[2].substr(0, 8), "HELD-UP@");
    const int pressedAt = std::stoi(fired[0].substr(6));
    const int heldAt = std::stoi(fired[1].substr(5));
    // 500 ms is 30 steps, counted from the step after the one that first sees the press.
    EXPECT_EQ(heldAt - pressedAt, 30) << fps << " fps";
    EXPECT_NEAR(pressedAt, 60, 1) << "the press at 0.99 s is seen within a step of 1 s";
}

INSTANTIATE_TEST_SUITE_P(Table, MainLoopSwitch, ::testing::Values(20.0, 42.0, 60.0, 144.0));

// A key pressed and let go 0.4 s later, the press seen after a stall of nearly half a second:
// the stall's catch-up steps ran before the press was seen, so the tap stays a tap.
TEST_F(MainLoopSwitch, ATapSeenAfterAStallStaysATap) {
    runAt(60, 1.0);
    pass(450.0, [&] { context.onKey('k', true, 0); });
    int passes = 0;
    while (passes++ < 24) pass(1000.0 / 60.0);
    pass(1000.0 / 60.0, [&] { context.onKey('k', false, 0); });
    runAt(60, 1.0);
    ASSERT_EQ(fired.size(), 2u) << ::testing::PrintToString(fired);
    EXPECT_EQ(fired[0].substr(0, 6), "PRESS@");
    EXPECT_EQ(fired[1].substr(0, 8), "RELEASE@");
}

}  // namespace
