#pragma once
#include <string>

namespace Input {

enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Middle, Bottom };

// A label with its alignment codes taken off: first "$<" (left) or "$>" (right), then "$^" (top)
// or "$_" (bottom); without a code the text is centred and in the middle.
struct AlignedLabel {
    HorizontalAlign horizontal = HorizontalAlign::Centre;
    VerticalAlign vertical = VerticalAlign::Middle;
    std::string text;
};
AlignedLabel alignLabel(const std::string& label);

}  // namespace Input
