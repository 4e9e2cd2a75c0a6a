// Players who can do only one thing, on the shipped method picker: each must be able to reach
// every input method. The picker steps between its three controllers as the game's picker state
// does: "PICK" and "PICK-SWITCH" open the next question, any other command ends the choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "InputTestSupport.h"
#include "engine/input/InputControllers.h"

namespace {

using Input::ActionId;
using Input::InputController;
using Input::InputControllers;
using Input::IScreenArea;

constexpr float kFrameMs = 1000.0f / 60;
constexpr float kGiveUpMs = 120000;
// How long a player takes to see that another choice is lit and to act on it.
constexpr float kReactionMs = 300;

enum class Player {
    ScanningKey,      // waits while the choices are lit in turn, holds the key on the wanted one
    TappingSwitch,    // taps to step through the choices, holds on the wanted one
    JoypadSwitch,     // the same with joypad button 1
    DwellingPointer,  // rests the pointer on the wanted choice, as still as a head can be
    QuickTapSwitch,   // taps so quickly that the key goes down and up between two frames
    AnticipatingKey,  // knows the scan's rhythm and holds the key the moment the wanted choice lights
};

float reactionMs(Player player) { return player == Player::AnticipatingKey ? 0 : kReactionMs; }
bool waitsForTheScan(Player player) { return player == Player::ScanningKey || player == Player::AnticipatingKey; }

struct Route {
    Player player;
    std::vector<std::string> commands;  // chosen in turn, the last one a method
};

std::ostream& operator<<(std::ostream& out, const Route& route) {
    const char* names[] = {"ScanningKey",     "TappingSwitch",  "JoypadSwitch",
                           "DwellingPointer", "QuickTapSwitch", "AnticipatingKey"};
    out << names[static_cast<int>(route.player)];
    for (const auto& command : route.commands) out << "-" << command;
    return out;
}

// The picker state: remembers the command of the last "LOGIC_RETURN" and acts on it at the next
// update, as the state does.
class PickerHandler : public Input::IActionHandler {
public:
    void handleAction(const ActionId& action) override {
        if (action.getName() == "LOGIC_RETURN") pending = action.getParam();
    }
    std::string pending;
};

class PickerSession {
public:
    PickerSession() {
        EXPECT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        controllers.setActionHandler(handler);
        EXPECT_TRUE(controllers.load("INPUT-METHOD", "data/INPUT-METHOD-PICK.json", nullptr));
        EXPECT_TRUE(controllers.load("SWITCH-OR-HEAD", "data/PICK-SWITCH-OR-HEAD.json", nullptr));
        EXPECT_TRUE(controllers.load("PICK-SWITCH", "data/PICK-SWITCH.json", nullptr));
        controllers.setCurrent("INPUT-METHOD");
    }

    // One frame: the controller's time, then the picker state's update. The command that ended
    // the choice, or nothing.
    std::optional<std::string> frame() {
        elapsedMs += kFrameMs;
        controllers.getCurrent()->tick(kFrameMs);
        const std::string command = std::exchange(handler->pending, {});
        if (command == "PICK") {
            controllers.setCurrent("SWITCH-OR-HEAD");
        } else if (command == "PICK-SWITCH") {
            controllers.setCurrent("PICK-SWITCH");
        } else if (!command.empty()) {
            return command;
        }
        return std::nullopt;
    }

    // The command of the choice drawn lit now: the visible area that is current or that lists
    // the current area among its groups, and the command its click sends.
    std::string litCommand() {
        const IScreenArea* lit = litArea();
        return lit != nullptr ? commandOf(*lit) : std::string();
    }

    const IScreenArea* litArea() {
        InputController& current = *controllers.getCurrent();
        const std::string currentName = current.getCurrentAreaName();
        for (const auto& area : current.getScreenAreaController().getAreas()) {
            if (!area->isVisible() || area->getName() == "ANYWHERE") continue;
            const auto& groups = area->getGroups();
            if (area->getName() == currentName ||
                std::find(groups.begin(), groups.end(), currentName) != groups.end()) {
                return area.get();
            }
        }
        return nullptr;
    }

