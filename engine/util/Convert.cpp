#include "engine/util/Convert.h"

#include <charconv>
#include <iomanip>
#include <sstream>

#include "engine/util/Fatal.h"

namespace Util {
namespace {

std::ios_base& (*baseManipulator(int base))(std::ios_base&) {
    switch (base) {
        case 8: return std::oct;
        case 16: return std::hex;
        default: return std::dec;
    }
}

template <typename T>
T readNumber(const std::string& text, int base) {
    if (text.empty()) return T(0);
    std::istringstream stream(text);
    T value{};
    stream >> baseManipulator(base) >> value;
    if (stream.fail()) fatal("Cant convert String to Num:" + text);
    return value;
}

}  // namespace

int toInt(const std::string& text, int base) { return readNumber<int>(text, base); }

float toFloat(const std::string& text, int base) { return readNumber<float>(text, base); }

float toFloatDecimal(const std::string& text) { return toFloat(text, 10); }

std::optional<int> wholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string toString(int value, int base, int width, int precision) {
    std::ostringstream stream;
    if (precision != -1) stream << std::fixed << std::setprecision(precision);
    if (base == 16) stream << "0x";
    stream << baseManipulator(base) << std::setfill('0') << std::setw(width) << value;
    return stream.str();
}

std::string intToString(int value, int width) { return toString(value, 10, width, -1); }

}  // namespace Util
