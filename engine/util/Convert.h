#pragma once
#include <optional>
#include <string>

namespace Util {

// Numbers read as a stream reads them in the given base: leading blanks skipped, reading stops
// at the first character that does not belong to the number. An empty text gives 0; a text
// with no number is a fatal stop "Cant convert String to Num:<text>".
int toInt(const std::string& text, int base = 10);
float toFloat(const std::string& text, int base = 10);
float toFloatDecimal(const std::string& text);

// The whole text as a decimal whole number, with an optional minus sign; nothing when the text
// holds anything else (blanks included) or a number out of int's range.
std::optional<int> wholeNumber(const std::string& text);

// The value in base 8, 10 or 16 ("0x" prefix for 16), zero-filled after the prefix up to width;
// precision other than -1 selects fixed notation with that many decimals.
std::string toString(int value, int base = 10, int width = 0, int precision = -1);
std::string intToString(int value, int width = 0);

}  // namespace Util
