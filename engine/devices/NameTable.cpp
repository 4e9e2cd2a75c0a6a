#include "engine/devices/NameTable.h"

#include <utility>

namespace Devices {

NameTable::NameTable(uint32_t defaultCode, std::string defaultName)
    : m_defaultCode(defaultCode), m_defaultName(std::move(defaultName)) {}

void NameTable::add(uint32_t code, const std::string& name) {
    m_names[code] = name;
    m_codes[name] = code;
}

const std::string& NameTable::nameOf(uint32_t code) const {
    auto found = m_names.find(code);
    return found == m_names.end() ? m_defaultName : found->second;
}

uint32_t NameTable::codeOf(const std::string& name) const {
    auto found = m_codes.find(name);
    return found == m_codes.end() ? m_defaultCode : found->second;
}

}  // namespace Devices
