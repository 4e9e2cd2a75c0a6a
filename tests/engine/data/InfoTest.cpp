#include "engine/data/Info.h"

#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include "tests/engine/util/TempFolder.h"

namespace {

const char* const kSchema = "table Item { count:int = 7; label:string; } root_type Item;";

int countOf(const uint8_t* data) { return flatbuffers::GetRoot<flatbuffers::Table>(data)->GetField<int32_t>(4, 7); }

// Encodes JSON against the test schema, as flatc would.
std::string encode(const std::string& json) {
    flatbuffers::Parser l_parser;
    EXPECT_TRUE(l_parser.Parse(kSchema));
    EXPECT_TRUE(l_parser.ParseJson(json.c_str()));
    return std::string(reinterpret_cast<const char*>(l_parser.builder_.GetBufferPointer()), l_parser.builder_.GetSize());
}

struct NameCase {
    const char* label;
    const char* fb;    // contents of stem.fb, null for no file
    const char* json;  // contents of stem.json, null for no file
    const char* name;  // the name asked for
    const char* resolved;
};

void PrintTo(const NameCase& nameCase, std::ostream* out) { *out << nameCase.label; }

class DataNameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(DataNameRule, ChoosesTheFileToRead) {
    const NameCase& l_case = GetParam();
    TempFolder l_folder;
    if (l_case.fb) l_folder.write("config.fb", l_case.fb);
    if (l_case.json) l_folder.write("config.json", l_case.json);
    EXPECT_EQ(Game::resolveDataName(l_folder.path(l_case.name)), l_folder.path(l_case.resolved));
}

INSTANTIATE_TEST_SUITE_P(Info, DataNameRule,
                         ::testing::Values(NameCase{"BothPresent", "x", "{}", "config", "config.fb"},
                                           NameCase{"EmptyEncoded", "", "{}", "config", "config.json"},
                                           NameCase{"OnlyJson", nullptr, "{}", "config", "config.json"},
                                           NameCase{"OnlyEncoded", "x", nullptr, "config", "config.fb"},
                                           NameCase{"ExplicitJson", "x", "{}", "config.json", "config.json"},
                                           NameCase{"ExplicitEncoded", nullptr, "{}", "config.fb", "config.fb"},
                                           NameCase{"BothEmpty", "", "", "config", "config"},
                                           NameCase{"Neither", nullptr, nullptr, "config", "config"}),
                         [](const auto& info) { return std::string(info.param.label); });

class InfoTest : public ::testing::Test {
protected:
    TempFolder m_folder;
    Game::Info m_info;

