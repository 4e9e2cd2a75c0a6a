#include <cstdio>

#include "engine/shell/AppContext.h"
#include "game/config/Config.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/startup/CommandLine.h"
#include "game/startup/SetUp.h"

int main(int argc, char** argv) {
    Zelmo::CommandLine commandLine;
    std::string error;
    if (!Zelmo::parseCommandLine(argc, argv, commandLine, error)) {
        std::fprintf(stderr, "%s\n%s\n", error.c_str(), Zelmo::commandLineHint().c_str());
        return 1;
    }
    if (commandLine.help) {
        std::fputs(Zelmo::commandLineUsage().c_str(), stdout);
        return 0;
    }
    Zelmo::loadConfig(commandLine.configName);
    Zelmo::applyConfigurationDefaults(commandLine);
    const Zelmo::GameTable game = Zelmo::readGameTable();

    int exitCode = 0;
    {
        AppContext context(commandLine.soundOn, game.designWidth, game.designHeight, game.keepAspect, game.rate,
                           game.frameSkip);
        if (!Zelmo::setUp(commandLine, context)) {
            exitCode = 1;
        } else if (context.run(game.title, Zelmo::getPrefInt(Zelmo::Setting::kScreenWidth),
                               Zelmo::getPrefInt(Zelmo::Setting::kScreenHeight),
                               Zelmo::getPrefInt(Zelmo::Setting::kScreenFull) != 0, game.timeScale)) {
            Zelmo::unloadConfig();
        } else {
            exitCode = 1;
        }
    }
    return exitCode;
}
