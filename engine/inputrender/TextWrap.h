#pragma once
#include <string>

namespace Vector {

// Breaks a text into lines no wider than lineWidth, every character taking charWidth: a blank
// that would pass the width becomes a line feed, a word that does not fit on the line moves to
// the next one, and a word wider than a whole line is cut where the line is full. Every line
// takes at least one character, so a width narrower than one character still ends.
std::string wrapText(const std::string& text, float charWidth, float lineWidth);

}  // namespace Vector
