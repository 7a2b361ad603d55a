#include <gtest/gtest.h>

#include "zipdll/core/FilePattern.h"

namespace {

TEST(FileSpecSplit, FolderKeepsItsSeparatorAndThePatternIsTheLastComponent) {
    TFileSpecParts parts = SplitFileSpec("Temp\\*.*");
    EXPECT_EQ("Temp\\", parts.Folder);
    EXPECT_EQ("*.*", parts.Pattern);
    parts = SplitFileSpec("a/b\\c/*.txt");
    EXPECT_EQ("a/b\\c/", parts.Folder);
    EXPECT_EQ("*.txt", parts.Pattern);
    parts = SplitFileSpec("*.log");
    EXPECT_EQ("", parts.Folder);
    EXPECT_EQ("*.log", parts.Pattern);
    parts = SplitFileSpec("C:*.log");
    EXPECT_EQ("C:", parts.Folder);
    EXPECT_EQ("*.log", parts.Pattern);
    parts = SplitFileSpec("C:\\");
    EXPECT_EQ("C:\\", parts.Folder);
    EXPECT_EQ("", parts.Pattern);
}

TEST(FileSpecSplit, WildcardsAreStarAndQuestionMark) {
    EXPECT_TRUE(HasWildcards("*.txt"));
    EXPECT_TRUE(HasWildcards("file?.doc"));
    EXPECT_FALSE(HasWildcards("plain name.txt"));
    EXPECT_FALSE(HasWildcards(""));
}

TEST(FileSpecMatch, StarAndQuestionMarkMatchAsOnWindows) {
    EXPECT_TRUE(MatchesFilePattern("report.txt", "*.txt"));
    EXPECT_FALSE(MatchesFilePattern("report.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesFilePattern("report.txt.bak", "*.txt*"));
    EXPECT_TRUE(MatchesFilePattern("a", "*"));
    EXPECT_TRUE(MatchesFilePattern("no extension", "*.*")) << "*.* takes names without a dot too";
    EXPECT_TRUE(MatchesFilePattern("file1.doc", "file?.doc"));
    EXPECT_FALSE(MatchesFilePattern("file12.doc", "file?.doc"));
    EXPECT_FALSE(MatchesFilePattern("file.doc", "file?.doc"));
    EXPECT_TRUE(MatchesFilePattern("abcabcabd", "*abd"));
    EXPECT_TRUE(MatchesFilePattern("aXbYc", "a*b*c"));
    EXPECT_FALSE(MatchesFilePattern("aXbYd", "a*b*c"));
    EXPECT_TRUE(MatchesFilePattern("exact.TXT", "Exact.txt"));
    EXPECT_FALSE(MatchesFilePattern("exact.txt", "exact.tx"));
    // A "*" in the pattern is a wildcard even where the name holds one.
    EXPECT_TRUE(MatchesFilePattern("c*.txt", "c*"));
}

TEST(FileSpecMatch, ATrailingDotMeansNoExtension) {
    EXPECT_TRUE(MatchesFilePattern("Makefile", "*."));
    EXPECT_FALSE(MatchesFilePattern("make.txt", "*."));
    EXPECT_TRUE(MatchesFilePattern("README", "readme."));
}

TEST(FileSpecMatch, CaseIsIgnoredBeyondAscii) {
    EXPECT_TRUE(MatchesFilePattern(u8"ÄRGER.TXT", u8"ärger.txt"));
    EXPECT_TRUE(MatchesFilePattern(u8"Ōsaka ĽUBICA.txt", u8"ōsaka ľubica.*"));
    EXPECT_TRUE(MatchesFilePattern(u8"ПРИВЕТ.doc", u8"привет.DOC"));
    EXPECT_TRUE(MatchesFilePattern(u8"ΑΒΓ.txt", u8"αβγ.txt"));
    EXPECT_TRUE(MatchesFilePattern(u8"ЁЖ.txt", u8"ёж.*"));
    EXPECT_TRUE(MatchesFilePattern(u8"日本語.txt", u8"日本?.txt"));
    EXPECT_FALSE(MatchesFilePattern(u8"日本語.txt", u8"日本.txt"));
    EXPECT_TRUE(MatchesFilePattern(u8"€uro.txt", u8"?uro.txt")) << "? is one character, not one byte";
}

TEST(FileSpecMatch, BrokenUtf8StillMatchesByteForByte) {
    EXPECT_TRUE(
        MatchesFilePattern("a\xFF"
                           "b",
                           "a?b"));
    EXPECT_TRUE(MatchesFilePattern("\xC3", "*"));
    EXPECT_FALSE(MatchesFilePattern("\xC3", "x"));
}

TEST(FileSpecNames, SameFileNameIgnoresCaseAndSeparatorKind) {
    EXPECT_TRUE(SameFileName("Temp/Sub/File.TXT", "temp\\sub\\file.txt"));
    EXPECT_TRUE(SameFileName(u8"Ordner/Übung.txt", u8"ordner/übung.TXT"));
    EXPECT_FALSE(SameFileName("a/b", "a/c"));
    EXPECT_EQ(FileNameKey("ABC\\d"), FileNameKey("abc/D"));
    EXPECT_NE(FileNameKey("abc"), FileNameKey("abcd"));
}

TEST(FileSpecNames, StoredNamesCannotClimbOutOrCarryADrive) {
    EXPECT_EQ("Temp/sub/a.txt", ZipStoredName("Temp\\sub\\a.txt"));
    EXPECT_EQ("data/x.txt", ZipStoredName("C:\\data\\x.txt"));
    EXPECT_EQ("x/y", ZipStoredName("..\\..\\x\\.\\y"));
    EXPECT_EQ("a/b", ZipStoredName("\\\\a//b\\"));
    EXPECT_EQ("", ZipStoredName("C:\\"));
    EXPECT_EQ(u8"Bücher/Ärger.txt", ZipStoredName(u8"Bücher\\Ärger.txt"));
    // However it comes to stand in front, a drive goes; a colon elsewhere stays.
    EXPECT_EQ("data", ZipStoredName("C:data"));
    EXPECT_EQ("x", ZipStoredName("\\C:x"));
    EXPECT_EQ("x", ZipStoredName("..\\C:..\\D:x"));
    EXPECT_EQ("*:x", ZipStoredName("\\*:x"));
    EXPECT_EQ("a/C:x", ZipStoredName("a\\C:x"));
}

}  // namespace
