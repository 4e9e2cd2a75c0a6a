#include "game/startup/DeferredEvents.h"

#include "data/Events_generated.h"
#include "engine/events/LaterSender.h"

namespace Zelmo {
namespace {

template <typename T>
void flush() {
    EVT::LaterSender<T, Event>::instance().flush();
}

}  // namespace

void flushDeferredEvents() {
    flush<LogicReturnEvent>();
    flush<ActionEvent>();
    flush<MenuSoundEvent>();
    flush<MenuVideoEvent>();
    flush<MenuPageEvent>();
    flush<MenuOptionEvent>();
    flush<GotoPageAreaEvent>();
    flush<IntroSpeedEvent>();
    flush<MoveEvent>();
}

}  // namespace Zelmo
