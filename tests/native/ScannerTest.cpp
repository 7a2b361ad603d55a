#include <gtest/gtest.h>

#include <stdexcept>

#include "ScanTestSupport.h"
#include "scan/PathUtils.h"

namespace {

// Invariant 1 and 2 of a finished subtree: tree totals are the own values
// plus the children's tree totals. The own waste is what the children's
// totals leave, so it can only be wrong by falling below zero.
void ExpectConsistent(const TFolderNode& node) {
    ASSERT_NE(node.Record, nullptr) << NodePath(&node);
    const TFolderSize& r = *node.Record;
    TFolderSize sum = r;
    sum.TreeSize = r.OwnSize;
    sum.TreeFiles = r.OwnFiles;
    sum.TreeFolders = r.OwnFolders;
    for (auto& child : node.Children) {
        ExpectConsistent(*child);
        sum.TreeSize += child->Record->TreeSize;
        sum.TreeFiles += child->Record->TreeFiles;
        sum.TreeFolders += child->Record->TreeFolders;
    }
    EXPECT_EQ(r.TreeSize, sum.TreeSize) << NodePath(&node);
    EXPECT_EQ(r.TreeFiles, sum.TreeFiles) << NodePath(&node);
    EXPECT_EQ(r.TreeFolders, sum.TreeFolders) << NodePath(&node);
    EXPECT_EQ(r.OwnFolders, int32_t(node.Children.size())) << NodePath(&node);
    EXPECT_GE(OwnWasted(node), 0) << NodePath(&node);
    for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_GE(OwnWastedAt(node, k), 0) << NodePath(&node) << ' ' << k;
}

std::vector<std::string> ChildTexts(const TFolderNode& node) {
    std::vector<std::string> texts;
    for (auto& child : node.Children) texts.emplace_back(child->Text());
    return texts;
}

class ScannerTest : public ::testing::Test {
protected:
    TScanWorld W;
};

TEST_F(ScannerTest, WorkedExampleFillsEveryField) {
    W.Files.AddFile("C:\\X\\a", 1);
    W.Files.AddFile("C:\\X\\b", 4096);
    W.Files.AddFolder("C:\\X\\Y", 0, "");
    W.Files.AddFile("C:\\X\\Y\\c", 5000);
    TFolderNode* x = W.Tree.AddRoot("X", 'C');

    const TFolderSize* rx = W.Scanner.ScanFolder("C:\\X\\", *x);
    ASSERT_NE(rx, nullptr);
    ASSERT_EQ(x->Children.size(), 1u);
    const TFolderNode& yNode = *x->Children[0];
    const TFolderSize& y = *yNode.Record;

    EXPECT_EQ(y.OwnSize, 5000);
    EXPECT_EQ(y.TreeSize, 5000);
    EXPECT_EQ(OwnWasted(yNode), 3192);
    EXPECT_EQ(y.TreeWasted, 3192);
    EXPECT_EQ(y.OwnFiles, 1);
    EXPECT_EQ(y.TreeFiles, 1);
    EXPECT_EQ(y.OwnFolders, 0);
    EXPECT_EQ(y.TreeFolders, 0);
    EXPECT_EQ(OwnWastedAt(yNode, 1), 120);
    EXPECT_EQ(y.TreeWastedAt[1], 120);
    EXPECT_EQ(OwnWastedAt(yNode, 3), 3192);
    EXPECT_EQ(y.TreeWastedAt[3], 3192);

    EXPECT_EQ(rx->OwnSize, 4097);
    EXPECT_EQ(OwnWasted(*x), 4095);
    EXPECT_EQ(rx->OwnFiles, 2);
    EXPECT_EQ(rx->OwnFolders, 1);
    EXPECT_EQ(OwnWastedAt(*x, 1), 511);
    EXPECT_EQ(rx->TreeSize, 9097);
    EXPECT_EQ(rx->TreeWasted, 7287);
    EXPECT_EQ(rx->TreeFiles, 3);
    EXPECT_EQ(rx->TreeFolders, 1);
    EXPECT_EQ(rx->TreeWastedAt[1], 631);
    EXPECT_EQ(rx->TreeWastedAt[3], 7287);
    EXPECT_EQ(TreeAllocated(*rx, 0), 16384);
    EXPECT_EQ(rx->AttrUnion, uint32_t(kAttrArchive));
    // Every other table entry follows the slack rule for the three files.
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        const int64_t own = SlackOf(ClusterSizes[k], 1) + SlackOf(ClusterSizes[k], 4096);
        EXPECT_EQ(OwnWastedAt(*x, k), own) << k;
        EXPECT_EQ(rx->TreeWastedAt[k], own + SlackOf(ClusterSizes[k], 5000)) << k;
    }
    EXPECT_EQ(x->Record.get(), rx);
}

