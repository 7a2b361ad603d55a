#include <gtest/gtest.h>

#include <algorithm>

#include "scan/FolderSize.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"
#include "scan/RecordText.h"

namespace {

TEST(SlackOf, FollowsTheLastClusterOfTheFile) {
    EXPECT_EQ(SlackOf(4096, 0), 0);
    EXPECT_EQ(SlackOf(4096, 1), 4095);
    EXPECT_EQ(SlackOf(512, 1), 511);
    EXPECT_EQ(SlackOf(65536, 1), 65535);
    EXPECT_EQ(SlackOf(4096, 4096), 0);
    EXPECT_EQ(SlackOf(4096, 5000), 3192);
    // A file of exactly 8192 bytes at every table size.
    const int32_t expected[] = {0, 0, 0, 0, 0, 8192, 24576, 57344};
    for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(SlackOf(ClusterSizes[k], 8192), expected[k]) << k;
}

TEST(SlackOf, UnknownClusterSizeAndHugeLengths) {
    EXPECT_EQ(SlackOf(-1, 12345), 0);
    EXPECT_EQ(SlackOf(0, 12345), 0);
    // The remainder is taken over the full 64-bit length.
    const int64_t big = (int64_t(1) << 40) + 1;
    EXPECT_EQ(SlackOf(4096, big), 4095);
    EXPECT_EQ(SlackOf(65536, INT64_MAX), 1);
}

// A folder with one subfolder: the folder's own figures are its totals
// less the subfolder's.
struct TFolderWithSubfolder {
    TFolderTree Tree;
    TFolderNode* Folder = Tree.AddRoot("C", 'C');
    TFolderNode* Subfolder = Tree.AddChild(*Folder, "Sub");

    TFolderWithSubfolder() {
        Folder->Record = std::make_unique<TFolderSize>();
        Subfolder->Record = std::make_unique<TFolderSize>();
    }
};

TEST(ClusterView, SelectsWhichWastedValueIsShownWithoutTouchingTheRecord) {
    TFolderWithSubfolder f;
    TFolderSize& r = *f.Folder->Record;
    r.TreeSize = 1000;
    r.OwnSize = 400;
    r.TreeWasted = 3000;
    f.Subfolder->Record->TreeWasted = 2900;
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        r.TreeWastedAt[k] = 10 * k;
        f.Subfolder->Record->TreeWastedAt[k] = 9 * k;
    }
    const std::string stored = DescribeRecord(*f.Folder);

    EXPECT_EQ(ViewTreeWasted(r, 0), 3000);
    EXPECT_EQ(ViewOwnWasted(*f.Folder, 0), 100);
    EXPECT_EQ(OwnAllocated(*f.Folder, 0), 500);
    EXPECT_EQ(ViewTreeWasted(r, 7), 70);
    EXPECT_EQ(ViewOwnWasted(*f.Folder, 7), 7);
    EXPECT_EQ(OwnAllocated(*f.Folder, 7), 407);
    EXPECT_EQ(TreeAllocated(r, 7), 1070);
    // Outside the table reads the drive's own values.
    EXPECT_EQ(ViewTreeWasted(r, 8), 3000);
    EXPECT_EQ(ViewOwnWasted(*f.Folder, 8), 100);
    EXPECT_EQ(TreeAllocated(r, 0), 4000);
    EXPECT_EQ(DescribeRecord(*f.Folder), stored);

    EXPECT_EQ(WastedAt(r, 3), 30);
    EXPECT_EQ(WastedAt(r, 0), 0);
    EXPECT_EQ(WastedAt(r, 8), 0);
    EXPECT_EQ(OwnWastedAt(*f.Folder, 3), 3);
    EXPECT_EQ(OwnWastedAt(*f.Folder, 0), 0);
    EXPECT_EQ(OwnWastedAt(*f.Folder, 8), 0);
}

TEST(OwnWasted, SubfoldersWithoutARecordCountAsNothing) {
    TFolderWithSubfolder f;
    f.Folder->Record->TreeWasted = 300;
    f.Folder->Record->TreeWastedAt[2] = 30;
    f.Subfolder->Record->TreeWasted = 200;
    f.Subfolder->Record->TreeWastedAt[2] = 20;
    EXPECT_EQ(OwnWasted(*f.Folder), 100);
    EXPECT_EQ(OwnWastedAt(*f.Folder, 2), 10);
    // An aborted rescan took the subfolder's totals out of its parent's.
    f.Subfolder->Record.reset();
    f.Folder->Record->TreeWasted = 100;
    f.Folder->Record->TreeWastedAt[2] = 10;
    EXPECT_EQ(OwnWasted(*f.Folder), 100);
    EXPECT_EQ(OwnWastedAt(*f.Folder, 2), 10);
    // A folder without a record has no figures at all.
    EXPECT_EQ(OwnWasted(*f.Subfolder), 0);
    EXPECT_EQ(OwnAllocated(*f.Subfolder, 0), 0);
}