    // The visible choice whose click sends the command.
    const IScreenArea* choiceFor(const std::string& command) {
        for (const auto& area : controllers.getCurrent()->getScreenAreaController().getAreas()) {
            if (area->isVisible() && commandOf(*area) == command) return area.get();
        }
        return nullptr;
    }

    std::string commandOf(const IScreenArea& area) {
        std::vector<Input::Switch*> clicks;
        controllers.getCurrent()->getSwitchController().findSwitches(clicks, area, Input::TriggerType::MOUSE);
        for (const Input::Switch* click : clicks) {
            for (const ActionId& action : click->getActions().press) {
                if (action.getName() == "LOGIC_RETURN") return action.getParam();
            }
        }
        return {};
    }

    void button(Player player, bool down) {
        if (player == Player::JoypadSwitch) {
            controllers.getCurrent()->onJoypad(0, 0, 0, {down ? 1 : 0});
        } else {
            controllers.getCurrent()->onKey(player == Player::TappingSwitch ? Devices::KEY_RETURN : Devices::KEY_SPACE,
                                            0, down);
        }
    }

    std::shared_ptr<PickerHandler> handler = std::make_shared<PickerHandler>();
    InputControllers controllers;
    float elapsedMs = 0;
};

// How many questions lie before each of the picker's controllers.
size_t depthOf(const std::string& controller) {
    if (controller == "SWITCH-OR-HEAD") return 1;
    if (controller == "PICK-SWITCH") return 2;
    return 0;
}

// Plays until the picker ends; the command it ended with, or "timeout".
std::string play(const Route& route) {
    PickerSession session;
    bool down = false;
    float nextMoveMs = 0;
    std::string lit;
    float litSinceMs = 0;
    while (session.elapsedMs < kGiveUpMs) {
        const size_t step = std::min(depthOf(session.controllers.getCurrentName()), route.commands.size() - 1);
        const std::string& wanted = route.commands[step];
        if (route.player == Player::DwellingPointer) {
            if (const IScreenArea* target = session.choiceFor(wanted)) {
                const Input::AreaRect rect = target->getRect();
                const float tremor = (int(session.elapsedMs / kFrameMs) % 2) * 0.1f;
                session.controllers.getCurrent()->onMouse(rect.x + rect.width / 2 + tremor, rect.y + rect.height / 2, 0,
                                                          0, false);
            }
        } else if (session.litCommand() != lit) {
            lit = session.litCommand();
            litSinceMs = session.elapsedMs;
        } else if (session.elapsedMs >= std::max(nextMoveMs, litSinceMs + reactionMs(route.player))) {
            const bool onWanted = lit == wanted;
            if (onWanted && !down) {
                session.button(route.player, down = true);
            } else if (!onWanted && down) {
                session.button(route.player, down = false);
                nextMoveMs = session.elapsedMs + 300;
            } else if (!onWanted && !waitsForTheScan(route.player)) {
                // A tap: down now, up a tenth of a second later or before the next frame.
                session.button(route.player, true);
                if (route.player != Player::QuickTapSwitch) {
                    for (int i = 0; i < 6; ++i) session.frame();
                }
                session.button(route.player, false);
                nextMoveMs = session.elapsedMs + 400;
            }
        }
        if (const auto command = session.frame()) return *command;
    }
    return "timeout";
}

class PickFilesReachability : public ::testing::TestWithParam<Route> {};

TEST_P(PickFilesReachability, ThePlayerReachesTheMethod) {
    const Route& route = GetParam();
    EXPECT_EQ(play(route), route.commands.back());
}

std::vector<Route> allRoutes() {
    std::vector<Route> routes;
    for (Player player : {Player::ScanningKey, Player::TappingSwitch, Player::JoypadSwitch, Player::DwellingPointer,
                          Player::QuickTapSwitch, Player::AnticipatingKey}) {
        routes.push_back({player, {"STANDARD"}});
        routes.push_back({player, {"PICK", "HEADTRACKER"}});
        routes.push_back({player, {"PICK", "PICK-SWITCH", "ONEKEY"}});
        routes.push_back({player, {"PICK", "PICK-SWITCH", "ONESWITCH"}});
    }
    return routes;
}

INSTANTIATE_TEST_SUITE_P(RealPickFiles, PickFilesReachability, ::testing::ValuesIn(allRoutes()));

}  // namespace
