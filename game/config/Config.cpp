#include "game/config/Config.h"

#include <memory>

#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/util/Fatal.h"
#include "game/config/GameTableCheck.h"

namespace Zelmo {
namespace {

std::unique_ptr<Game::Info>& configInfo() {
    static std::unique_ptr<Game::Info> s_info;
    return s_info;
}

}  // namespace

bool loadConfig(const std::string& name, const std::string& preferencesPath) {
    auto& info = configInfo();
    info = std::make_unique<Game::Info>();
    if (!info->loadSchema(kConfigSchema)) Util::fatal("Failed to load: " + kConfigSchema);
    // The parser's line names the file, the line and the column.
    if (!info->loadData(name)) Util::fatal("Failed to load: " + info->parseError());
    const std::string error = gameTableError(readGameTable(), name);
    if (!error.empty()) Util::fatal(error);
    return loadPreferences(preferencesPath);
}

const ConfigRoot* configRoot() {
    const auto& info = configInfo();
    return info && info->data() ? GetConfigRoot(info->data()) : nullptr;
}

void unloadConfig() { configInfo().reset(); }

}  // namespace Zelmo
