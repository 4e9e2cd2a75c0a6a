#include "engine/data/Info.h"

#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

#include "tests/engine/util/TempFolder.h"

namespace {

const char* const kSchema = "table Item { count:int = 7; label:string; } root_type Item;";

int countOf(const uint8_t* data) { return flatbuffers::GetRoot<flatbuffers::Table>(data)->GetField<int32_t>(4, 7); }

// Encodes JSON against the test schema, as flatc would.
std::string encode(const std::string& json) {
    flatbuffers::Parser parser;
    EXPECT_TRUE(parser.Parse(kSchema));
    EXPECT_TRUE(parser.ParseJson(json.c_str()));
    return std::string(reinterpret_cast<const char*>(parser.builder_.GetBufferPointer()), parser.builder_.GetSize());
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
    const NameCase& testCase = GetParam();
    TempFolder folder;
    if (testCase.fb) folder.write("config.fb", testCase.fb);
    if (testCase.json) folder.write("config.json", testCase.json);
    EXPECT_EQ(Game::resolveDataName(folder.path(testCase.name)), folder.path(testCase.resolved));
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
    const uint8_t* data = m_info.loadData(m_folder.path("item"));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(countOf(data), 1);
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
    const std::string& error = m_info.getParser()->error_;
    EXPECT_NE(error.find("bad.json:3:"), std::string::npos) << error;
    EXPECT_NE(error.find("unknown field: countt"), std::string::npos) << error;
}

TEST_F(InfoTest, DataCannotAddToTheSchema) {
    EXPECT_EQ(m_info.storeData("table Other { x:int; } root_type Other; {x: 1}", false), nullptr);
    EXPECT_EQ(m_info.getParser()->LookupStruct("Other"), nullptr);
}

TEST_F(InfoTest, EncodedDataIsVerifiedBeforeUse) {
    const std::string good = encode("{count: 5, label: \"five\"}");
    ASSERT_NE(m_info.storeData(good, true), nullptr);
    std::string bad = good;
    bad[0] = char(0x7F);  // the root offset now points far outside the buffer
    EXPECT_EQ(m_info.storeData(bad, true), nullptr);
    EXPECT_EQ(m_info.storeData(good.substr(0, good.size() / 2), true), nullptr);
    EXPECT_EQ(m_info.storeData("", true), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 5);
}

TEST_F(InfoTest, SharedParserLoadsSeveralFilesSeparately) {
    Game::Info second(m_info.getParser());
    ASSERT_NE(m_info.storeData("{count: 10}", false), nullptr);
    ASSERT_NE(second.storeData("{label: \"only\"}", false), nullptr);
    EXPECT_EQ(countOf(m_info.data()), 10);
    EXPECT_EQ(countOf(second.data()), 7);
    EXPECT_EQ(second.getParser(), m_info.getParser());
}

TEST(InfoSchema, AddsTheSchemaFolderToTheIncludeFolders) {
    TempFolder folder;
    folder.write("base.fbs", "table Base { n:int; }");
    const std::string schema = folder.write("top.fbs", "include \"base.fbs\"; table Top { b:Base; } root_type Top;");
    Game::Info info;
    EXPECT_TRUE(info.loadSchema(schema));
    EXPECT_NE(info.storeData("{b: {n: 2}}", false), nullptr);
}

TEST(InfoSchema, UsesItsOwnIncludeFoldersWhenGivenNone) {
    TempFolder folder;
    TempFolder includes;
    includes.write("base.fbs", "table Base { n:int; }");
    const std::string schema = folder.write("top.fbs", "include \"base.fbs\"; table Top { b:Base; } root_type Top;");
    Game::Info info;
    EXPECT_FALSE(info.loadSchema(schema));
    info.setIncludeDirs({includes.path("")});
    EXPECT_TRUE(info.loadSchema(schema));
    EXPECT_TRUE(Game::Info().loadSchema(schema, {includes.path("")}));
}

TEST(InfoSchema, SchemaThatDoesNotParseIsFalse) {
    TempFolder folder;
    Game::Info info;
    EXPECT_FALSE(info.loadSchema(folder.write("broken.fbs", "table { ")));
    EXPECT_EQ(info.storeData("{}", false), nullptr);
}

TEST(InfoSchema, WithoutSchemaNothingIsStored) {
    Game::Info info;
    EXPECT_EQ(info.storeData("{}", false), nullptr);
    EXPECT_EQ(info.data(), nullptr);
    EXPECT_EQ(info.root(), nullptr);
}

TEST(InfoDeathTest, UnreadableSchemaStops) {
    EXPECT_EXIT(Game::Info().loadSchema("no/such/folder/x.fbs"), ::testing::ExitedWithCode(1),
                "^Failed to load schema:no/such/folder/x.fbs\n$");
}

TEST(InfoDeathTest, MissingDataStopsWithTheBareName) {
    TempFolder folder;
    Game::Info info;
    ASSERT_TRUE(info.loadSchema(folder.write("item.fbs", kSchema)));
    const std::string name = folder.path("config");
    EXPECT_EXIT(info.loadData(name), ::testing::ExitedWithCode(1), "^Failed to load: " + name + "\n$");
}

TEST(InfoDeathTest, EncodedDataThatFailsVerificationStops) {
    TempFolder folder;
    Game::Info info;
    ASSERT_TRUE(info.loadSchema(folder.write("item.fbs", kSchema)));
    folder.write("item.fb", "\xff\xff\xff\x7f garbage");
    const std::string name = folder.path("item");
    EXPECT_EXIT(info.loadData(name), ::testing::ExitedWithCode(1), "^Failed to load: " + name + ".fb\n$");
}

}  // namespace
