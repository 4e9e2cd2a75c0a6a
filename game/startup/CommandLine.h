#pragma once
#include <string>

namespace Zelmo {

struct CommandLine {
    std::string configName = "data/config";  // the first argument unless it is an option
    std::string log;                         // accepted, not used
    bool soundOn = true;
    std::string out;  // a file created empty, when named
};

// False, with a one-line reason, when the options cannot be read.
bool parseCommandLine(int argc, char** argv, CommandLine& into, std::string& error);

}  // namespace Zelmo
