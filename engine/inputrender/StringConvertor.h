#pragma once
#include <string>

namespace Game {

// Fills bracketed placeholders ("[MASTER_VOL]", "[KEY_UP]" ...) of area labels with current
// values; the base returns the text unchanged.
class IStringConvertor {
public:
    virtual ~IStringConvertor() = default;
    virtual std::string convert(const std::string& text) { return text; }
};

}  // namespace Game