    void SetUp() override { ASSERT_TRUE(m_info.loadSchema(m_folder.write("item.fbs", kSchema))); }
};

TEST_F(InfoTest, ReadsTheEncodedFileBeforeTheJsonOne) {
    m_folder.write("item.fb", encode("{count: 1}"));
    m_folder.write("item.json", "{count: 2}");
    const uint8_t* l_data = m_info.loadData(m_folder.path("item"));
    ASSERT_NE(l_data, nullptr);
    EXPECT_EQ(countOf(l_data), 1);
    EXPECT_EQ(countOf(m_info.loadData(m_folder.path("item.json"))), 2);
}

TEST_F(InfoTest, FallsBackToJsonBesideAnEmptyEncodedFile) {
    m_folder.write("item.fb", "");
    m_folder.write("item.json", "{count: 3, label: \"three\"}");
    ASSERT_NE(m_info.loadData(m_folder.path("item")), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 3);
    EXPECT_EQ(m_info.root()->GetPointer<const flatbuffers::String*>(6)->str(), "three");
}

TEST_F(InfoTest, JsonThatDoesNotParseKeepsThePreviousData) {
    m_folder.write("good.json", "{count: 4}");
    m_folder.write("bad.json", "{count: \"four\"}");
    ASSERT_NE(m_info.loadData(m_folder.path("good")), nullptr);
    EXPECT_EQ(m_info.loadData(m_folder.path("bad")), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 4);
}

// The player who edits a data file is told which one holds the fault, not only the line.
TEST_F(InfoTest, AParseErrorNamesTheFile) {
    m_folder.write("bad.json", "{\n  count: 1,\n  countt: 2\n}");
    EXPECT_EQ(m_info.loadData(m_folder.path("bad")), nullptr);
    const std::string& l_error = m_info.getParser()->error_;
    EXPECT_NE(l_error.find("bad.json:3:"), std::string::npos) << l_error;
    EXPECT_NE(l_error.find("unknown field: countt"), std::string::npos) << l_error;
}

TEST_F(InfoTest, DataCannotAddToTheSchema) {
    EXPECT_EQ(m_info.storeData("table Other { x:int; } root_type Other; {x: 1}", false), nullptr);
    EXPECT_EQ(m_info.getParser()->LookupStruct("Other"), nullptr);
}

TEST_F(InfoTest, EncodedDataIsVerifiedBeforeUse) {
    const std::string l_good = encode("{count: 5, label: \"five\"}");
    ASSERT_NE(m_info.storeData(l_good, true), nullptr);
    std::string l_bad = l_good;
    l_bad[0] = char(0x7F);  // the root offset now points far outside the buffer
    EXPECT_EQ(m_info.storeData(l_bad, true), nullptr);
    EXPECT_EQ(m_info.storeData(l_good.substr(0, l_good.size() / 2), true), nullptr);
    EXPECT_EQ(m_info.storeData("", true), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 5);
}

TEST_F(InfoTest, SharedParserLoadsSeveralFilesSeparately) {
    Game::Info l_second(m_info.getParser());
    ASSERT_NE(m_info.storeData("{count: 10}", false), nullptr);
    ASSERT_NE(l_second.storeData("{label: \"only\"}", false), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 10);
    EXPECT_EQ(countOf(l_second.data()), 7);
    EXPECT_EQ(l_second.getParser(), m_info.getParser());
}

TEST(InfoSchema, AddsTheSchemaFolderToTheIncludeFolders) {
    TempFolder l_folder;
    l_folder.write("base.fbs", "table Base { n:int; }");
    const std::string l_schema = l_folder.write("top.fbs", "include \"base.fbs\"; table Top { b:Base; } root_type Top;");
    Game::Info l_info;
    EXPECT_TRUE(l_info.loadSchema(l_schema));
    EXPECT_NE(l_info.storeData("{b: {n: 2}}", false), nullptr);
}

TEST(InfoSchema, UsesItsOwnIncludeFoldersWhenGivenNone) {
    TempFolder l_folder;
    TempFolder l_includes;
    l_includes.write("base.fbs", "table Base { n:int; }");
    const std::string l_schema = l_folder.write("top.fbs", "include \"base.fbs\"; table Top { b:Base; } root_type Top;");
    Game::Info l_info;
    EXPECT_FALSE(l_info.loadSchema(l_schema));
    l_info.setIncludeDirs({l_includes.path("")});
    EXPECT_TRUE(l_info.loadSchema(l_schema));
    EXPECT_TRUE(Game::Info().loadSchema(l_schema, {l_includes.path("")}));
}

TEST(InfoSchema, SchemaThatDoesNotParseIsFalse) {
    TempFolder l_folder;
    Game::Info l_info;
    EXPECT_FALSE(l_info.loadSchema(l_folder.write("broken.fbs", "table { ")));
    EXPECT_EQ(l_info.storeData("{}", false), nullptr);
}

TEST(InfoSchema, WithoutSchemaNothingIsStored) {
    Game::Info l_info;
    EXPECT_EQ(l_info.storeData("{}", false), nullptr);
    EXPECT_EQ(l_info.data(), nullptr);
    EXPECT_EQ(l_info.root(), nullptr);
}

TEST(InfoDeathTest, UnreadableSchemaStops) {
    EXPECT_EXIT(Game::Info().loadSchema("no/such/folder/x.fbs"), ::testing::ExitedWithCode(1),
                "^Failed to load schema:no/such/folder/x.fbs\n$");
}

TEST(InfoDeathTest, MissingDataStopsWithTheBareName) {
    TempFolder l_folder;
    Game::Info l_info;
    ASSERT_TRUE(l_info.loadSchema(l_folder.write("item.fbs", kSchema)));
    const std::string l_name = l_folder.path("config");
    EXPECT_EXIT(l_info.loadData(l_name), ::testing::ExitedWithCode(1), "^Failed to load: " + l_name + "\n$");
}

TEST(InfoDeathTest, EncodedDataThatFailsVerificationStops) {
    TempFolder l_folder;
    Game::Info l_info;
    ASSERT_TRUE(l_info.loadSchema(l_folder.write("item.fbs", kSchema)));
    l_folder.write("item.fb", "\xff\xff\xff\x7f garbage");
    const std::string l_name = l_folder.path("item");
    EXPECT_EXIT(l_info.loadData(l_name), ::testing::ExitedWithCode(1), "^Failed to load: " + l_name + ".fb\n$");
}

}  // namespace