TEST_F(ScannerTest, EmptyFoldersAndDotsOnlyAreScannedWithZeroRecords) {
    W.Files.AddFolder("C:\\Empty");
    TFolderNode* node = W.Tree.AddRoot("Empty", 'C');
    const TFolderSize* r = W.Scanner.ScanFolder("C:\\Empty\\", *node);
    ASSERT_NE(r, nullptr);  // the listing held only "." and ".."
    EXPECT_EQ(r->TreeSize, 0);
    EXPECT_EQ(r->TreeFiles, 0);
    EXPECT_EQ(r->TreeFolders, 0);
    EXPECT_EQ(FileTimeValue(r->LastAccess), 0u);
    EXPECT_EQ(FileTimeValue(r->LastWrite), 0u);
    EXPECT_EQ(r->AttrUnion, 0u);
    EXPECT_TRUE(node->Children.empty());
}

TEST_F(ScannerTest, UnlistableFolderCountsAsEmptyAndIsAttached) {
    W.Files.AddFile("C:\\Locked\\secret", 100);
    W.Files.DenyListing("C:\\Locked");
    W.Files.AddFile("C:\\Open\\f", 10);
    TFolderNode* root = W.ScanDriveC();
    ASSERT_NE(root->Record, nullptr);
    TFolderNode* locked = FindChild(root, "Locked", true);
    ASSERT_NE(locked, nullptr);
    ASSERT_NE(locked->Record, nullptr);
    EXPECT_EQ(locked->Record->TreeFiles, 0);
    EXPECT_EQ(root->Record->TreeSize, 10);
    EXPECT_EQ(root->Record->TreeFolders, 2);
}

TEST_F(ScannerTest, CapitalShortNamesAreSoftenedOtherNamesKeptAsListed) {
    W.Files.AddFolder("C:\\WINDOWS");
    W.Files.AddFolder("C:\\Program Files", 0, "PROGRA~1");
    W.Files.AddFolder("C:\\1STPLACE");
    W.Files.AddFolder("C:\\src");
    TFolderNode* root = W.ScanDriveC();
    EXPECT_EQ(ChildTexts(*root), (std::vector<std::string>{"1stplace", "Program Files", "src", "Windows"}));
    EXPECT_EQ(NodePath(FindChild(root, "windows", false)), "C:\\Windows");
}

TEST_F(ScannerTest, CapitalsAreSoftenedOnEveryVolumeButOnlyForShortNames) {
    // NTFS reports case-sensitive searching; exFAT keeps no short names.
    W.Drives.AddDrive("C:\\").Volume.FileSystemFlags = kVolumeCaseSensitive;
    TMemoryFileSystem files(true);
    TScanner scanner(W.Tree, files, W.Drives, W.DriveRecords, W.Host, W.NameOrder);
    files.AddFile("C:\\WINDOWS\\a", 5);
    files.AddFile("C:\\windows\\b", 7);
    files.AddFolder("C:\\My Photos");
    files.AddFolder("C:\\AppData");
    files.AddFolder("C:\\PHOTOS 2024");
    TDriveRecInfo* drive = W.DriveRecords.Add('C');
    scanner.ScanDrive("CDisk", *drive);
    TFolderNode* root = drive->RootNode;
    EXPECT_EQ(ChildTexts(*root),
              (std::vector<std::string>{"AppData", "My Photos", "PHOTOS 2024", "windows", "Windows"}));
    // Both folders were entered by their own spelling, and are found by it.
    EXPECT_EQ(FindChild(root, "WINDOWS", true)->Record->OwnSize, 5);
    EXPECT_EQ(FindChild(root, "windows", true)->Record->OwnSize, 7);
}

