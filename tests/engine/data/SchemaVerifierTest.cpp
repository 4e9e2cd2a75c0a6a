#include "engine/data/SchemaVerifier.h"

#include <flatbuffers/idl.h>
#include <gtest/gtest.h>

namespace {

// Every kind of field the verifier walks: scalars, structs, strings, tables, vectors of each,
// a union and a vector of unions, and a required field.
const char* const kVerifiedSchema = R"(
struct Point { x:int; y:int; }
struct Wide { big:long; small:byte; }
table Leaf { name:string; value:double; }
table Spot { at:Point; }
union Member { Leaf, Spot }
table Root {
  id:int;
  at:Point;
  label:string (required);
  leaf:Leaf;
  numbers:[short];
  wides:[Wide];
  names:[string];
  leaves:[Leaf];
  member:Member;
  members:[Member];
}
root_type Root;
)";

const char* const kDocument = R"({
  id: 7, at: {x: 1, y: 2}, label: "root", leaf: {name: "a", value: 1.5},
  numbers: [1, 2, 3], wides: [{big: 9, small: 1}], names: ["x", "yy"],
  leaves: [{name: "b"}, {value: 2.0}],
  member_type: Spot, member: {at: {x: 3, y: 4}},
  members_type: [Leaf, Spot], members: [{name: "c"}, {at: {x: 5, y: 6}}]
})";

class SchemaVerifierTest : public ::testing::Test {
protected:
    flatbuffers::Parser m_parser;
    std::vector<uint8_t> m_buffer;

    void SetUp() override {
        ASSERT_TRUE(m_parser.Parse(kVerifiedSchema)) << m_parser.error_;
        ASSERT_TRUE(m_parser.ParseJson(kDocument)) << m_parser.error_;
        m_buffer.assign(m_parser.builder_.GetBufferPointer(),
                        m_parser.builder_.GetBufferPointer() + m_parser.builder_.GetSize());
    }

    bool verifies(const std::vector<uint8_t>& bytes) { return Game::verifyBuffer(m_parser, bytes.data(), bytes.size()); }
};

TEST_F(SchemaVerifierTest, AcceptsWhatTheParserBuilt) { EXPECT_TRUE(verifies(m_buffer)); }

// The last few bytes may be alignment padding that nothing refers to; any shorter cut loses data.
TEST_F(SchemaVerifierTest, RefusesTruncatedBuffers) {
    const size_t kMaxPadding = 8;
    for (size_t count = 0; count + kMaxPadding < m_buffer.size(); ++count) {
        const std::vector<uint8_t> cut(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(count));
        EXPECT_FALSE(verifies(cut)) << "cut to " << count;
    }
}

// Under the sanitizers this shows that no corrupted byte makes the verifier read outside the buffer.
TEST_F(SchemaVerifierTest, SurvivesEveryCorruptedByte) {
    size_t refused = 0;
    for (size_t at = 0; at < m_buffer.size(); ++at) {
        for (const uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF)}) {
            std::vector<uint8_t> bytes = m_buffer;
            bytes[at] = value;
            refused += verifies(bytes) ? 0 : 1;
        }
    }
    EXPECT_GT(refused, 0u);
}

TEST_F(SchemaVerifierTest, RefusesAMissingRequiredField) {
    ASSERT_TRUE(m_parser.Parse(R"(table Bare { label:string; } root_type Bare;)"));
    ASSERT_TRUE(m_parser.ParseJson("{}"));
    const std::vector<uint8_t> bare(m_parser.builder_.GetBufferPointer(),
                                    m_parser.builder_.GetBufferPointer() + m_parser.builder_.GetSize());
    flatbuffers::Parser strict;
    ASSERT_TRUE(strict.Parse(R"(table Bare { label:string (required); } root_type Bare;)"));
    EXPECT_FALSE(Game::verifyBuffer(strict, bare.data(), bare.size()));
}

TEST(SchemaVerifier, NeedsARootType) {
    flatbuffers::Parser parser;
    ASSERT_TRUE(parser.Parse("table T { a:int; }"));
    const uint8_t bytes[8] = {4, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(Game::verifyBuffer(parser, bytes, sizeof(bytes)));
}

}  // namespace
