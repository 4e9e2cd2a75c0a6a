#pragma once
#include <memory>
#include <string>

#include "engine/gfx/Gfx.h"
#include "engine/input/InputControllers.h"
#include "engine/shell/AppContext.h"
#include "engine/shell/LogicController.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/input/InputActionHandler.h"
#include "tests/engine/gfx/RecordingTest.h"

// A screen's world without a window: the recording renderer, sound off, a context of 640 x 480,
// empty controllers for the pages, and the game's action handler to play the player's choices
// as the input files fire them.
class ScreenFixture : public RecordingTest {
protected:
    ScreenFixture() {
        for (const char* page : {"INTRO", "TITLE", "SETTINGS", "PAUSE", "GAMEOVER", "GAME"}) {
            context.inputControllers().add(page, std::make_unique<Input::InputController>(page, nullptr, nullptr));
        }
        // The accessible methods keep the overlay's menus, so no tuning table is needed.
        Zelmo::setPref(Zelmo::Setting::kInputMethod, Zelmo::kOneSwitchMethod);
        for (const auto& volume : Zelmo::Setting::kVolumes) Zelmo::setPref(volume, "50");
    }

    void act(const std::string& name, const std::string& param = "") { actions.handleAction({name, param}); }

    // Enters the state as the logic controller does.
    void enter(Game::ILogicState& state, const std::string& previous, const std::string& command = "") {
        Game::LogicEntry entry;
        entry.name = previous;
        state.setActive(true);
        state.enter(entry, command);
    }

    AppContext context{false, 640, 480, true, 60, 0};
    Zelmo::InputActionHandler actions{&context};
};