TEST_F(ScannerTest, FoldersAreEnteredByTheirListedNameNotTheirDisplaySpelling) {
    // A volume that claims case-insensitive names but holds a folder whose
    // names are case-sensitive (possible on NTFS, and how Wine sees Linux).
    TMemoryFileSystem files(true);
    TScanner scanner(W.Tree, files, W.Drives, W.DriveRecords, W.Host, W.NameOrder);
    files.AddFile("C:\\DATA\\OLD\\f", 5);
    TFolderNode* root = W.Tree.AddRoot("C", 'C');
    const TFolderSize* r = scanner.ScanFolder("C:\\", *root);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->TreeSize, 5);
    EXPECT_EQ(NodePath(FindNodeByPath(root, "Data\\Old", true)), "C:\\Data\\Old");
    EXPECT_EQ(W.Host.StatusTexts.back(), "C:\\DATA\\OLD\\");
}

TEST_F(ScannerTest, FileAttributesTimesAndZeroLengthFiles) {
    TDirEntry& hidden = W.Files.AddFile("C:\\D\\h.sys", 10, kAttrHidden | kAttrSystem);
    hidden.LastWriteTime = MakeFileTime(500);
    TDirEntry& empty = W.Files.AddFile("C:\\D\\zero", 0);
    empty.LastAccessTime = MakeFileTime(900);
    empty.LastWriteTime = MakeFileTime(800);
    W.Files.AddFile("C:\\D\\packed.dat", 100000, kAttrCompressed);
    W.Files.AddFile("C:\\D\\E\\ro", 1, kAttrReadOnly).LastAccessTime = MakeFileTime(950);
    TFolderNode* d = W.Tree.AddRoot("D", 'C');
    const TFolderSize* r = W.Scanner.ScanFolder("C:\\D\\", *d);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->OwnFiles, 3);
    EXPECT_EQ(r->TreeFiles, 4);
    EXPECT_EQ(r->OwnSize, 100010);  // logical length, also for the compressed file
    EXPECT_EQ(OwnWasted(*d), SlackOf(4096, 10) + SlackOf(4096, 100000));
    EXPECT_EQ(r->AttrUnion, uint32_t(kAttrHidden | kAttrSystem | kAttrCompressed | kAttrReadOnly | kAttrArchive));
    EXPECT_EQ(FileTimeValue(r->LastWrite), 800u);   // the zero-length file's time counts
    EXPECT_EQ(FileTimeValue(r->LastAccess), 950u);  // taken from the subfolder
}

TEST_F(ScannerTest, UnknownClusterSizeLeavesDriveSlackZeroButFillsTheTable) {
    W.Drives.AddDrive("C:\\").DiskClusterSize = -1;
    W.Files.AddFile("C:\\f", 1);
    TFolderNode* root = W.ScanDriveC();
    EXPECT_EQ(W.DriveRecords.Find('C')->ClusterSize, -1);
    EXPECT_EQ(root->Record->TreeWasted, 0);
    EXPECT_EQ(OwnWasted(*root), 0);
    EXPECT_EQ(root->Record->TreeWastedAt[1], 511);
    EXPECT_EQ(root->Record->TreeWastedAt[7], 65535);
}

TEST_F(ScannerTest, ScanDriveMakesTheRootAndTalksToTheWindow) {
    W.Files.AddFile("C:\\A\\f", 3);
    W.Files.AddFile("C:\\B\\g", 4);
    TDriveRecInfo* drive = W.DriveRecords.Add('C');
    W.Host.CurrentNode = nullptr;
    W.Scanner.ScanDrive("CLocal Disk (C:)", *drive);
    TFolderNode* root = drive->RootNode;
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Text(), "Local Disk (C:)");
    EXPECT_EQ(root->DriveLetter(), 'C');
    EXPECT_EQ(drive->DriveItem, "CLocal Disk (C:)");
    EXPECT_EQ(drive->ClusterSize, 4096);
    EXPECT_EQ(W.Host.ScanningSwitches, (std::vector<bool>{true, false}));
    EXPECT_EQ(W.Host.StatusTexts, (std::vector<std::string>{"C:\\", "C:\\A\\", "C:\\B\\"}));
    EXPECT_EQ(W.Host.MessagePumps, 3);  // once per folder, not per file
    ASSERT_EQ(W.Host.Finished.size(), 3u);
    EXPECT_EQ(W.Host.Finished.back(), root);  // bottom-up
    EXPECT_EQ(W.Host.PageRefreshes, 0);
}

