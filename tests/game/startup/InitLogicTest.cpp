#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/shell/AppContext.h"
#include "game/startup/InitLogic.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// A data folder that is the shipped one except for an accessibility file with a misspelt field.
TEST(InitLogicDeathTest, AccessibilityReferencesThatDoNotLoadStopTheStartNamingTheFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("data"));
    for (const char* schema : {"Accessibility.fbs", "InputConfig.fbs"}) {
        std::filesystem::create_symlink(std::filesystem::absolute(std::string("data/") + schema),
                                        folder.path("data/") + schema);
    }
    folder.write("data/accessibility.json", "{\n  menu: {},\n  gaem: {}\n}\n");
    EXPECT_EXIT(
        {
            if (chdir(folder.path("").c_str()) != 0) std::_Exit(2);
            AppContext context(false, 640, 480, false, 60, 0);
            Zelmo::InitLogic(context).loadInputs();
        },
        ::testing::ExitedWithCode(1),
        "^Failed to load the accessibility references: /.*/data/accessibility.json:3: .*unknown field: gaem\n$");
}

}  // namespace