TEST(RecordText, ListsTheCountersInFieldOrder) {
    TFolderWithSubfolder f;
    TFolderSize& r = *f.Folder->Record;
    r.TreeSize = 1;
    r.OwnSize = 2;
    r.AttrUnion = 0x822;
    r.TreeWastedAt[1] = 5;
    f.Subfolder->Record->TreeWastedAt[7] = 6;
    const std::string text = DescribeRecord(*f.Folder);
    EXPECT_EQ(text.substr(0, 26), "TreeSize: 1\nOwnSize: 2\nTre");
    EXPECT_NE(text.find("\nAttrUnion: 2082\nTreeWastedAt1: 5\nTreeWastedAt2: 0\n"), std::string::npos);
    EXPECT_NE(text.find("\nOwnWastedAt7: -6\n"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 23);
}

TEST(PathRules, Backslashes) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("C:"), "C:\\");
    EXPECT_EQ(AddBackslash("C:\\"), "C:\\");
    EXPECT_EQ(AddBackslash("C:\\Data"), "C:\\Data\\");
    EXPECT_EQ(RemoveBackslash("C:\\Data\\"), "C:\\Data");
    EXPECT_EQ(RemoveBackslash("C:\\Data"), "C:\\Data");
    EXPECT_EQ(RemoveBackslash(""), "");
}

TEST(PathRules, DriveRootsAndParents) {
    EXPECT_TRUE(IsDriveRoot("C:"));
    EXPECT_TRUE(IsDriveRoot("C:\\"));
    EXPECT_FALSE(IsDriveRoot("C"));
    EXPECT_FALSE(IsDriveRoot(""));
    EXPECT_FALSE(IsDriveRoot("C:\\Windows"));
    EXPECT_EQ(ParentFolderPath("C:\\Data\\a.txt"), "C:\\Data");
    EXPECT_EQ(ParentFolderPath("C:\\a.txt"), "C:\\");
    EXPECT_EQ(ParentFolderPath("C:\\Data\\Sub\\"), "C:\\Data\\Sub");
    EXPECT_EQ(ParentFolderPath("C:a.txt"), "C:");
    EXPECT_EQ(ParentFolderPath("a.txt"), "");
}

// The \\?\ form reaches names the ordinary parsing would change; it is given
// only where nothing would need resolving first.
TEST(PathRules, LiteralFormOfFullPathsOnly) {
    EXPECT_EQ(LiteralPathForm("C:\\Data\\Twin."), "\\\\?\\C:\\Data\\Twin.");
    EXPECT_EQ(LiteralPathForm("C:\\"), "\\\\?\\C:\\");
    EXPECT_EQ(LiteralPathForm("C:\\Data \\*.*"), "\\\\?\\C:\\Data \\*.*");
    EXPECT_EQ(LiteralPathForm("\\\\server\\share\\Twin "), "\\\\?\\UNC\\server\\share\\Twin ");
    const std::string deep = "C:\\" + std::string(300, 'd');
    EXPECT_EQ(LiteralPathForm(deep), "\\\\?\\" + deep);
    for (const char* unchanged :
         {"", "Data\\Twin.", "C:Data", "C:", "C:\\Data\\..\\Other", "C:\\Data\\.\\x", "C:/Data/x", "C:\\Data/x",
          "C:\\Data\\\\x", "\\\\?\\C:\\Data", "\\\\.\\COM1", "\\\\server"})
        EXPECT_EQ(LiteralPathForm(unchanged), unchanged);
}

TEST(PathRules, FolderChainBelowTheRoot) {
    using TChain = std::vector<std::string>;
    EXPECT_EQ(FolderChainBelowRoot("C:\\a\\b."), (TChain{"C:\\a", "C:\\a\\b."}));
    EXPECT_EQ(FolderChainBelowRoot("C:\\a \\b\\"), (TChain{"C:\\a ", "C:\\a \\b"}));
    EXPECT_EQ(FolderChainBelowRoot("\\\\server\\share\\a"), (TChain{"\\\\server\\share\\a"}));
    EXPECT_TRUE(FolderChainBelowRoot("C:\\").empty());
    EXPECT_TRUE(FolderChainBelowRoot("\\\\server\\share\\").empty());
    EXPECT_TRUE(FolderChainBelowRoot("a\\b").empty());
    EXPECT_TRUE(FolderChainBelowRoot("C:\\a\\..\\b").empty());
}

}  // namespace
