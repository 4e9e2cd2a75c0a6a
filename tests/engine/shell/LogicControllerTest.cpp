#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/shell/LogicController.h"

namespace {

std::vector<std::string> g_log;

// Answers queued commands, one per update, and logs what happens to it.
class ScriptedState : public Game::ILogicState {
public:
    explicit ScriptedState(std::string name) : m_name(std::move(name)) {}
    ~ScriptedState() override { g_log.push_back("delete " + m_name); }
    void enter(const Game::LogicEntry& previous, const std::string& command) override {
        g_log.push_back("enter " + m_name + " from '" + previous.name + "' with '" + command + "'" +
                        (isActive() ? "" : " inactive"));
    }
    std::string update(float) override {
        if (m_answers.empty()) return "";
        std::string answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void answer(const std::string& command) { m_answers.push_back(command); }

private:
    std::string m_name;
    std::deque<std::string> m_answers;
};

class LogicControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        add("TITLE", {{"QUIT", "EXIT"}, {"NEWGAME", "RUNNING"}, {"HELP", "HELP"}});
        add("HELP", {{"*", "TITLE"}});
        add("RUNNING", {{"QUIT", "TITLE"}, {"DEAD", "RUNNING"}, {"BROKEN", "NOWHERE"}});
        add("PAUSE", {});
        add("EXIT", {});
        m_controller.update(0);  // enters TITLE
        g_log.clear();
    }

    void add(const std::string& name, std::vector<Game::LogicTransition> transitions) {
        auto each = std::make_unique<ScriptedState>(name);
        m_states.push_back(each.get());
        m_controller.add(name, std::move(each), std::move(transitions));
    }

    ScriptedState& state(const std::string& name) { return *static_cast<ScriptedState*>(m_controller.find(name)); }

    // Makes the current state answer the command and returns the state entered.
    std::string step(const std::string& command) {
        state(m_controller.currentName()).answer(command);
        g_log.clear();
        m_controller.update(16.0f);
        return m_controller.currentName();
    }

    Game::LogicController m_controller;
    std::vector<ScriptedState*> m_states;
};

TEST_F(LogicControllerTest, FirstUpdateEntersTheFirstStateWithAnEmptyEntry) {
    Game::LogicController fresh;
    fresh.update(0);  // no entries: nothing happens
    EXPECT_EQ(fresh.currentName(), "");
    g_log.clear();
    fresh.add("ONLY", std::make_unique<ScriptedState>("ONLY"), {});
    fresh.update(0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"enter ONLY from '' with ''"}));
}

struct TransitionCase {
    std::string from;
    std::string command;
    std::string to;
    std::string enteredWith;
};

void PrintTo(const TransitionCase& c, std::ostream* os) { *os << c.from << " '" << c.command << "'"; }

class Transitions : public LogicControllerTest, public ::testing::WithParamInterface<TransitionCase> {};

TEST_P(Transitions, FollowTheTable) {
    const auto& c = GetParam();
    if (c.from != "TITLE") {
        // Walk there through the table first.
        if (c.from == "HELP") step("HELP");
        if (c.from == "RUNNING" || c.from == "PAUSE") step("NEWGAME");
        if (c.from == "PAUSE") step("UNKNOWN");
        if (c.from == "EXIT") step("QUIT");
        ASSERT_EQ(m_controller.currentName(), c.from);
    }
    EXPECT_EQ(step(c.command), c.to);
    EXPECT_EQ(g_log.back(), "enter " + c.to + " from '" + c.from + "' with '" + c.enteredWith + "'");
}

INSTANTIATE_TEST_SUITE_P(
    Table, Transitions,
    ::testing::Values(TransitionCase{"TITLE", "NEWGAME", "RUNNING", "NEWGAME"},
                      TransitionCase{"TITLE", "NEWGAME-EASY", "RUNNING", "NEWGAME-EASY"},
                      TransitionCase{"HELP", "ANYTHING", "TITLE", "*"},
                      TransitionCase{"RUNNING", "DEAD", "RUNNING", "DEAD"},
                      TransitionCase{"RUNNING", "SOMETHING", "PAUSE", "*"},
                      TransitionCase{"RUNNING", "BROKEN", "PAUSE", "*"},
                      TransitionCase{"PAUSE", "RESUME", "EXIT", "*"},
                      TransitionCase{"EXIT", "EXIT", "TITLE", "*"}));

TEST_F(LogicControllerTest, EmptyCommandKeepsTheStateWithoutEnteringAgain) {
    EXPECT_EQ(step(""), "TITLE");
    EXPECT_TRUE(g_log.empty());
}

TEST_F(LogicControllerTest, OnlyTheCurrentStateIsActive) {
    step("NEWGAME");
    for (auto* each : m_states) EXPECT_EQ(each->isActive(), each == &state("RUNNING"));
}

TEST_F(LogicControllerTest, FindComparesNamesExactly) {
    EXPECT_NE(m_controller.find("HELP"), nullptr);
    EXPECT_EQ(m_controller.find("HEL"), nullptr);
    EXPECT_EQ(m_controller.find("help"), nullptr);
}

TEST_F(LogicControllerTest, StatesAreDeletedInReverseRegistrationOrder) {
    {
        Game::LogicController controller;
        controller.add("A", std::make_unique<ScriptedState>("A"), {});
        controller.add("B", std::make_unique<ScriptedState>("B"), {});
        g_log.clear();
    }
    EXPECT_EQ(g_log, (std::vector<std::string>{"delete B", "delete A"}));
}

}  // namespace
