#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ContextMenuItems.h"

namespace {

TEST(ContextMenuItemsTest, PathSplitsIntoFolderAndName) {
    TContextMenuTarget file = SplitContextMenuPath("C:\\Data\\Photos\\a.txt");
    EXPECT_EQ("C:\\Data\\Photos", file.Folder);
    EXPECT_EQ("a.txt", file.Name);

    TContextMenuTarget inRoot = SplitContextMenuPath("C:\\a.txt");
    EXPECT_EQ("C:\\", inRoot.Folder);
    EXPECT_EQ("a.txt", inRoot.Name);

    TContextMenuTarget pattern = SplitContextMenuPath("D:\\Data\\*.*");
    EXPECT_EQ("D:\\Data", pattern.Folder);
    EXPECT_EQ("*.*", pattern.Name);
}

TEST(ContextMenuItemsTest, DriveRootHasNoName) {
    TContextMenuTarget root = SplitContextMenuPath("C:\\");
    EXPECT_EQ("C:\\", root.Folder);
    EXPECT_EQ("", root.Name);
    EXPECT_EQ("", SplitContextMenuPath("").Name);
}

TEST(ContextMenuItemsTest, OnlyStarAndQuestionMarkMakeAPattern) {
    EXPECT_TRUE(IsWildcardName("*.*"));
    EXPECT_TRUE(IsWildcardName("report?.doc"));
    EXPECT_FALSE(IsWildcardName("report [1].doc"));
    EXPECT_FALSE(IsWildcardName(""));
}

TEST(ContextMenuItemsTest, StarTakesAnyRunAndQuestionMarkOneCharacter) {
    EXPECT_TRUE(MatchesWildcard("*.txt", "notes.txt"));
    EXPECT_TRUE(MatchesWildcard("*.txt", ".txt"));
    EXPECT_FALSE(MatchesWildcard("*.txt", "notes.txt.bak"));
    EXPECT_TRUE(MatchesWildcard("a*b*c", "axxbyyc"));
    EXPECT_TRUE(MatchesWildcard("a*b*c", "abcbc"));
    EXPECT_FALSE(MatchesWildcard("a*b*c", "abcb"));
    EXPECT_TRUE(MatchesWildcard("file?.log", "file1.log"));
    EXPECT_FALSE(MatchesWildcard("file?.log", "file.log"));
    EXPECT_FALSE(MatchesWildcard("file?.log", "file12.log"));
}

TEST(ContextMenuItemsTest, LettersCompareWithoutCase) {
    EXPECT_TRUE(MatchesWildcard("*.TXT", "notes.txt"));
    EXPECT_TRUE(MatchesWildcard("readme", "README"));
    EXPECT_FALSE(MatchesWildcard("readme", "readmee"));
}

TEST(ContextMenuItemsTest, TrailingDotStarAlsoTakesNamesWithoutExtension) {
    EXPECT_TRUE(MatchesWildcard("*.*", "Makefile"));
    EXPECT_TRUE(MatchesWildcard("*.*", "a.b.c"));
    EXPECT_TRUE(MatchesWildcard("make*.*", "Makefile"));
    EXPECT_FALSE(MatchesWildcard("*.", "Makefile"));
    EXPECT_FALSE(MatchesWildcard("x*.*", "Makefile"));
}

TEST(ContextMenuItemsTest, QuestionMarkTakesOneWholeUtf8Character) {
    EXPECT_TRUE(MatchesWildcard("caf?.txt", "caf\xC3\xA9.txt"));  // é, two bytes
    EXPECT_TRUE(MatchesWildcard("?", "\xE2\x82\xAC"));            // €, three bytes
    EXPECT_FALSE(MatchesWildcard("??", "\xE2\x82\xAC"));
    EXPECT_TRUE(MatchesWildcard("*\xC3\xA9*", "r\xC3\xA9sum\xC3\xA9"));
}

TEST(ContextMenuItemsTest, PatternPicksMatchingEntriesButNeverDotEntries) {
    const std::vector<std::string> listing = {".", "..", "a.txt", "b.dat", "C.TXT", "notes", "old.txt.bak"};
    EXPECT_EQ((std::vector<std::string>{"a.txt", "C.TXT"}), MatchingItemNames("*.txt", listing));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.dat", "C.TXT", "notes", "old.txt.bak"}),
              MatchingItemNames("*.*", listing));
    EXPECT_TRUE(MatchingItemNames("*.zip", listing).empty());
}

}  // namespace
