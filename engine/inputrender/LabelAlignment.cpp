#include "engine/inputrender/LabelAlignment.h"

#include "engine/util/Text.h"

namespace Input {
namespace {

// Takes the code off the front of the text when it is there.
bool takeCode(std::string& text, const char* code) {
    if (!Util::startsWith(text, code)) return false;
    text.erase(0, 2);
    return true;
}

}  // namespace

AlignedLabel alignLabel(const std::string& label) {
    AlignedLabel aligned;
    aligned.text = label;
    if (takeCode(aligned.text, "$<")) {
        aligned.horizontal = HorizontalAlign::Left;
    } else if (takeCode(aligned.text, "$>")) {
        aligned.horizontal = HorizontalAlign::Right;
    }
    if (takeCode(aligned.text, "$^")) {
        aligned.vertical = VerticalAlign::Top;
    } else if (takeCode(aligned.text, "$_")) {
        aligned.vertical = VerticalAlign::Bottom;
    }
    return aligned;
}

}  // namespace Input
