#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/Events_generated.h"
#include "engine/events/EventSender.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/LogicController.h"
#include "game/config/Settings.h"
#include "game/startup/InputMethodLogic.h"
#include "tests/engine/util/TempFolder.h"

namespace {

using Game::InputMethodLogic;

// The three questions of the picker, without areas: only which one is current matters here.
class InputMethodLogicTest : public ::testing::Test {
protected:
    InputMethodLogicTest() {
        for (const char* name : {"INPUT-METHOD", "SWITCH-OR-HEAD", "PICK-SWITCH"}) {
            controllers.add(name, std::make_unique<Input::InputController>(name, nullptr, nullptr));
        }
    }

    void send(const std::string& command) {
        flatbuffers::FlatBufferBuilder builder;
        builder.Finish(Zelmo::CreateLogicReturnEvent(builder, builder.CreateString(command)));
        sender.send(*flatbuffers::GetRoot<Zelmo::LogicReturnEvent>(builder.GetBufferPointer()));
    }

    TempFolder folder;
    Input::InputControllers controllers;
    InputMethodLogic picker{controllers, folder.path("preferences.cfg")};
    EVT::EventSender<Zelmo::LogicReturnEvent> sender;
    Game::LogicEntry previous;
};

TEST_F(InputMethodLogicTest, EnteringAsksTheFirstQuestionAndForgetsEarlierAnswers) {
    send("STANDARD");
    picker.enter(previous, "*");
    EXPECT_EQ(controllers.getCurrentName(), "INPUT-METHOD");
    EXPECT_EQ(picker.update(16), "");
}

TEST_F(InputMethodLogicTest, PickAndPickSwitchOpenTheNextQuestions) {
    picker.enter(previous, "*");
    send("PICK");
    EXPECT_EQ(picker.update(16), "");
    EXPECT_EQ(controllers.getCurrentName(), "SWITCH-OR-HEAD");
    send("PICK-SWITCH");
    EXPECT_EQ(picker.update(16), "");
    EXPECT_EQ(controllers.getCurrentName(), "PICK-SWITCH");
    EXPECT_EQ(picker.update(16), "");
}

// Once the picker has its answer, none of its questions stays on the screen or takes input.
TEST_F(InputMethodLogicTest, AnyOtherAnswerEndsThePickerWithItAndTakesItsQuestionsAway) {
    for (const char* answer : {"ONESWITCH", "QUIT"}) {
        picker.enter(previous, "*");
        send("PICK");
        picker.update(16);
        send(answer);
        EXPECT_EQ(picker.update(16), answer);
        EXPECT_EQ(controllers.getCurrent(), nullptr);
    }
}

TEST_F(InputMethodLogicTest, AChosenMethodIsSavedAtOnceAndOtherAnswersAreNot) {
    picker.enter(previous, "*");
    send("QUIT");
    picker.update(16);
    EXPECT_EQ(folder.read("preferences.cfg"), "");

    picker.enter(previous, "*");
    send("HEADTRACKER");
    picker.update(16);
    EXPECT_EQ(Zelmo::getPref("INPUT_METHOD"), "HEADTRACKER");
    EXPECT_NE(folder.read("preferences.cfg").find("INPUT_METHOD = HEADTRACKER\n"), std::string::npos);
    EXPECT_EQ(folder.read("preferences.cfg.tmp"), "");
}

TEST_F(InputMethodLogicTest, AnswersArriveWhetherOrNotTheStateIsActive) {
    picker.enter(previous, "*");
    picker.setActive(false);
    send("HEADTRACKER");
    EXPECT_EQ(picker.update(16), "HEADTRACKER");
}

TEST_F(InputMethodLogicTest, AnEmptyAnswerKeepsTheQuestion) {
    picker.enter(previous, "*");
    send("");
    EXPECT_EQ(picker.update(16), "");
    EXPECT_EQ(controllers.getCurrentName(), "INPUT-METHOD");
}

}  // namespace
