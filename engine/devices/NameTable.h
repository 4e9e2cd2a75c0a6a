#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

namespace Devices {

// Two-way table between input codes and their names. A later entry for a code replaces that
// code's name, while the earlier name still leads to the code: several names may give one code.
class NameTable {
public:
    NameTable(uint32_t defaultCode, std::string defaultName);

    void add(uint32_t code, const std::string& name);

    // The default name for a code without an entry.
    const std::string& nameOf(uint32_t code) const;
    // Exact, case-sensitive; the default code for a name without an entry.
    uint32_t codeOf(const std::string& name) const;

private:
    uint32_t m_defaultCode;
    std::string m_defaultName;
    std::map<uint32_t, std::string> m_names;
    std::unordered_map<std::string, uint32_t> m_codes;
};

}  // namespace Devices
