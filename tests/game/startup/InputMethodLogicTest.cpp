#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/Events_generated.h"
#include "engine/events/EventSender.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/LogicController.h"
#include "game/startup/InputMethodLogic.h"

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

    Input::InputControllers controllers;
    InputMethodLogic picker{controllers};
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

TEST_F(InputMethodLogicTest, AnyOtherAnswerEndsThePickerWithItAndReturnsToTheFirstQuestion) {
    for (const char* answer : {"ONESWITCH", "QUIT"}) {
        picker.enter(previous, "*");
        send("PICK");
        picker.update(16);
        send(answer);
        EXPECT_EQ(picker.update(16), answer);
        EXPECT_EQ(controllers.getCurrentName(), "INPUT-METHOD");
    }
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
