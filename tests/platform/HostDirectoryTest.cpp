// Tests of host directory listings (order, wildcard, directory flag) and of the wildcard matcher.
#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/HostDirectory.h"
#include "platform/Wildcard.h"
#include "support/TempDir.h"

using reshaper_test::MakeDirectories;
using reshaper_test::TempDir;
using reshaper_test::WriteFileText;

namespace {

std::vector<std::string> Names(const std::vector<HostDirEntry>& list) {
    std::vector<std::string> out;
    for (const auto& e : list) out.push_back(e.name + (e.isDirectory ? "/" : ""));
    return out;
}

class HostDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        for (const char* name : {"b.iff", "B.IFF", "a.iff", "Z.far", "_x", "noext", "ab.spf"})
            ASSERT_TRUE(WriteFileText(dir.Join(name), name));
        ASSERT_TRUE(MakeDirectories(dir.Join("Sub")));
        ASSERT_EQ(::symlink("Sub", dir.Join("link").c_str()), 0);
    }
    TempDir dir;
};

TEST_F(HostDirectoryTest, ListsEverythingInByteWiseOrderWithoutDotEntries) {
    std::vector<HostDirEntry> list;
    ASSERT_TRUE(ListHostDirectory(dir.Path(), "*.*", list));
    std::vector<std::string> expected{"B.IFF", "Sub/", "Z.far", "_x", "a.iff", "ab.spf", "b.iff", "link/", "noext"};
    EXPECT_EQ(Names(list), expected);
    ASSERT_TRUE(ListHostDirectory(dir.Path(), "*", list));
    EXPECT_EQ(Names(list), expected);
}

TEST_F(HostDirectoryTest, PatternIgnoresLetterCase) {
    std::vector<HostDirEntry> list;
    ASSERT_TRUE(ListHostDirectory(dir.Path(), "*.IFF", list));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"B.IFF", "a.iff", "b.iff"}));
    ASSERT_TRUE(ListHostDirectory(dir.Path() + "/", "?.*", list));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"B.IFF", "Z.far", "a.iff", "b.iff"}));
    ASSERT_TRUE(ListHostDirectory(dir.Path(), "*.bmp", list));
    EXPECT_TRUE(list.empty());
}

TEST_F(HostDirectoryTest, MissingDirectoryFailsAndCreateMakesOneLevel) {
    std::vector<HostDirEntry> list{{"stale", false}};
    EXPECT_FALSE(ListHostDirectory(dir.Join("Nowhere"), "*", list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(CreateHostDirectory(dir.Join("Nowhere/Deeper")));
    EXPECT_TRUE(CreateHostDirectory(dir.Join("Nowhere")));
    EXPECT_FALSE(CreateHostDirectory(dir.Join("Nowhere")));
    EXPECT_TRUE(IsHostDirectory(dir.Join("Nowhere")));
    EXPECT_FALSE(IsHostDirectory(dir.Join("a.iff")));
}

TEST(WildcardTest, StarsQuestionMarksAndCase) {
    EXPECT_TRUE(MatchWildcard("chair.iff", "*.iff"));
    EXPECT_TRUE(MatchWildcard("CHAIR.IFF", "chair.*"));
    EXPECT_TRUE(MatchWildcard(".iff", "*.iff"));
    EXPECT_TRUE(MatchWildcard("", "*"));
    EXPECT_TRUE(MatchWildcard("", ""));
    EXPECT_FALSE(MatchWildcard("a", ""));
    EXPECT_TRUE(MatchWildcard("abc", "a?c"));
    EXPECT_FALSE(MatchWildcard("ac", "a?c"));
    EXPECT_TRUE(MatchWildcard("a.b.c", "*.c"));
    EXPECT_FALSE(MatchWildcard("chair.iff.bak", "*.iff"));
    EXPECT_TRUE(MatchWildcard("mississippi", "m*iss*pi"));
    EXPECT_FALSE(MatchWildcard("noext", "*.*"));
    // Only A to Z fold: other bytes match themselves.
    EXPECT_FALSE(MatchWildcard("\xC4", "\xE4"));
}

TEST(WildcardTest, ManyStarsStayFast) {
    std::string name(4000, 'a');
    EXPECT_FALSE(MatchWildcard(name, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(MatchWildcard(name + "b", "*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
