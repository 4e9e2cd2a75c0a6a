#pragma once

#include <string>

#include "engine/audio/BufferedSource.h"

namespace Audio {

// English speech synthesised once, when the text is set, and then played like a decoded file.
class Speech : public BufferedSource {
public:
    // False, keeping what was said before, when the text yields no sound or the synthesiser cannot
    // start (its voice data missing, say). The synthesiser is tried once per process.
    bool setText(const std::string& text);
};

}  // namespace Audio
