#include "engine/inputrender/AreaStyle.h"

#include <charconv>
#include <vector>

#include "engine/util/Convert.h"
#include "engine/util/Fatal.h"
#include "engine/util/Text.h"

namespace Input {
namespace {

constexpr size_t kStyleParts = 4;

}  // namespace

// Read as an unsigned 32-bit number: an opaque colour such as 0xffffffff is beyond a signed int.
uint32_t parseAreaColour(const std::string& text) {
    if (text.empty()) return 0;
    const std::string digits = Util::trimLeft(text);
    const bool prefixed = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
    const char* first = digits.data() + (prefixed ? 2 : 0);
    uint32_t value = 0;
    // Reading stops at the first character that is no hexadecimal digit, as a stream's would.
    if (std::from_chars(first, digits.data() + digits.size(), value, 16).ec != std::errc()) {
        Util::fatal("Cant convert String to Num:" + text);
    }
    return value;
}

AreaStyle parseAreaStyle(const std::string& style) {
    AreaStyle parsed;
    std::vector<std::string> parts;
    if (style.empty() || Util::split(style, ",", parts, true) > kStyleParts) return parsed;
    parsed.colour = parseAreaColour(parts[0]);
    if (parts.size() > 1 && !parts[1].empty()) parsed.size = Util::toFloat(parts[1]);
    if (parts.size() > 2 && !parts[2].empty()) parsed.font = parts[2];
    if (parts.size() > 3 && !parts[3].empty()) parsed.letterSpacing = Util::toFloat(parts[3]);
    return parsed;
}

}  // namespace Input
