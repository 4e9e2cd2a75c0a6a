#include "game/startup/CommandLine.h"

#include <CLI/CLI.hpp>

namespace Zelmo {

bool parseCommandLine(int argc, char** argv, CommandLine& into, std::string& error) {
    if (argc > 1 && argv[1][0] != '-') into.configName = argv[1];
    CLI::App l_cli("Zelmo");
    l_cli.allow_extras();
    std::string l_sound = "true";
    l_cli.add_option("-l,--log", into.log);
    l_cli.add_option("-s,--sound", l_sound);
    l_cli.add_option("-o,--out", into.out);
    try {
        l_cli.parse(argc, argv);
    } catch (const CLI::ParseError& l_error) {
        error = l_error.what();
        return false;
    }
    into.soundOn = !(l_sound == "0" || l_sound == "false");
    return true;
}

}  // namespace Zelmo
