#pragma once
#include <string>
#include <utility>

namespace Util {

// Base of objects that are found by name (input controllers, screen areas).
class NamedObject {
public:
    explicit NamedObject(std::string name = {}) : m_name(std::move(name)) {}
    virtual ~NamedObject() = default;

    const std::string& getName() const { return m_name; }

protected:
    std::string m_name;
};

}  // namespace Util
