#include "engine/util/Fatal.h"

#include <cstdio>
#include <cstdlib>

namespace Util {

void fatal(const std::string& line) {
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace Util
