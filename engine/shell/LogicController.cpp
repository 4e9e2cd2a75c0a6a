#include "engine/shell/LogicController.h"

#include "engine/util/Text.h"

namespace Game {

LogicController::~LogicController() {
    for (auto l_it = m_entries.rbegin(); l_it != m_entries.rend(); ++l_it) l_it->state.reset();
}

void LogicController::add(const std::string& name, std::unique_ptr<ILogicState> state,
                          std::vector<Transition> transitions) {
    m_entries.push_back(Entry{name, std::move(state), std::move(transitions)});
}

int LogicController::indexOf(const std::string& name) const {
    for (size_t l_index = 0; l_index < m_entries.size(); ++l_index) {
        if (m_entries[l_index].name == name) return int(l_index);
    }
    return -1;
}

ILogicState* LogicController::find(const std::string& name) const {
    const int l_index = indexOf(name);
    return l_index < 0 ? nullptr : m_entries[size_t(l_index)].state.get();
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
    Entry& l_entry = m_entries[size_t(m_current)];
    std::string l_command = l_entry.state->update(dtMs);
    if (l_command.empty()) return;

    const Transition* l_taken = nullptr;
    for (const auto& l_transition : l_entry.transitions) {
        if (Util::startsWith(l_command, l_transition.key)) {
            l_taken = &l_transition;
            break;
        }
    }
    if (!l_taken) {
        l_command = "*";
        for (const auto& l_transition : l_entry.transitions) {
            if (l_transition.key == "*") {
                l_taken = &l_transition;
                break;
            }
        }
    }
    int l_target = l_taken ? indexOf(l_taken->target) : -1;
    if (l_target < 0) {
        l_target = (m_current + 1) % int(m_entries.size());
        l_command = "*";
    }
    switchTo(l_target, l_command);
}

void LogicController::switchTo(int target, const std::string& command) {
    const Entry& l_left = m_entries[size_t(m_current)];
    l_left.state->setActive(false);
    m_current = target;
    Entry& l_entered = m_entries[size_t(target)];
    l_entered.state->setActive(true);
    l_entered.state->enter(l_left, command);
}

}  // namespace Game
