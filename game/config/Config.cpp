#include "game/config/Config.h"

#include <memory>

#include "data/config_generated.h"
#include "engine/data/Info.h"
#include "engine/util/Fatal.h"

namespace Zelmo {
namespace {

std::unique_ptr<Game::Info>& configInfo() {
    static std::unique_ptr<Game::Info> s_info;
    return s_info;
}

}  // namespace

bool loadConfig(const std::string& name, const std::string& preferencesPath) {
    auto& l_info = configInfo();
    l_info = std::make_unique<Game::Info>();
    if (!l_info->loadSchema(kConfigSchema)) Util::fatal("Failed to load: " + kConfigSchema);
    if (!l_info->loadData(name)) Util::fatal("Failed to load: " + name);
    return loadPreferences(preferencesPath);
}

const ConfigRoot* configRoot() {
    const auto& l_info = configInfo();
    return l_info && l_info->data() ? GetConfigRoot(l_info->data()) : nullptr;
}

void unloadConfig() { configInfo().reset(); }

}  // namespace Zelmo
