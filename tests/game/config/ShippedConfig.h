#pragma once
#include <gtest/gtest.h>

#include "game/config/Config.h"
#include "game/config/Settings.h"

// The shipped data/config, loaded for each test and unloaded after it. The preferences file
// named does not exist, so the settings are the configuration's defaults.
class ShippedConfig : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-lint.cfg")); }
    void TearDown() override {
        Zelmo::unloadConfig();
        Zelmo::settings().clear();
    }
};
