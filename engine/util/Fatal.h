#pragma once
#include <string>

namespace Util {

// Ends the process after a failure it cannot go on from: the line goes to standard error,
// flushed, and the process exits with code 1 without running static destructors (the audio
// thread may still be mixing from objects they would free).
[[noreturn]] void fatal(const std::string& line);

}  // namespace Util
