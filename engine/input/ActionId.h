#pragma once
#include <string>
#include <utility>

namespace Input {

// One action fired by a switch: a name ("START_MOVE", "GOTO_AREA" ...) and its parameter.
class ActionId {
public:
    ActionId() = default;
    ActionId(std::string name, std::string param) : m_name(std::move(name)), m_param(std::move(param)) {}
    virtual ~ActionId() = default;
    ActionId(const ActionId&) = default;
    ActionId& operator=(const ActionId&) = default;

    virtual void set(const std::string& name, const std::string& param) {
        m_name = name;
        m_param = param;
    }
    virtual const std::string& getName() const { return m_name; }
    virtual const std::string& getParam() const { return m_param; }

private:
    std::string m_name;
    std::string m_param;
};

}  // namespace Input
