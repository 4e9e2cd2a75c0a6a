#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/config_generated.h"
#include "game/startup/CommandLine.h"

namespace {

// Parses the arguments as given after the program's name.
bool parse(std::vector<std::string> arguments, Zelmo::CommandLine& into, std::string& error) {
    arguments.insert(arguments.begin(), "zelmo");
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    return Zelmo::parseCommandLine(int(argv.size()), argv.data(), into, error);
}

struct CommandLineCase {
    std::vector<std::string> arguments;
    std::string configName;
    bool soundOn;
    std::string out;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    for (const auto& argument : c.arguments) *os << argument << ' ';
}

class ParseCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ParseCommandLine, ReadsTheConfigurationNameAndOptions) {
    Zelmo::CommandLine parsed;
    std::string error;
    ASSERT_TRUE(parse(GetParam().arguments, parsed, error)) << error;
    EXPECT_EQ(parsed.configName, GetParam().configName);
    EXPECT_EQ(parsed.soundOn, GetParam().soundOn);
    EXPECT_EQ(parsed.out, GetParam().out);
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
                      CommandLineCase{{"-l", "log.txt", "data/late"}, "data/config", true, ""},
                      // A repeated option: the last one given holds, as a shell alias plus a
                      // typed option expects.
                      CommandLineCase{{"-s", "0", "-s", "1"}, "data/config", true, ""},
                      CommandLineCase{{"--sound", "on", "-s", "off"}, "data/config", false, ""},
                      CommandLineCase{{"-o", "first.txt", "--out=second.txt"}, "data/config", true, "second.txt"},
                      CommandLineCase{{"-l", "a.log", "-l", "b.log", "-s", "0"}, "data/config", false, ""}));

struct RefusedCase {
    std::vector<std::string> arguments;
    std::string error;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    for (const auto& argument : c.arguments) *os << argument << ' ';
}

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase> {};

// The player is told which option is wrong, in one line.
TEST_P(RefusedCommandLine, NamesTheOption) {
    Zelmo::CommandLine parsed;
    std::string error;
    EXPECT_FALSE(parse(GetParam().arguments, parsed, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedCommandLine,
    ::testing::Values(RefusedCase{{"-o"}, "zelmo: the option -o needs a value"},
                      RefusedCase{{"-s", "0", "--log"}, "zelmo: the option --log needs a value"},
                      RefusedCase{{"-s", "0", "-s"}, "zelmo: the option -s needs a value"},
                      RefusedCase{{"--bogus"}, "zelmo: unknown option --bogus"},
                      RefusedCase{{"data/other", "--out", "x", "--unknown", "y"}, "zelmo: unknown option --unknown"},
                      RefusedCase{{"-x"}, "zelmo: unknown option -x"},
                      RefusedCase{{"-s", "maybe"}, "zelmo: the option --sound takes on or off, not \"maybe\""}));

TEST(ParseCommandLine, HelpIsAskedForByEitherForm) {
    for (const char* form : {"-h", "--help"}) {
        Zelmo::CommandLine parsed;
        std::string error;
        ASSERT_TRUE(parse({form}, parsed, error)) << form << ": " << error;
        EXPECT_TRUE(parsed.help) << form;
    }
}

// The help names the configuration argument and both forms of every option.
TEST(CommandLineUsage, ListsTheArgumentAndEveryOption) {
    const std::string& usage = Zelmo::commandLineUsage();
    for (const char* part : {"CONFIG", "-s, --sound", "-o, --out", "-l, --log", "-h, --help"}) {
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    }
}

class ConfigurationDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        const auto name = m_builder.CreateString("from-config.log");
        Zelmo::ConfigRootBuilder root(m_builder);
        root.add_log_file(name);
        m_builder.Finish(root.Finish());
    }
    const Zelmo::ConfigRoot* root() const { return Zelmo::GetConfigRoot(m_builder.GetBufferPointer()); }

    flatbuffers::FlatBufferBuilder m_builder;
};

TEST_F(ConfigurationDefaults, TheLogNameComesFromTheConfigurationWhenNotGiven) {
    Zelmo::CommandLine commandLine;
    Zelmo::applyConfigurationDefaults(commandLine, root());
    EXPECT_EQ(commandLine.log, "from-config.log");
}

TEST_F(ConfigurationDefaults, AGivenLogNameStays) {
    Zelmo::CommandLine commandLine;
    commandLine.log = "mine.log";
    Zelmo::applyConfigurationDefaults(commandLine, root());
    EXPECT_EQ(commandLine.log, "mine.log");
}

}  // namespace
