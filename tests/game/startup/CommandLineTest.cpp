#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/config_generated.h"
#include "game/startup/CommandLine.h"

namespace {

// Parses the arguments as given after the program's name.
bool parse(std::vector<std::string> arguments, Zelmo::CommandLine& into, std::string& error) {
    arguments.insert(arguments.begin(), "zelmo");
    std::vector<char*> l_argv;
    for (auto& l_argument : arguments) l_argv.push_back(l_argument.data());
    return Zelmo::parseCommandLine(int(l_argv.size()), l_argv.data(), into, error);
}

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
    Zelmo::CommandLine l_parsed;
    std::string l_error;
    ASSERT_TRUE(parse(GetParam().arguments, l_parsed, l_error)) << l_error;
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
                      CommandLineCase{{"--sound=off"}, "data/config", false, ""},
                      CommandLineCase{{"-s", "on"}, "data/config", true, ""},
                      CommandLineCase{{"-s", "1", "-o", "out.txt"}, "data/config", true, "out.txt"},
                      CommandLineCase{{"data/other", "--out", "x", "extra"}, "data/other", true, "x"},
                      CommandLineCase{{"-l", "log.txt", "data/late"}, "data/config", true, ""}));

struct RefusedCase {
    std::vector<std::string> arguments;
    std::string error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    for (const auto& l_argument : c.arguments) *os << l_argument << ' ';
}

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase> {};

// The player is told which option is wrong, in one line.
TEST_P(RefusedCommandLine, NamesTheOption) {
    Zelmo::CommandLine l_parsed;
    std::string l_error;
    EXPECT_FALSE(parse(GetParam().arguments, l_parsed, l_error));
    EXPECT_EQ(l_error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedCommandLine,
    ::testing::Values(RefusedCase{{"-o"}, "zelmo: the option -o needs a value"},
                      RefusedCase{{"-s", "0", "--log"}, "zelmo: the option --log needs a value"},
                      RefusedCase{{"--bogus"}, "zelmo: unknown option --bogus"},
                      RefusedCase{{"data/other", "--out", "x", "--unknown", "y"}, "zelmo: unknown option --unknown"},
                      RefusedCase{{"-x"}, "zelmo: unknown option -x"},
                      RefusedCase{{"-s", "maybe"}, "zelmo: the option --sound takes on or off, not \"maybe\""}));

TEST(ParseCommandLine, HelpIsAskedForByEitherForm) {
    for (const char* l_form : {"-h", "--help"}) {
        Zelmo::CommandLine l_parsed;
        std::string l_error;
        ASSERT_TRUE(parse({l_form}, l_parsed, l_error)) << l_form << ": " << l_error;
        EXPECT_TRUE(l_parsed.help) << l_form;
    }
}

// The help names the configuration argument and both forms of every option.
TEST(CommandLineUsage, ListsTheArgumentAndEveryOption) {
    const std::string& l_usage = Zelmo::commandLineUsage();
    for (const char* l_part : {"CONFIG", "-s, --sound", "-o, --out", "-l, --log", "-h, --help"}) {
        EXPECT_NE(l_usage.find(l_part), std::string::npos) << l_part;
    }
}

class ConfigurationDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        const auto l_name = m_builder.CreateString("from-config.log");
        Zelmo::ConfigRootBuilder l_root(m_builder);
        l_root.add_log_file(l_name);
        m_builder.Finish(l_root.Finish());
    }
    const Zelmo::ConfigRoot* root() const { return Zelmo::GetConfigRoot(m_builder.GetBufferPointer()); }

    flatbuffers::FlatBufferBuilder m_builder;
};

TEST_F(ConfigurationDefaults, TheLogNameComesFromTheConfigurationWhenNotGiven) {
    Zelmo::CommandLine l_commandLine;
    Zelmo::applyConfigurationDefaults(l_commandLine, root());
    EXPECT_EQ(l_commandLine.log, "from-config.log");
}

TEST_F(ConfigurationDefaults, AGivenLogNameStays) {
    Zelmo::CommandLine l_commandLine;
    l_commandLine.log = "mine.log";
    Zelmo::applyConfigurationDefaults(l_commandLine, root());
    EXPECT_EQ(l_commandLine.log, "mine.log");
}

}  // namespace