TEST_F(ScannerTest, LongDriveItemTextIsCutAt255Characters) {
    TDriveRecInfo* drive = W.DriveRecords.Add('C');
    W.Scanner.ScanDrive("C" + std::string(300, 'n'), *drive);
    EXPECT_EQ(drive->RootNode->Text().size(), 255u);
}

TEST_F(ScannerTest, CurrentNodeIsRefreshedWhenItsScanFinishes) {
    W.Files.AddFile("C:\\A\\f", 3);
    W.Files.AddFolder("C:\\B");
    W.Host.OnMessages = [&](const std::string& folder) {
        if (folder == "C:\\A\\") W.Host.CurrentNode = W.Tree.Roots()[0]->Children[0].get();
    };
    W.ScanDriveC();
    EXPECT_EQ(W.Host.PageRefreshes, 1);
}

TEST_F(ScannerTest, ChildrenAreSortedAfterTheirFolderIsScanned) {
    for (const char* name : {"zeta", "Alpha", "mid-way", "midway", "beta"})
        W.Files.AddFolder(std::string("C:\\P\\") + name, 0, "S");
    TFolderNode* p = W.Tree.AddRoot("P", 'C');
    W.Scanner.ScanFolder("C:\\P\\", *p);
    EXPECT_EQ(ChildTexts(*p), (std::vector<std::string>{"Alpha", "beta", "midway", "mid-way", "zeta"}));
}

TEST_F(ScannerTest, ReparsePointFolderIsCountedButNeverEntered) {
    // A junction that leads back to the drive root would loop forever.
    W.Files.AddFile("C:\\Data\\big", 1000000);
    W.Files.AddFolder("C:\\Data\\Back", kAttrReparsePoint, "");
    W.Files.AddFile("C:\\Data\\Back\\shadow", 123);  // what the link's target would show
    TFolderNode* root = W.ScanDriveC();
    TFolderNode* back = FindNodeByPath(root, "Data\\Back", false);
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->Record, nullptr);
    EXPECT_EQ(back->Record->TreeFiles, 0);
    EXPECT_TRUE(back->Children.empty());
    EXPECT_EQ(root->Record->TreeSize, 1000000);
    EXPECT_EQ(root->Record->TreeFolders, 2);
    EXPECT_EQ(FindChild(root, "Data", false)->Record->OwnFolders, 1);
    EXPECT_EQ(W.Files.ListingsOpened, 2);
    EXPECT_EQ(W.Files.ListingsOpen, 0);
}

TEST_F(ScannerTest, TwoThousandLevelsDeepScanWithCorrectTotals) {
    const int depth = 2000;
    std::string path = "C:";
    for (int i = 0; i < depth; ++i) {
        path += "\\d";
        W.Files.AddFolder(path);
        W.Files.AddFile(path + "\\f", 1);
    }
    TFolderNode* root = W.ScanDriveC();
    ASSERT_NE(root->Record, nullptr);
    EXPECT_EQ(root->Record->TreeFolders, depth);
    EXPECT_EQ(root->Record->TreeFiles, depth);
    EXPECT_EQ(root->Record->TreeWasted, int64_t(depth) * 4095);
    const TFolderNode* deepest = root;
    while (!deepest->Children.empty()) deepest = deepest->Children[0].get();
    EXPECT_EQ(NodePath(deepest).size(), size_t(3 + 2 * depth - 1));
    EXPECT_EQ(deepest->Record->TreeFiles, 1);
}

