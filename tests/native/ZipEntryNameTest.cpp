#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zipdll/core/ZipEntryName.h"

namespace {

using TComponents = std::vector<std::string>;

TEST(ZipEntryNameTest, PlainNamesKeepTheirFolders) {
    const TZipEntryName name = ParseZipEntryName("docs/2024/report.txt", true);
    EXPECT_FALSE(name.Refused());
    EXPECT_EQ((TComponents{"docs", "2024", "report.txt"}), name.Components);
    EXPECT_FALSE(name.IsFolder);
    EXPECT_EQ("docs\\2024\\report.txt", name.Path);
}

TEST(ZipEntryNameTest, DroppedFoldersLeaveTheFileName) {
    const TZipEntryName name = ParseZipEntryName("docs\\2024/report.txt", false);
    EXPECT_FALSE(name.Refused());
    EXPECT_EQ((TComponents{"docs", "2024", "report.txt"}), name.Components);
    EXPECT_EQ("report.txt", name.Path);
}

TEST(ZipEntryNameTest, FolderEntries) {
    const TZipEntryName kept = ParseZipEntryName("a/empty/", true);
    EXPECT_FALSE(kept.Refused());
    EXPECT_TRUE(kept.IsFolder);
    EXPECT_EQ("a\\empty", kept.Path);
    const TZipEntryName dropped = ParseZipEntryName("a/empty\\", false);
    EXPECT_FALSE(dropped.Refused());
    EXPECT_TRUE(dropped.IsFolder);
    EXPECT_EQ("", dropped.Path);
}

TEST(ZipEntryNameTest, EmptyAndDotPartsAreSkipped) {
    const TZipEntryName name = ParseZipEntryName("./a//b/./c", true);
    EXPECT_FALSE(name.Refused());
    EXPECT_EQ((TComponents{"a", "b", "c"}), name.Components);
    EXPECT_EQ("a\\b\\c", name.Path);
}

TEST(ZipEntryNameTest, NonAsciiAndOddButValidNames) {
    for (const char* text : {"caf\xC3\xA9/\xE6\x97\xA5\xE6\x9C\xAC.txt", ".hidden", "a..b", "..a", "con-tents.txt",
                             "CONSOLE", "COM10", "LPT", "nul_file", "a b/c d", "x.y.z"}) {
        const TZipEntryName name = ParseZipEntryName(text, true);
        EXPECT_FALSE(name.Refused()) << text << ": " << name.Reason;
    }
}

struct TRefusal {
    const char* Name;
    const char* Reason;
};

TEST(ZipEntryNameTest, UnsafeNamesAreRefusedWithTheirReason) {
    const char* absolute = "the name is an absolute path";
    const char* drive = "the name carries a drive letter";
    const char* climbs = "the name climbs out of the extraction folder with \"..\"";
    const char* device = "the name is a Windows device name";
    const char* character = "the name holds a character that Windows does not allow in file names";
    const char* dots = "the name has a part made only of dots and spaces";
    const char* trailing = "the name has a part that ends with a dot or a space";
    const TRefusal cases[] = {
        {"", "the name is empty"},
        {"/etc/passwd", absolute},
        {"\\Windows\\win.ini", absolute},
        {"\\\\server\\share\\x", absolute},
        {"//server/share/x", absolute},
        {"\\\\?\\C:\\x", absolute},
        {"C:/x", drive},
        {"c:x", drive},
        {"z:", drive},
        {"../evil", climbs},
        {"..", climbs},
        {"a/../../b", climbs},
        {"a/b/..", climbs},
        {"a\\..\\b", climbs},
        {"CON", device},
        {"con.txt", device},
        {"Nul .log", device},
        {"dir/aux", device},
        {"PRN/x.txt", device},
        {"COM1", device},
        {"lpt9.doc", device},
        {"CONIN$", device},
        {"COM\xC2\xB9", device},
        {"a/b:stream", character},
        {"what?", character},
        {"star*", character},
        {"pipe|x", character},
        {"less<than", character},
        {"quote\"d", character},
        {"tab\there", character},
        {"...", dots},
        {"a/. ./b", dots},
        {"file.", trailing},
        {"folder /x", trailing},
        {"/", absolute},
        {"./", "the name holds no file or folder name"},
    };
    for (const TRefusal& c : cases) {
        for (bool keepFolders : {true, false}) {
            const TZipEntryName name = ParseZipEntryName(c.Name, keepFolders);
            EXPECT_EQ(c.Reason, name.Reason) << c.Name;
            EXPECT_TRUE(name.Refused()) << c.Name;
            EXPECT_EQ("", name.Path) << c.Name;
            EXPECT_TRUE(name.Components.empty()) << c.Name;
        }
    }
}

TEST(ZipEntryNameTest, ControlCharactersAreRefused) {
    for (int c = 1; c < 0x20; ++c) {
        const std::string text = std::string("a") + char(c) + "b";
        EXPECT_TRUE(ParseZipEntryName(text, true).Refused()) << c;
    }
    EXPECT_TRUE(ParseZipEntryName(std::string("a\0b", 3), true).Refused());
}

TEST(ZipEntryNameTest, JoiningAPrefix) {
    const TComponents parts{"a", "b", "c"};
    EXPECT_EQ("", JoinZipComponents(parts, 0));
    EXPECT_EQ("a\\b", JoinZipComponents(parts, 2));
    EXPECT_EQ("a\\b\\c", JoinZipComponents(parts, 7));
}

}  // namespace
