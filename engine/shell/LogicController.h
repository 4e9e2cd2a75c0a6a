#pragma once
#include <memory>
#include <string>
#include <vector>

#include "engine/shell/LogicState.h"

namespace Game {

struct LogicTransition {
    std::string key;     // matched as a prefix of the command; "*" catches the rest
    std::string target;  // a state name
};

struct LogicEntry {
    std::string name;
    std::unique_ptr<ILogicState> state;
    std::vector<LogicTransition> transitions;
};

// The program's fixed table of named states. Each frame the current state is updated; a
// non-empty command switches by the first transition whose key prefixes it, else by "*", else
// (also when a target names no state) to the next entry of the table, wrapping to the first.
class LogicController {
public:
    using Entry = LogicEntry;
    using Transition = LogicTransition;

    LogicController() = default;
    LogicController(const LogicController&) = delete;
    LogicController& operator=(const LogicController&) = delete;
    // States go in reverse registration order.
    ~LogicController();

    void add(const std::string& name, std::unique_ptr<ILogicState> state, std::vector<Transition> transitions);
    ILogicState* find(const std::string& name) const;
    void signal(int value);
    void update(float dtMs);

    // Name of the current state; empty before the first update.
    const std::string& currentName() const;

private:
    int indexOf(const std::string& name) const;
    void switchTo(int target, const std::string& command);

    std::vector<Entry> m_entries;
    int m_current = -1;
};

}  // namespace Game
