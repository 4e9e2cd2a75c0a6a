#include "engine/shell/LogicController.h"

#include "engine/util/Text.h"

namespace Game {

LogicController::~LogicController() {
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) it->state.reset();
}

void LogicController::add(const std::string& name, std::unique_ptr<ILogicState> state,
                          std::vector<Transition> transitions) {
    m_entries.push_back(Entry{name, std::move(state), std::move(transitions)});
}

int LogicController::indexOf(const std::string& name) const {
    for (size_t index = 0; index < m_entries.size(); ++index) {
        if (m_entries[index].name == name) return int(index);
    }
    return -1;
}

ILogicState* LogicController::find(const std::string& name) const {
    const int index = indexOf(name);
    return index < 0 ? nullptr : m_entries[size_t(index)].state.get();
}

void LogicController::signal(int value) {
    if (m_current >= 0) m_entries[size_t(m_current)].state->signal(value);
}

const std::string& LogicController::currentName() const {
    static const std::string s_none;
    return m_current < 0 ? s_none : m_entries[size_t(m_current)].name;
}

void LogicController::update(float dtMs) {
    if (m_entries.empty()) return;
    if (m_current < 0) {
        m_current = 0;
        static const Entry s_start{};
        m_entries[0].state->setActive(true);
        m_entries[0].state->enter(s_start, "");
    }
    Entry& entry = m_entries[size_t(m_current)];
    std::string command = entry.state->update(dtMs);
    if (command.empty()) return;

    const Transition* taken = nullptr;
    for (const auto& transition : entry.transitions) {
        if (Util::startsWith(command, transition.key)) {
            taken = &transition;
            break;
        }
    }
    if (!taken) {
        command = "*";
        for (const auto& transition : entry.transitions) {
            if (transition.key == "*") {
                taken = &transition;
                break;
            }
        }
    }
    int target = taken ? indexOf(taken->target) : -1;
    if (target < 0) {
        target = (m_current + 1) % int(m_entries.size());
        command = "*";
    }
    switchTo(target, command);
}

void LogicController::switchTo(int target, const std::string& command) {
    const Entry& left = m_entries[size_t(m_current)];
    left.state->setActive(false);
    m_current = target;
    Entry& entered = m_entries[size_t(target)];
    entered.state->setActive(true);
    entered.state->enter(left, command);
}

}  // namespace Game
