#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace Input {

// A data colour text, 0xRRGGBBAA with or without the "0x"; an empty text is 0. A text that
// does not start with a hexadecimal number (or one beyond 32 bits) is a fatal stop
// "Cant convert String to Num:<text>".
uint32_t parseAreaColour(const std::string& text);

// How an area's label is written: "colour, size, font, letter spacing", each part optional from
// the end. A style of more than four parts is ignored as a whole, and an empty part keeps its
// default.
struct AreaStyle {
    uint32_t colour = 0;  // 0xRRGGBBAA; transparent unless the style gives one
    std::optional<float> size;  // times the renderer's font size, in either renderer
    std::string font = "DEFAULT";
    float letterSpacing = 0;
};
AreaStyle parseAreaStyle(const std::string& style);

}  // namespace Input
