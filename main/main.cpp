#include <cstdio>

#include "engine/shell/AppContext.h"
#include "game/config/Config.h"
#include "game/config/ConfigReaders.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/startup/CommandLine.h"
#include "game/startup/SetUp.h"

int main(int argc, char** argv) {
    Zelmo::CommandLine l_commandLine;
    std::string l_error;
    if (!Zelmo::parseCommandLine(argc, argv, l_commandLine, l_error)) {
        std::fprintf(stderr, "%s\n%s\n", l_error.c_str(), Zelmo::commandLineHint().c_str());
        return 1;
    }
    if (l_commandLine.help) {
        std::fputs(Zelmo::commandLineUsage().c_str(), stdout);
        return 0;
    }
    Zelmo::loadConfig(l_commandLine.configName);
    Zelmo::applyConfigurationDefaults(l_commandLine);
    const Zelmo::GameTable l_game = Zelmo::readGameTable();

    int l_exitCode = 0;
    {
        AppContext l_context(l_commandLine.soundOn, l_game.designWidth, l_game.designHeight, l_game.keepAspect,
                             l_game.rate, l_game.frameSkip);
        if (!Zelmo::setUp(l_commandLine, l_context)) {
            l_exitCode = 1;
        } else if (l_context.run(l_game.title, Zelmo::getPrefInt(Zelmo::Setting::kScreenWidth),
                                 Zelmo::getPrefInt(Zelmo::Setting::kScreenHeight),
                                 Zelmo::getPrefInt(Zelmo::Setting::kScreenFull) != 0, l_game.timeScale)) {
            Zelmo::unloadConfig();
        } else {
            l_exitCode = 1;
        }
    }
    return l_exitCode;
}