TEST_F(ScannerTest, AbortDuringADeepFolderDiscardsItsChainAndKeepsFinishedSiblings) {
    W.Files.AddFile("C:\\Done\\f", 10);
    W.Files.AddFile("C:\\Deep\\Inner\\Innermost\\g", 20);
    W.Files.AddFile("C:\\Deep\\Inner\\Innermost\\h", 30);
    W.Files.AddFolder("C:\\Deep\\Later");
    W.Files.AddFolder("C:\\Zlast");
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\Deep\\Inner\\Innermost\\") AbortScan = true;
    };
    TFolderNode* root = W.ScanDriveC();
    EXPECT_TRUE(AbortScan);
    EXPECT_EQ(root->Record, nullptr);
    TFolderNode* deep = FindChild(root, "Deep", false);
    TFolderNode* inner = FindChild(deep, "Inner", false);
    EXPECT_EQ(deep->Record, nullptr);
    EXPECT_EQ(inner->Record, nullptr);
    EXPECT_EQ(FindChild(inner, "Innermost", false)->Record, nullptr);
    ASSERT_NE(FindChild(root, "Done", false)->Record, nullptr);
    EXPECT_EQ(FindChild(root, "Done", false)->Record->TreeSize, 10);
    // Nothing after the aborted folder was visited.
    EXPECT_EQ(FindChild(deep, "Later", false), nullptr);
    EXPECT_EQ(FindChild(root, "Zlast", false), nullptr);
    EXPECT_EQ(ChildTexts(*root), (std::vector<std::string>{"Deep", "Done"}));
    EXPECT_EQ(W.Host.ScanningSwitches.back(), false);
}

TEST_F(ScannerTest, AbortWhileEnteringAFolderOfFoldersIsNotLost) {
    W.Files.AddFolder("C:\\Deep\\Inner\\Innermost");
    W.Files.AddFile("C:\\Deep\\Inner\\Innermost\\g", 20);
    W.Files.AddFolder("C:\\Zlast");
    // The request arrives while Deep is entered; its first entry is a folder.
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\Deep\\") AbortScan = true;
    };
    TFolderNode* root = W.ScanDriveC();
    EXPECT_TRUE(AbortScan);
    EXPECT_EQ(root->Record, nullptr);
    TFolderNode* deep = FindChild(root, "Deep", false);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->Record, nullptr);
    EXPECT_TRUE(deep->Children.empty());
    EXPECT_EQ(FindChild(root, "Zlast", false), nullptr);
}

TEST_F(ScannerTest, AbortInAnUnlistableFolderStillEndsTheScan) {
    W.Files.AddFolder("C:\\Locked");
    W.Files.DenyListing("C:\\Locked");
    W.Files.AddFolder("C:\\Next");
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\Locked\\") AbortScan = true;
    };
    TFolderNode* root = W.ScanDriveC();
    EXPECT_EQ(root->Record, nullptr);
    EXPECT_EQ(FindChild(root, "Locked", false)->Record, nullptr);
    EXPECT_EQ(FindChild(root, "Next", false), nullptr);
}

TEST_F(ScannerTest, AFailureInsideTheScanLeavesTheScannerUsable) {
    W.Files.AddFile("C:\\Bad\\f", 1);
    W.Files.AddFile("C:\\Good\\g", 2);
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\Bad\\") throw std::runtime_error("out of memory");
    };
    EXPECT_THROW(W.ScanDriveC(), std::runtime_error);
    EXPECT_EQ(W.Host.ScanningSwitches, (std::vector<bool>{true, false}));
    EXPECT_EQ(W.Files.ListingsOpen, 0);  // an open listing would keep the folder busy

    W.Host.OnMessages = nullptr;
    TFolderNode* good = W.Tree.AddRoot("Good", 'C');
    const TFolderSize* r = W.Scanner.ScanFolder("C:\\Good\\", *good);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->TreeSize, 2);
}

