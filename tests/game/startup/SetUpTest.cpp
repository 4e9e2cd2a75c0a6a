#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/shell/AppContext.h"
#include "engine/util/Files.h"
#include "game/startup/SetUp.h"
#include "tests/engine/util/TempFolder.h"

namespace {

// A tuning table cut short used to be blamed on the first value a later check missed (the seed
// list); the parser's own line is the one that names the fault.
TEST(SetUpDeathTest, ATuningTableThatDoesNotParseStopsWithTheParsersLine) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("data"));
    std::filesystem::create_symlink(std::filesystem::absolute("data/Globals.fbs"), folder.path("data/Globals.fbs"));
    std::string globals;
    ASSERT_TRUE(Util::readTextFile("data/globals.json", globals));
    folder.write("data/globals.json", globals.substr(0, globals.size() / 2));
    EXPECT_EXIT(
        {
            if (chdir(folder.path("").c_str()) != 0) std::_Exit(2);
            AppContext context(false, 640, 480, false, 60, 0);
            Zelmo::setUp(Zelmo::CommandLine(), context);
        },
        ::testing::ExitedWithCode(1), "^Failed to load: /.*/data/globals.json:[0-9]+: [0-9]+: error: [^\n]*\n$");
}

}  // namespace
