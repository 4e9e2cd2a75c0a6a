#pragma once

namespace Zelmo {

// Sends what the deferred senders of the nine event types hold, in the game's fixed order.
// Called once a frame after the logic update.
void flushDeferredEvents();

}  // namespace Zelmo
