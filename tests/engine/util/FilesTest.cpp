#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "engine/util/Files.h"

namespace {

class Files : public ::testing::Test {
protected:
    void TearDown() override { std::remove(m_path.c_str()); }
    // CTest runs each case as its own process, in parallel: every case needs its own file.
    std::string m_path = ::testing::TempDir() + "zelmo_files_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                         std::to_string(getpid()) + ".txt";
};

TEST_F(Files, WrittenLinesReadBackWithTheSeparator) {
    std::string reason;
    ASSERT_TRUE(Util::replaceFile(m_path, "one\n\nthree\n", reason)) << reason;
    EXPECT_EQ(Util::fileSize(m_path), 11u);
    std::string text = "before|";
    ASSERT_TRUE(Util::readTextFile(m_path, text, ";"));
    EXPECT_EQ(text, "before|one;\nthree;");
}

TEST_F(Files, MissingOrEmptyFileLeavesTheTextUnchanged) {
    std::string text = "unchanged";
    EXPECT_FALSE(Util::readTextFile(m_path, text));
    EXPECT_EQ(Util::fileSize(m_path), 0u);
    std::ofstream(m_path).close();
    EXPECT_FALSE(Util::readTextFile(m_path, text));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(Files, WriteIntoAMissingFolderFailsWithTheReason) {
    std::string reason;
    EXPECT_FALSE(Util::replaceFile("/nonexistent-folder/x/y.txt", "a", reason));
    EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
