#include "game/startup/CommandLine.h"

#include <CLI/CLI.hpp>
#include <map>

#include "game/config/ConfigReaders.h"

namespace Zelmo {
namespace {

// The truth values the "sound" option takes.
bool readTruth(const std::string& text, bool& value) {
    static const std::map<std::string, bool> s_truths = {{"on", true},  {"off", false}, {"1", true},
                                                         {"0", false},  {"true", true}, {"false", false},
                                                         {"yes", true}, {"no", false}};
    const auto found = s_truths.find(text);
    if (found == s_truths.end()) return false;
    value = found->second;
    return true;
}

}  // namespace

bool parseCommandLine(int argc, char** argv, CommandLine& into, std::string& error) {
    if (argc > 1 && argv[1][0] != '-') into.configName = argv[1];
    CLI::App cli("Zelmo");
    // The configuration name follows the rule above, so arguments that are no option pass; those
    // that look like one are refused below. The help text is ours, not CLI11's.
    cli.allow_extras();
    cli.set_help_flag();
    // A repeated option is no mistake: the last one given holds, as with most programs, so that
    // an option typed after a shell alias's own wins.
    cli.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    cli.add_flag("-h,--help", into.help);
    cli.add_option("-l,--log", into.log);
    std::string sound;
    cli.add_option("-s,--sound", sound);
    cli.add_option("-o,--out", into.out);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ArgumentMismatch&) {
        // An option takes whatever follows it, so only the last argument can lack its value.
        error = "zelmo: the option " + std::string(argv[argc - 1]) + " needs a value";
        return false;
    } catch (const CLI::ParseError& parseError) {
        error = std::string("zelmo: ") + parseError.what();
        return false;
    }
    for (const std::string& extra : cli.remaining()) {
        if (!extra.empty() && extra[0] == '-') {
            error = "zelmo: unknown option " + extra;
            return false;
        }
    }
    if (!sound.empty() && !readTruth(sound, into.soundOn)) {
        error = "zelmo: the option --sound takes on or off, not \"" + sound + "\"";
        return false;
    }
    return true;
}

const std::string& commandLineUsage() {
    static const std::string s_usage =
        "Usage: zelmo [CONFIG] [OPTIONS]\n"
        "Starts the game. Run it from the folder that holds data/ (script/run does).\n"
        "\n"
        "  CONFIG               the configuration to load, named without its extension\n"
        "                       (default: data/config; CONFIG.fb when present, else CONFIG.json)\n"
        "  -s, --sound on|off   play sound (default: on); off does not look for a sound device.\n"
        "                       Without a device the game plays silently anyway.\n"
        "                       Also takes 1/0, true/false, yes/no.\n"
        "  -o, --out FILE       create FILE empty and keep it open while the game runs\n"
        "  -l, --log FILE       accepted but unused: the game writes no log\n"
        "                       (default: the name in the configuration)\n"
        "  -h, --help           print this text and exit\n"
        "An option given more than once takes its last value.\n"
        "\n"
        "Quitting from the title saves the settings (window size, input method, volumes, keys)\n"
        "to preferences.cfg in the folder the game runs in; closing the window quits without\n"
        "saving, and so do Ctrl-C and kill.\n";
    return s_usage;
}

const std::string& commandLineHint() {
    static const std::string s_hint = "Usage: zelmo [CONFIG] [OPTIONS]; zelmo --help explains them.";
    return s_hint;
}

void applyConfigurationDefaults(CommandLine& commandLine, const ConfigRoot* root) {
    if (commandLine.log.empty()) commandLine.log = readLogDefault(root);
}

}  // namespace Zelmo
