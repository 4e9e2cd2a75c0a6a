#pragma once
#include <string>

namespace Game {

struct LogicEntry;

// One phase of the program, driven by the logic controller. Entering passes the table entry of
// the state that was current (its name is empty on the very first entry) and the command that
// led here; an empty command from update keeps the state.
class ILogicState {
public:
    virtual ~ILogicState() = default;
    void setActive(bool flag) { m_active = flag; }
    virtual void signal(int) {}
    virtual void enter(const LogicEntry& previous, const std::string& command) = 0;
    virtual std::string update(float dtMs) = 0;
    // Called by states themselves: "THIS" when handing over, "PAUSE", "DESTRUCTOR".
    virtual void leave(const std::string&) {}

    bool isActive() const { return m_active; }

private:
    bool m_active = false;
};

}  // namespace Game
