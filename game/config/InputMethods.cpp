#include "game/config/InputMethods.h"

#include <algorithm>

namespace Zelmo {

bool isInputMethod(const std::string& name) {
    return std::find(kInputMethods.begin(), kInputMethods.end(), name) != kInputMethods.end();
}

}  // namespace Zelmo
