#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/startup/CommandLine.h"

namespace {

struct CommandLineCase {
    std::vector<std::string> arguments;
    std::string configName;
    bool soundOn;
    std::string out;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    for (const auto& l_argument : c.arguments) *os << l_argument << ' ';
}

class ParseCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseCommandLine, ReadsTheConfigurationNameAndOptions) {
    std::vector<std::string> l_arguments{"zelmo"};
    l_arguments.insert(l_arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    std::vector<char*> l_argv;
    for (auto& l_argument : l_arguments) l_argv.push_back(l_argument.data());
    Zelmo::CommandLine l_parsed;
    std::string l_error;
    ASSERT_TRUE(Zelmo::parseCommandLine(int(l_argv.size()), l_argv.data(), l_parsed, l_error)) << l_error;
    EXPECT_EQ(l_parsed.configName, GetParam().configName);
    EXPECT_EQ(l_parsed.soundOn, GetParam().soundOn);
    EXPECT_EQ(l_parsed.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandLine,
    ::testing::Values(CommandLineCase{{}, "data/config", true, ""},
                      CommandLineCase{{"data/other"}, "data/other", true, ""},
                      CommandLineCase{{"-s", "0"}, "data/config", false, ""},
                      CommandLineCase{{"--sound", "false"}, "data/config", false, ""},
                      CommandLineCase{{"-s", "1", "-o", "out.txt"}, "data/config", true, "out.txt"},
                      CommandLineCase{{"data/other", "--out", "x", "--unknown", "y"}, "data/other", true, "x"},
                      CommandLineCase{{"-l", "log.txt", "data/late"}, "data/config", true, ""}));

TEST(ParseCommandLine, AnOptionWithoutItsValueIsRefused) {
    std::string l_zelmo = "zelmo", l_option = "-o";
    char* l_argv[] = {l_zelmo.data(), l_option.data()};
    Zelmo::CommandLine l_parsed;
    std::string l_error;
    EXPECT_FALSE(Zelmo::parseCommandLine(2, l_argv, l_parsed, l_error));
    EXPECT_FALSE(l_error.empty());
}

}  // namespace