TEST_F(ScannerTest, AScanRequestedDuringAWalkIsRefused) {
    W.Files.AddFile("C:\\A\\a", 1);
    W.Files.AddFile("C:\\B\\b", 5000);
    W.Drives.AddDrive("D:\\").DiskClusterSize = 512;
    W.Files.AddFile("D:\\d", 1);
    TDriveRecInfo* d = W.DriveRecords.Add('D');
    std::vector<bool> refused;
    W.Host.OnMessages = [&](const std::string& folder) {
        if (folder != "C:\\A\\") return;
        refused.push_back(!W.Scanner.ScanDrive("DData", *d));
        refused.push_back(!W.Scanner.RescanFolder("C:\\A", FindChild(W.Tree.Roots()[0].get(), "A", false)));
        const std::unique_ptr<TFolderNode> scratch = TFolderNode::Make("D");
        refused.push_back(W.Scanner.ScanFolder("D:\\", *scratch) == nullptr && !scratch->Record);
        refused.push_back(W.Scanner.Busy());
    };
    TFolderNode* root = W.ScanDriveC();
    EXPECT_EQ(refused, (std::vector<bool>{true, true, true, true}));
    EXPECT_FALSE(W.Scanner.Busy());
    EXPECT_EQ(W.Tree.Roots().size(), 1u);
    EXPECT_EQ(d->RootNode, nullptr);
    EXPECT_EQ(W.Host.ScanningSwitches, (std::vector<bool>{true, false}));
    ASSERT_NE(root->Record, nullptr);
    EXPECT_EQ(root->Record->TreeWasted, SlackOf(4096, 1) + SlackOf(4096, 5000));  // B still at C's clusters
}

TEST_F(ScannerTest, AFolderOfManyFilesReportsProgressWhileItIsListed) {
    for (int i = 0; i < 1000; ++i) W.Files.AddFile("C:\\Big\\f" + std::to_string(i), 1);
    W.Files.AddFile("C:\\Small\\f", 1);
    struct TProgressHost : TRecordingHost {
        void ListingProgress() override { ++Progress; }
        int Progress = 0;
    } host;
    TScanner scanner(W.Tree, W.Files, W.Drives, W.DriveRecords, host, W.NameOrder);
    TFolderNode* small = W.Tree.AddRoot("Small", 'C');
    scanner.ScanFolder("C:\\Small\\", *small);
    EXPECT_EQ(host.Progress, 0);
    TFolderNode* big = W.Tree.AddRoot("Big", 'C');
    scanner.ScanFolder("C:\\Big\\", *big);
    EXPECT_EQ(host.Progress, 1002 / 64);  // every 64 entries, the dots included
    EXPECT_EQ(host.MessagePumps, 2);      // the queue still waits for the next folder
}

class RescanTest : public ScannerTest {
protected:
    void SetUp() override {
        TDirEntry& top = W.Files.AddFile("C:\\top.txt", 100, kAttrHidden);
        top.LastWriteTime = MakeFileTime(7000);
        top.LastAccessTime = MakeFileTime(8000);
        W.Files.AddFile("C:\\A\\a1", 1000);
        W.Files.AddFile("C:\\A\\B\\b1", 5000);
        W.Files.AddFile("C:\\A\\B\\C\\c1", 7);
        W.Files.AddFile("C:\\Other\\o1", 300);
        Root = W.ScanDriveC();
        A = FindChild(Root, "A", false);
        B = FindChild(A, "B", false);
        ExpectConsistent(*Root);
    }

    // The own waste of the node at every cluster size, the drive's first.
    static std::vector<int64_t> OwnWasteOf(const TFolderNode& node) {
        std::vector<int64_t> wasted = {OwnWasted(node)};
        for (int k = 1; k <= kClusterSizeCount; ++k) wasted.push_back(OwnWastedAt(node, k));
        return wasted;
    }

    TFolderNode* Root = nullptr;
    TFolderNode* A = nullptr;
    TFolderNode* B = nullptr;
};

TEST_F(RescanTest, AddedFilesRaiseAncestorsByExactlyTheirAmount) {
    const TFolderSize rootBefore = *Root->Record;
    const TFolderSize aBefore = *A->Record;
    W.Files.AddFile("C:\\A\\B\\new1", 10000);
    W.Files.AddFile("C:\\A\\B\\C\\D\\new2", 1);

    W.Scanner.RescanFolder(NodePath(B), B);
    B = FindChild(A, "B", false);
    ASSERT_NE(B->Record, nullptr);
    EXPECT_EQ(Root->Record->TreeSize, rootBefore.TreeSize + 10001);
    EXPECT_EQ(Root->Record->TreeFiles, rootBefore.TreeFiles + 2);
    EXPECT_EQ(Root->Record->TreeFolders, rootBefore.TreeFolders + 1);
    EXPECT_EQ(Root->Record->TreeWasted, rootBefore.TreeWasted + SlackOf(4096, 10000) + 4095);
    EXPECT_EQ(A->Record->TreeWastedAt[7], aBefore.TreeWastedAt[7] + SlackOf(65536, 10000) + 65535);
    EXPECT_EQ(A->Record->OwnSize, aBefore.OwnSize);
    EXPECT_EQ(A->Record->OwnFiles, aBefore.OwnFiles);
    EXPECT_EQ(Root->Record->OwnFolders, rootBefore.OwnFolders);
    ExpectConsistent(*Root);
}

