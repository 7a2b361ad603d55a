#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/WideString.h"
#include "platform/win32/Win32DriveInfo.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32NameOrder.h"
#include "Win32TestFiles.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"
#include "scan/Scanner.h"

namespace {

// Drive T: is set up afresh by scripts/test: T:\scan holds a folder link
// "Loop" pointing back at T:\, which a Windows program cannot create under Wine.
const char kScanFolder[] = "T:\\scan\\";

std::vector<TDirEntry> ListAll(IFileSystem& files, const std::string& folder) {
    std::vector<TDirEntry> entries;
    auto listing = files.OpenListing(folder + "*.*");
    TDirEntry entry;
    while (listing && listing->Next(entry)) entries.push_back(entry);
    return entries;
}

const TDirEntry* Named(const std::vector<TDirEntry>& entries, const std::string& name) {
    for (const TDirEntry& e : entries)
        if (e.Name == name) return &e;
    return nullptr;
}

class Win32ScanTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const DWORD attributes = GetFileAttributesW(L"T:\\scan\\Loop");
        FixtureReady = attributes != INVALID_FILE_ATTRIBUTES;
        if (!FixtureReady) return;
        const std::string s = kScanFolder;
        FixtureReady = MakeFolder(s + "Program Files") && MakeFile(s + "Program Files\\app.exe", 5000) &&
                       MakeFolder(s + "WINDOWS") && MakeFile(s + "WINDOWS\\one.ini", 1) &&
                       MakeFile(s + "empty.txt", 0) && MakeFile(s + "secret.dat", 10, FILE_ATTRIBUTE_HIDDEN) &&
                       MakeFile(s + "plain.txt", 4096);
    }

    void SetUp() override {
        ASSERT_TRUE(FixtureReady) << "drive T: with T:\\scan\\Loop is prepared by scripts/test";
        AbortScan = false;
    }

    static bool FixtureReady;
    TWin32FileSystem Files;
    TWin32DriveInfo Drives;
    TFolderTree Tree;
    TDriveList DriveRecords;
    IScanHost Host;
    TWin32NameOrder NameOrder;
};

bool Win32ScanTest::FixtureReady = false;

TEST_F(Win32ScanTest, ListerReportsNamesShortNamesAttributesAndLengths) {
    const std::vector<TDirEntry> entries = ListAll(Files, kScanFolder);
    ASSERT_NE(Named(entries, "."), nullptr);
    const TDirEntry* programFiles = Named(entries, "Program Files");
    const TDirEntry* windows = Named(entries, "WINDOWS");
    const TDirEntry* secret = Named(entries, "secret.dat");
    const TDirEntry* loop = Named(entries, "Loop");
    const TDirEntry* plain = Named(entries, "plain.txt");
    ASSERT_TRUE(programFiles && windows && secret && loop && plain);
    EXPECT_FALSE(programFiles->ShortName.empty());
    EXPECT_TRUE(windows->ShortName.empty());
    EXPECT_TRUE(secret->Attributes & kAttrHidden);
    EXPECT_EQ(loop->Attributes & (kAttrDirectory | kAttrReparsePoint), uint32_t(kAttrDirectory | kAttrReparsePoint));
    EXPECT_EQ(plain->Length, 4096);
    EXPECT_NE(FileTimeValue(plain->LastWriteTime), 0u);
    EXPECT_EQ(Files.OpenListing("T:\\no such folder\\*.*"), nullptr);
}

TEST_F(Win32ScanTest, ScansARealTreeWithoutEnteringTheLoop) {
    TScanner scanner(Tree, Files, Drives, DriveRecords, Host, NameOrder);
    scanner.SetClusterSize(GetClusterSize(Drives, "T:\\"));
    EXPECT_EQ(scanner.ClusterSize(), 4096);
    TFolderNode* node = Tree.AddRoot("scan", 'T');
    const TFolderSize* record = scanner.ScanFolder(kScanFolder, *node);
    ASSERT_NE(record, nullptr);

    EXPECT_EQ(record->OwnFiles, 3);  // empty.txt, secret.dat, plain.txt
    EXPECT_EQ(record->OwnSize, 4106);
    EXPECT_EQ(OwnWasted(*node), 4086);
    EXPECT_EQ(record->OwnFolders, 3);
    EXPECT_EQ(record->TreeFolders, 3);
    EXPECT_EQ(record->TreeFiles, 5);
    EXPECT_EQ(record->TreeSize, 9107);
    EXPECT_EQ(record->TreeWasted, 4086 + 3192 + 4095);
    EXPECT_EQ(record->TreeWastedAt[1], SlackOf(512, 10) + SlackOf(512, 5000) + 511);
    EXPECT_TRUE(record->AttrUnion & kAttrHidden);

    std::vector<std::string> names;
    for (auto& child : node->Children) names.emplace_back(child->Text());
    EXPECT_EQ(names, (std::vector<std::string>{"Loop", "Program Files", "Windows"}));
    const TFolderNode* loop = FindChild(node, "Loop", true);
    ASSERT_NE(loop->Record, nullptr);
    EXPECT_EQ(loop->Record->TreeFiles, 0);
    EXPECT_TRUE(loop->Children.empty());
}

TEST_F(Win32ScanTest, PathsLongerThanMaxPathAreScanned) {
    std::string path = "T:\\deep";
    ASSERT_TRUE(MakeFolder(path));
    // Well past MAX_PATH; Wine resolves every component of a long path on each call, so
    // deeper trees take minutes here (the scanner itself is depth-tested natively).
    const int depth = 200;
    for (int i = 0; i < depth; ++i) {
        path += "\\d";
        ASSERT_TRUE(MakeFolder(path)) << path.size();
    }
    ASSERT_GT(path.size(), size_t(MAX_PATH));
    ASSERT_TRUE(MakeFile(path + "\\bottom.bin", 3));
    EXPECT_TRUE(Files.PathExists(path));

    TScanner scanner(Tree, Files, Drives, DriveRecords, Host, NameOrder);
    scanner.SetClusterSize(GetClusterSize(Drives, "T:\\"));
    TFolderNode* node = Tree.AddRoot("deep", 'T');
    const TFolderSize* record = scanner.ScanFolder("T:\\deep\\", *node);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->TreeFolders, depth);
    EXPECT_EQ(record->TreeFiles, 1);
    EXPECT_EQ(record->TreeSize, 3);
    EXPECT_EQ(record->TreeWasted, 4093);
}

int LstrcmpOf(const std::string& a, const std::string& b) { return lstrcmpW(Widen(a).c_str(), Widen(b).c_str()); }

int Sign(int v) { return (v > 0) - (v < 0); }

// Sort keys must order names exactly as lstrcmp does, and the portable order
// used by the native tests should agree with both on everyday names.
TEST(Win32NameOrder, SortKeysFollowLstrcmpAndTheWordSort) {
    const TWin32NameOrder system;
    const TWordSortOrder portable;
    EXPECT_GT(system.Compare("a-b", "ab"), 0);
    EXPECT_LT(system.Compare("src", "Src"), 0);
    const std::vector<std::string> names = {"zeta", "Alpha", "mid-way", "midway", "beta",          "_tmp", "2019",
                                            "Beta", "alpha", "it's",    "its",    "Program Files", "a b",  "ab"};
    for (const std::string& a : names) {
        for (const std::string& b : names) {
            EXPECT_EQ(system.Compare(a, b), Sign(LstrcmpOf(a, b))) << a << " / " << b;
            EXPECT_EQ(portable.Compare(a, b), system.Compare(a, b)) << a << " / " << b;
        }
    }
}

}  // namespace
