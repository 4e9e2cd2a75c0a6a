#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/game/input/EventRecorder.h"

namespace {

using namespace EventRecording;

struct ActionCase {
    const char* name;
    const char* param;
    std::optional<Received> sent;
};

TEST(InputActionHandler, TurnsEachActionIntoItsEvent) {
    const ActionCase cases[] = {
        {"START_MOVE", "UP RT", move(true, 9)},
        {"START_MOVE", "LF LF", move(true, 4)},
        {"STOP_MOVE", "DN  XX LF", move(false, 6)},
        {"STOP_MOVE", "up", std::nullopt},
        {"START_MOVE", "", std::nullopt},
        {"START_ACTION", "2", action(2, true)},
        {"STOP_ACTION", "2", action(2, false)},
        {"START_ACTION", "0", action(0, true)},
        {"START_ACTION", "3", std::nullopt},
        {"STOP_ACTION", "-1", std::nullopt},
        {"LOGIC_RETURN", "", logicReturn("")},
        {"LOGIC_RETURN", "NEWGAME", logicReturn("NEWGAME")},
        {"SOUND_INC", "MUSIC", sound(true, "MUSIC")},
        {"SOUND_DEC", "SPEECH", sound(false, "SPEECH")},
        {"RES_INC", "ignored", video(true, "RES")},
        {"RES_DEC", "", video(false, "RES")},
        {"TOGGLE_FULL", "", video(false, "TOGGLE")},
        {"PAGE_INC", "HELP", page(true, "HELP")},
        {"PAGE_DEC", "HELP", page(false, "HELP")},
        {"INTRO_SPEED", "2.5", introSpeed(2.5f)},
        {"INTRO_SPEED", "", introSpeed(0.0f)},
        {"OPTION_INC", "PUNCH_DMG", option(true, "PUNCH_DMG")},
        {"OPTION_DEC", "PUNCH_DMG", option(false, "PUNCH_DMG")},
        {"GOTO_PAGE_AREA", "_3", gotoPageArea("_3")},
        {"GOTO_AREA", "PLAY", std::nullopt},
        {"start_move", "UP", std::nullopt},
        {"START_MOVE ", "UP", std::nullopt},
    };
    Recorder recorder;
    InputActionHandler handler(nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " \"" + c.param + "\"");
        recorder.events.clear();
        handler.handleAction(Input::ActionId(c.name, c.param));
        const std::vector<Received> expected = c.sent ? std::vector<Received>{*c.sent} : std::vector<Received>{};
        EXPECT_EQ(recorder.events, expected);
    }
}

TEST(InputActionHandler, EveryReceiverHasActedWhenTheActionReturns) {
    Recorder first;
    InputActionHandler handler(nullptr);
    Recorder second;
    handler.handleAction(Input::ActionId("START_MOVE", "UP"));
    EXPECT_EQ(first.events, std::vector<Received>{move(true, 1)});
    EXPECT_EQ(second.events, std::vector<Received>{move(true, 1)});
}

template <typename T>
size_t senders() {
    return EVT::EventRegistry<T>::instance().senderCount();
}

TEST(InputActionHandler, IsOneSenderOfEveryEventTypeForItsLifetime) {
    auto counts = [] {
        return std::vector<size_t>{senders<ActionEvent>(),    senders<MoveEvent>(),       senders<LogicReturnEvent>(),
                                   senders<MenuSoundEvent>(), senders<MenuPageEvent>(),   senders<IntroSpeedEvent>(),
                                   senders<MenuVideoEvent>(), senders<MenuOptionEvent>(), senders<GotoPageAreaEvent>()};
    };
    const std::vector<size_t> before = counts();
    {
        InputActionHandler handler(nullptr);
        std::vector<size_t> during = counts();
        for (size_t i = 0; i < during.size(); ++i) EXPECT_EQ(during[i], before[i] + 1) << "event type " << i + 1;
    }
    EXPECT_EQ(counts(), before);
}

TEST(InputActionHandler, EventTypesKeepTheirNumbers) {
    const std::vector<int> numbers = {
        EventTypeTraits<ActionEvent>::enum_value,      EventTypeTraits<MoveEvent>::enum_value,
        EventTypeTraits<LogicReturnEvent>::enum_value, EventTypeTraits<MenuSoundEvent>::enum_value,
        EventTypeTraits<MenuPageEvent>::enum_value,    EventTypeTraits<IntroSpeedEvent>::enum_value,
        EventTypeTraits<MenuVideoEvent>::enum_value,   EventTypeTraits<MenuOptionEvent>::enum_value,
        EventTypeTraits<GotoPageAreaEvent>::enum_value};
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(InputActionHandlerDeathTest, NumberParameterThatIsNoNumberStops) {
    const Input::ActionId cases[] = {{"START_ACTION", "punch"}, {"STOP_ACTION", "x1"}, {"INTRO_SPEED", "fast"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.getName());
        EXPECT_EXIT(
            {
                InputActionHandler handler(nullptr);
                handler.handleAction(c);
            },
            ::testing::ExitedWithCode(1), "Cant convert String to Num:" + c.getParam());
    }
}

}  // namespace
