#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/shell/AppContext.h"
#include "game/startup/InitLogic.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// A data folder that is the shipped one except for an accessibility file with a misspelt field.
TEST(InitLogicDeathTest, AccessibilityReferencesThatDoNotLoadStopTheStartNamingTheFile) {
    TempFolder l_folder;
    std::filesystem::create_directory(l_folder.path("data"));
    for (const char* l_schema : {"Accessibility.fbs", "InputConfig.fbs"}) {
        std::filesystem::create_symlink(std::filesystem::absolute(std::string("data/") + l_schema),
                                        l_folder.path("data/") + l_schema);
    }
    l_folder.write("data/accessibility.json", "{\n  menu: {},\n  gaem: {}\n}\n");
    EXPECT_EXIT(
        {
            if (chdir(l_folder.path("").c_str()) != 0) std::_Exit(2);
            AppContext l_context(false, 640, 480, false, 60, 0);
            Zelmo::InitLogic(l_context).loadInputs();
        },
        ::testing::ExitedWithCode(1),
        "accessibility.json:3:.*unknown field: gaem\n"
        "Failed to load the accessibility references: data/accessibility.json against data/Accessibility.fbs\n$");
}

}  // namespace
