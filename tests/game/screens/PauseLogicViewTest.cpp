#include <gtest/gtest.h>

#include "game/screens/PauseLogicView.h"
#include "tests/game/screens/ScreenFixture.h"

namespace {

// Stands in for the paused game: notes how it was told to leave.
class PausedGame : public Game::ILogicState {
public:
    explicit PausedGame(std::vector<std::string>& leaves) : m_leaves(leaves) {}
    void enter(const Game::LogicEntry&, const std::string&) override {}
    std::string update(float) override { return ""; }
    void leave(const std::string& reason) override { m_leaves.push_back(reason); }

private:
    std::vector<std::string>& m_leaves;
};

class PauseTest : public ScreenFixture {
protected:
    PauseTest() { context.logicController().add("RUNNING", std::make_unique<PausedGame>(leaves), {}); }
    void TearDown() override {
        pause.reset();
        ScreenFixture::TearDown();
    }

    std::vector<std::string> leaves;
    std::unique_ptr<Zelmo::PauseLogicView> pause = std::make_unique<Zelmo::PauseLogicView>(context);
};

TEST_F(PauseTest, ResumeGoesBackWithoutTellingTheGameAndQuitMakesItLeave) {
    const struct {
        const char* choice;
        std::vector<std::string> gameLeaves;
    } cases[] = {{"RESUME", {}}, {"QUIT", {"PAUSE"}}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.choice);
        leaves.clear();
        enter(*pause, "RUNNING");
        EXPECT_EQ(context.inputControllers().getCurrentName(), "PAUSE");
        EXPECT_EQ(pause->update(16), "");
        act("LOGIC_RETURN", each.choice);
        EXPECT_EQ(pause->update(16), each.choice);
        EXPECT_EQ(leaves, each.gameLeaves);
        EXPECT_EQ(pause->display(), nullptr);
        pause->setActive(false);
    }
}

TEST_F(PauseTest, AChoiceWhileTheGameRunsIsNotTaken) {
    act("LOGIC_RETURN", "QUIT");
    enter(*pause, "RUNNING");
    pause->setActive(false);
    act("LOGIC_RETURN", "QUIT");
    pause->setActive(true);
    EXPECT_EQ(pause->update(16), "");
    EXPECT_TRUE(leaves.empty());
}

// The game draws over the pause view once it runs again: the view stops clearing.
TEST_F(PauseTest, LeavingStopsClearingThePauseView) {
    enter(*pause, "RUNNING");
    gfx::frame();
    act("LOGIC_RETURN", "RESUME");
    pause->update(16);
    gfx::frame();
    const gfx::ViewPass* view = recording().pass(189);
    ASSERT_NE(view, nullptr) << "the pause view is touched once more on leaving";
    EXPECT_EQ(view->state.clearFlags, gfx::Clear::None);
}

}  // namespace
