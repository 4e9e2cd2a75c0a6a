#include "engine/inputrender/TextWrap.h"

#include <algorithm>
#include <cmath>

namespace Vector {

std::string wrapText(const std::string& text, float charWidth, float lineWidth) {
    std::string wrapped;
    wrapped.reserve(text.size() + text.size() / 4);
    float width = 0;  // of the line being built
    size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\n') {
            wrapped += c;
            width = 0;
            ++at;
            continue;
        }
        if (c == ' ') {
            width += charWidth;
            if (width > lineWidth) {
                wrapped += '\n';
                width = 0;
            } else {
                wrapped += c;
            }
            ++at;
            continue;
        }
        const size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const float wordWidth = float(end - at) * charWidth;
        if (width + wordWidth <= lineWidth) {
            wrapped.append(text, at, end - at);
            width += wordWidth;
            at = end;
        } else if (wordWidth > lineWidth) {
            // Cut the word where the line is full; what is left goes on as a word of its own.
            size_t fits =
                charWidth > 0 ? size_t(std::max(0.0f, std::floor((lineWidth - width) / charWidth))) : end - at;
            if (fits == 0 && width == 0) fits = 1;
            wrapped.append(text, at, fits);
            at += fits;
            if (at < end) {
                wrapped += '\n';
                width = 0;
            } else {
                width += float(fits) * charWidth;
            }
        } else {
            wrapped += '\n';
            wrapped.append(text, at, end - at);
            width = wordWidth;
            at = end;
        }
    }
    return wrapped;
}

}  // namespace Vector