TEST_F(RescanTest, AncestorsKeepWhatTheirOwnFilesGiveTheirTimesAndAttributes) {
    const TFolderSize rootBefore = *Root->Record;
    ASSERT_TRUE(rootBefore.AttrUnion & kAttrHidden);
    W.Scanner.RescanFolder(NodePath(B), B);
    EXPECT_EQ(rootBefore.AttrUnion, Root->Record->AttrUnion);  // the root's hidden file
    EXPECT_EQ(FileTimeValue(rootBefore.LastWrite), FileTimeValue(Root->Record->LastWrite));
    EXPECT_EQ(FileTimeValue(rootBefore.LastAccess), FileTimeValue(Root->Record->LastAccess));
    EXPECT_EQ(7000u, FileTimeValue(Root->Record->LastWrite));
}

TEST_F(RescanTest, TheParentsOwnWasteStaysRightWhileAndAfterASubfolderIsRescanned) {
    const std::vector<int64_t> aBefore = OwnWasteOf(*A), rootBefore = OwnWasteOf(*Root);
    W.Files.AddFile("C:\\A\\B\\new1", 10000);
    W.Files.AddFile("C:\\A\\B\\C\\new2", 1);
    // The window stays live during the walk and may show A meanwhile.
    std::vector<std::vector<int64_t>> aDuring;
    W.Host.OnMessages = [&](const std::string&) { aDuring.push_back(OwnWasteOf(*A)); };
    W.Scanner.RescanFolder(NodePath(B), B);
    ASSERT_EQ(aDuring.size(), 2u);  // B and C
    EXPECT_EQ(aDuring[0], aBefore);
    EXPECT_EQ(aDuring[1], aBefore);
    EXPECT_EQ(OwnWasteOf(*A), aBefore);
    EXPECT_EQ(OwnWasteOf(*Root), rootBefore);
    B = FindChild(A, "B", false);
    EXPECT_EQ(OwnWasted(*B), SlackOf(4096, 5000) + SlackOf(4096, 10000));
    EXPECT_EQ(OwnWastedAt(*B, 1), SlackOf(512, 5000) + SlackOf(512, 10000));
}

TEST_F(RescanTest, AnAbortedRescanLeavesTheParentsOwnWasteAsItWas) {
    const std::vector<int64_t> aBefore = OwnWasteOf(*A);
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\A\\B\\C\\") AbortScan = true;
    };
    W.Scanner.RescanFolder("C:\\A\\B", B);
    ASSERT_EQ(B->Record, nullptr);
    EXPECT_EQ(OwnWasteOf(*A), aBefore);
}

TEST_F(RescanTest, UsesTheDriveRecordsClusterSize) {
    W.DriveRecords.Find('C')->ClusterSize = 512;
    W.Scanner.SetClusterSize(65536);
    W.Scanner.RescanFolder("C:\\A\\B\\", B);
    EXPECT_EQ(W.Scanner.ClusterSize(), 512);
    EXPECT_EQ(OwnWasted(*FindChild(A, "B", false)), SlackOf(512, 5000));
}

TEST_F(RescanTest, DeletedFolderIsRemovedAndSubtractedFromAncestors) {
    const TFolderSize rootBefore = *Root->Record;
    const TFolderSize bBefore = *B->Record;
    W.Files.Remove("C:\\A\\B");
    W.Scanner.RescanFolder("C:\\A\\B", B);
    EXPECT_EQ(FindChild(A, "B", false), nullptr);
    EXPECT_EQ(A->Record->OwnFolders, 0);
    EXPECT_EQ(OwnWasted(*A), SlackOf(4096, 1000));
    EXPECT_EQ(OwnWastedAt(*A, 7), SlackOf(65536, 1000));
    EXPECT_EQ(Root->Record->TreeSize, rootBefore.TreeSize - bBefore.TreeSize);
    EXPECT_EQ(Root->Record->TreeFolders, rootBefore.TreeFolders - bBefore.TreeFolders - 1);
    ExpectConsistent(*Root);
}

