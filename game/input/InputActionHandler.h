#pragma once
#include "data/Events_generated.h"
// The sender binds to receivers, so it needs their full type.
#include "engine/events/EventReceiver.h"
#include "engine/events/EventSender.h"
#include "engine/input/IActionHandler.h"

class AppContext;

namespace Zelmo {

// The player's buttons that "START_ACTION" and "STOP_ACTION" name: 0 punch, 1 shield,
// 2 power punch.
inline constexpr int kPlayerButtonCount = 3;

// Turns the actions the game understands into event messages and sends each at once to every
// receiver of its type; by the time handleAction returns, every receiver has acted on it.
// Actions of other names (such as "GOTO_AREA", which the controller runs itself) send nothing.
class InputActionHandler : public Input::IActionHandler,
                           public EVT::EventSender<ActionEvent>,
                           public EVT::EventSender<MoveEvent>,
                           public EVT::EventSender<MenuSoundEvent>,
                           public EVT::EventSender<MenuVideoEvent>,
                           public EVT::EventSender<MenuPageEvent>,
                           public EVT::EventSender<MenuOptionEvent>,
                           public EVT::EventSender<GotoPageAreaEvent>,
                           public EVT::EventSender<IntroSpeedEvent>,
                           public EVT::EventSender<LogicReturnEvent> {
public:
    explicit InputActionHandler(AppContext* context) : m_context(context) {}

    void handleAction(const Input::ActionId& action) override;

    AppContext* getContext() const { return m_context; }

private:
    AppContext* m_context;
};

}  // namespace Zelmo
