#pragma once
#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/InputConfig_generated.h"
#include "engine/data/Info.h"
#include "engine/input/IActionHandler.h"
#include "engine/input/InputController.h"

// Keeps every action it receives as "NAME(param)" and may act on it, as the game's handler
// does through its events.
class RecordingHandler : public Input::IActionHandler {
public:
    void handleAction(const Input::ActionId& action) override {
        received.push_back(action.getName() + "(" + action.getParam() + ")");
        if (onAction) onAction(action);
    }
    // The actions received since the last call.
    std::vector<std::string> take() { return std::exchange(received, {}); }

    std::vector<std::string> received;
    std::function<void(const Input::ActionId&)> onAction;
};

// Parses configuration JSON against the real schema and builds controllers from it.
class ConfigParser {
public:
    ConfigParser() { EXPECT_TRUE(m_info.loadSchema("data/InputConfig.fbs")); }

    std::unique_ptr<Input::InputController> load(const std::string& json, Input::IActionHandler* handler,
                                                 Input::InputController::IRefs* refs = nullptr,
                                                 bool* loaded = nullptr) {
        auto controller = std::make_unique<Input::InputController>("TEST", handler, refs);
        const uint8_t* data = m_info.storeData(json, false);
        EXPECT_NE(data, nullptr) << m_info.getParser()->error_;
        const bool result = data != nullptr && controller->load(*rootOf(data));
        if (loaded != nullptr) {
            *loaded = result;
        } else {
            EXPECT_TRUE(result);
        }
        return controller;
    }

private:
    static const Input::Config::InputConfig* rootOf(const uint8_t* data) {
        return flatbuffers::GetRoot<Input::Config::InputConfig>(data);
    }

    Game::Info m_info;
};
