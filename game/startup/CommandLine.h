#pragma once
#include <string>

#include "game/config/Config.h"

namespace Zelmo {

struct CommandLine {
    std::string configName = "data/config";  // the first argument unless it is an option
    std::string log;                         // accepted, not used; the configuration's default when not given
    bool soundOn = true;
    std::string out;    // a file created empty, when named
    bool help = false;  // the usage was asked for, and nothing else is to be done
};

// False, with a one-line reason naming the option, when the options cannot be read.
bool parseCommandLine(int argc, char** argv, CommandLine& into, std::string& error);

// What the help option prints: the configuration argument and every option with its meaning.
const std::string& commandLineUsage();
// The line that follows the reason a command line was refused.
const std::string& commandLineHint();

// Fills in what the command line leaves to the configuration: the "log" option's default.
void applyConfigurationDefaults(CommandLine& commandLine, const ConfigRoot* root = configRoot());

}  // namespace Zelmo