TEST_F(RescanTest, AbortedRescanDoesNotCountTheFolderTwice) {
    W.Files.AddFile("C:\\A\\B\\C\\extra", 50000);
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\A\\B\\C\\") AbortScan = true;
    };
    const TFolderSize rootBefore = *Root->Record;
    const TFolderSize bBefore = *B->Record;
    W.Scanner.RescanFolder("C:\\A\\B", B);
    EXPECT_EQ(B->Record, nullptr);
    ASSERT_NE(A->Record, nullptr);
    // The ancestors keep B as a folder but no longer count what was below it.
    EXPECT_EQ(Root->Record->TreeSize, rootBefore.TreeSize - bBefore.TreeSize);
    EXPECT_EQ(Root->Record->TreeFiles, rootBefore.TreeFiles - bBefore.TreeFiles);
    EXPECT_EQ(Root->Record->TreeFolders, rootBefore.TreeFolders - bBefore.TreeFolders);
    EXPECT_EQ(A->Record->TreeSize, A->Record->OwnSize);
    EXPECT_EQ(A->Record->OwnFolders, 1);
}

TEST_F(RescanTest, RescanAfterAnAbortedRescanRestoresTheTotalsOfAFreshScan) {
    W.Files.AddFile("C:\\A\\B\\C\\extra", 50000);
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\A\\B\\C\\") AbortScan = true;
    };
    W.Scanner.RescanFolder("C:\\A\\B", B);
    ASSERT_EQ(B->Record, nullptr);
    W.Host.OnMessages = nullptr;

    W.Scanner.RescanFolder("C:\\A\\B", B);  // no old record this time
    ASSERT_NE(B->Record, nullptr);
    W.Scanner.RescanFolder("C:\\A", A);  // and once more from above: nothing is counted twice

    TScanWorld fresh;
    fresh.Files = W.Files;
    const TFolderNode* freshRoot = fresh.ScanDriveC();
    const TFolderSize& want = *freshRoot->Record;
    const TFolderSize& got = *Root->Record;
    EXPECT_EQ(got.TreeSize, want.TreeSize);
    EXPECT_EQ(got.TreeWasted, want.TreeWasted);
    EXPECT_EQ(got.TreeFiles, want.TreeFiles);
    EXPECT_EQ(got.TreeFolders, want.TreeFolders);
    for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(got.TreeWastedAt[k], want.TreeWastedAt[k]) << k;
    ExpectConsistent(*Root);
}

TEST_F(RescanTest, RescanOfAFolderWhoseDriveScanWasAbortedAddsNothingAbove) {
    // An aborted drive scan leaves the whole chain without records: the
    // ancestors have no totals that a later rescan could add to.
    W.Files.AddFile("C:\\Z\\z1", 10);
    W.Host.OnMessages = [](const std::string& folder) {
        if (folder == "C:\\Other\\") AbortScan = true;
    };
    W.Tree.DeleteNode(Root);
    W.DriveRecords.Remove('C');
    Root = W.ScanDriveC();
    W.Host.OnMessages = nullptr;
    ASSERT_EQ(Root->Record, nullptr);
    TFolderNode* other = FindChild(Root, "Other", false);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(W.Scanner.RescanFolder("C:\\Other", other));
    EXPECT_EQ(other->Record->TreeSize, 300);
    EXPECT_EQ(Root->Record, nullptr);
}

TEST_F(RescanTest, RescanOfTheDriveRootNeverRemovesIt) {
    W.Files.Remove("C:\\A");
    W.Scanner.RescanFolder("C:\\", Root);
    ASSERT_EQ(W.Tree.Roots().size(), 1u);
    EXPECT_EQ(FindChild(Root, "A", false), nullptr);
    EXPECT_EQ(Root->Record->TreeSize, 400);
}

}  // namespace
