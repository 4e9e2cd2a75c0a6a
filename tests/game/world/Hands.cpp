#include "tests/game/world/Hands.h"

namespace WorldTest {

// A change of walk is sent before a change of punch, in the order the autopilot has always sent them.
void KeyboardHands::want(const Intent& intent) {
    if (intent.direction != m_held.direction) {
        if (m_held.direction) m_harness.send("STOP_MOVE", m_held.direction);
        if (intent.direction) {
            m_harness.send("START_MOVE", intent.direction);
            m_presses += 1;
        }
    }
    if (intent.punch != m_held.punch) {
        m_harness.send(intent.punch ? "START_ACTION" : "STOP_ACTION", "0");
        if (intent.punch) m_presses += 1;
    }
    m_held = intent;
}

}  // namespace WorldTest
