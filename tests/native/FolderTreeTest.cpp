#include <gtest/gtest.h>

#include "platform/memory/MemoryFileSystem.h"
#include "scan/DriveRecords.h"
#include "scan/FolderNames.h"
#include "scan/FolderTree.h"
#include "scan/NameOrder.h"
#include "scan/TextUtils.h"

namespace {

class TEventLog : public ITreeObserver {
public:
    void NodeAdded(TFolderNode& node) override { Events.push_back("add " + std::string(node.Text())); }
    void ChildrenSorted(TFolderNode& parent) override { Events.push_back("sort " + std::string(parent.Text())); }
    void NodeDeleting(TFolderNode& node) override { Events.push_back("delete " + std::string(node.Text())); }
    // The deleted node is out of its parent by now: count what is left there.
    void NodeDeleted() override {
        Events.push_back("deleted, " + std::to_string(Watched ? Watched->Children.size() : 0) + " left");
    }
    std::vector<std::string> Events;
    const TFolderNode* Watched = nullptr;
};

std::unique_ptr<TFolderSize> RecordOf(int64_t ownSize, int32_t ownFiles) {
    auto r = std::make_unique<TFolderSize>();
    r->OwnSize = r->TreeSize = ownSize;
    r->OwnFiles = r->TreeFiles = ownFiles;
    r->TreeWasted = ownFiles * 100;
    for (int k = 1; k <= kClusterSizeCount; ++k) r->TreeWastedAt[k] = ownFiles * k;
    return r;
}

// Adds a child's tree totals into its parent, as the scanner does.
void Merge(TFolderNode& parent, const TFolderNode& child) {
    TFolderSize& p = *parent.Record;
    const TFolderSize& c = *child.Record;
    p.OwnFolders += 1;
    p.TreeFolders += c.TreeFolders + 1;
    p.TreeSize += c.TreeSize;
    p.TreeFiles += c.TreeFiles;
    p.TreeWasted += c.TreeWasted;
    for (int k = 1; k <= kClusterSizeCount; ++k) p.TreeWastedAt[k] += c.TreeWastedAt[k];
    TakeLaterTime(p.LastWrite, c.LastWrite);
    p.AttrUnion |= c.AttrUnion;
}

// C:\ > Windows > System, C:\ > Data; every node scanned.
class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Tree.SetObserver(&Log);
        Root = Tree.AddRoot("Local Disk (C:)", 'C');
        Windows = Tree.AddChild(*Root, "Windows");
        System = Tree.AddChild(*Windows, "System");
        Data = Tree.AddChild(*Root, "Data");
        System->Record = RecordOf(5000, 5);
        System->Record->LastWrite = MakeFileTime(900);
        System->Record->AttrUnion = 0x4;
        Windows->Record = RecordOf(1000, 1);
        Data->Record = RecordOf(70, 2);
        Data->Record->LastWrite = MakeFileTime(300);
        Root->Record = RecordOf(10, 1);
        Merge(*Windows, *System);
        Merge(*Root, *Windows);
        Merge(*Root, *Data);
    }

    TEventLog Log;
    TFolderTree Tree;
    TFolderNode* Root = nullptr;
    TFolderNode* Windows = nullptr;
    TFolderNode* System = nullptr;
    TFolderNode* Data = nullptr;
};

TEST_F(FolderTreeTest, PathsOfRootsAndFolders) {
    EXPECT_EQ(NodePath(Root), "C:\\");
    EXPECT_EQ(NodePath(Windows), "C:\\Windows");
    EXPECT_EQ(NodePath(System), "C:\\Windows\\System");
    EXPECT_EQ(NodePath(nullptr), "");
    EXPECT_EQ(RootOf(System), Root);
    EXPECT_EQ(RootOf(Root), Root);
    EXPECT_EQ(RootOf(nullptr), nullptr);
}

TEST_F(FolderTreeTest, FindingNodesByNameAndPath) {
    EXPECT_EQ(FindNodeByPath(Root, "windows\\system", false), System);
    EXPECT_EQ(FindNodeByPath(Root, "windows\\system", true), nullptr);
    EXPECT_EQ(FindNodeByPath(Root, "Windows\\System", true), System);
    EXPECT_EQ(FindNodeByPath(Root, "Windows\\", false), Windows);
    EXPECT_EQ(FindNodeByPath(Root, "", false), Root);
    EXPECT_EQ(FindNodeByPath(nullptr, "Windows", false), nullptr);
    EXPECT_EQ(FindNodeByPath(Root, "Windows\\Nope", false), nullptr);
    EXPECT_EQ(FindChild(Root, "DATA", false), Data);
    EXPECT_EQ(FindChild(Root, "data", true), nullptr);
}

TEST_F(FolderTreeTest, NamesOfAnyLengthAndScriptKeepEveryByte) {
    const std::string longName(255, 'x');
    const std::string greek =
        "\xCE\x91\xCF\x81\xCF\x87\xCE\xB5\xCE\xAF\xCE\xB1 "
        "\xCE\xBA\xCE\xB5\xCE\xAF\xCE\xBC\xCE\xB5\xCE\xBD\xCE\xBF\xCF\x85";
    TFolderNode* empty = Tree.AddChild(*Data, "");
    TFolderNode* longest = Tree.AddChild(*Data, longName);
    TFolderNode* nonAscii = Tree.AddChild(*longest, greek);
    EXPECT_EQ(empty->Text(), "");
    EXPECT_EQ(longest->Text(), longName);
    EXPECT_EQ(nonAscii->Text(), greek);
    EXPECT_EQ(NodePath(nonAscii), "C:\\Data\\" + longName + "\\" + greek);
    EXPECT_EQ(FindNodeByPath(Root, "data\\" + longName + "\\" + greek, false), nonAscii);
    Tree.DeleteNode(empty);  // the others' texts do not move with it
    EXPECT_EQ(Data->Children.back()->Text(), longName);
}

TEST(CompactVector, KeepsOrderThroughGrowthErasureAndShrinking) {
    TCompactVector<std::unique_ptr<int>> list;
    for (int i = 0; i < 5; ++i) list.push_back(std::make_unique<int>(i));
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list.capacity(), 8u);
    list.ShrinkToFit();
    EXPECT_EQ(list.capacity(), 5u);
    int* second = list[1].get();
    EXPECT_EQ(list.erase(list.begin() + 1), list.begin() + 1);
    std::vector<int> left;
    for (const auto& item : list) left.push_back(*item);
    EXPECT_EQ(left, (std::vector<int>{0, 2, 3, 4}));
    EXPECT_NE(list[1].get(), second);
    list.push_back(std::make_unique<int>(5));  // fits the room the erasure left
    EXPECT_EQ(list.capacity(), 5u);
    list.push_back(std::make_unique<int>(6));
    EXPECT_EQ(list.capacity(), 10u);
    EXPECT_EQ(*list.back(), 6);
    EXPECT_EQ(**list.rbegin(), 6);
    TCompactVector<std::unique_ptr<int>> moved = std::move(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(moved.size(), 6u);
    moved.clear();
    EXPECT_EQ(moved.capacity(), 0u);
}

TEST_F(FolderTreeTest, CaseFoldingTouchesOnlyAsciiLetters) {
    TFolderNode* umlaut = Tree.AddChild(*Root, "\xC3\x84rger");  // "Ärger" in UTF-8
    EXPECT_EQ(FindChild(Root, "\xC3\x84RGER", false), umlaut);
    EXPECT_EQ(FindChild(Root, "\xC3\xA4rger", false), nullptr);  // "ärger": not an a-z letter
}

TEST_F(FolderTreeTest, ObserverSeesAddsSortsAndDeletes) {
    Tree.AddChild(*Data, "b");
    Tree.AddChild(*Data, "a");
    Tree.SortChildren(*Data, TWordSortOrder());
    EXPECT_EQ(Data->Children[0]->Text(), "a");
    Log.Watched = Root;
    Tree.DeleteNode(Data);
    const std::vector<std::string> tail(Log.Events.end() - 5, Log.Events.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"add b", "add a", "sort Data", "delete Data", "deleted, 1 left"}));
    EXPECT_EQ(Root->Children.size(), 1u);
}

TEST_F(FolderTreeTest, SortingChildrenAlreadyInOrderTellsNoObserver) {
    Tree.AddChild(*Data, "a");
    Tree.AddChild(*Data, "B");
    Tree.AddChild(*Data, "c");
    const size_t before = Log.Events.size();
    Tree.SortChildren(*Data, TWordSortOrder());
    EXPECT_EQ(Log.Events.size(), before);
    EXPECT_EQ(Data->Children[1]->Text(), "B");
}

TEST_F(FolderTreeTest, FreeRecordsBelowOrIncludingTheNode) {
    FreeRecords(*Root, false);
    EXPECT_NE(Root->Record, nullptr);
    EXPECT_EQ(Windows->Record, nullptr);
    EXPECT_EQ(System->Record, nullptr);
    FreeRecords(*Root, true);
    EXPECT_EQ(Root->Record, nullptr);
}

TEST_F(FolderTreeTest, RefreshTimesUsesDirectChildrenAndOwnFilesOnly) {
    Root->Record->AttrUnion = 0xFFFF;
    Root->Record->LastWrite = MakeFileTime(99999);
    RefreshTimesFromChildren(*Root);
    EXPECT_EQ(FileTimeValue(Root->Record->LastWrite), 900u);  // from Windows, which took System's
    EXPECT_EQ(Root->Record->AttrUnion, 0x4u);
    Windows->Record.reset();  // children without a record are skipped
    RefreshTimesFromChildren(*Root);
    EXPECT_EQ(FileTimeValue(Root->Record->LastWrite), 300u);
    EXPECT_EQ(Root->Record->AttrUnion, 0u);
    // The folder's own files count as well: a hidden file of the root and
    // its later write stay after the refresh.
    Root->Record->OwnAttrUnion = 0x2;
    Root->Record->OwnLastWrite = MakeFileTime(500);
    RefreshTimesFromChildren(*Root);
    EXPECT_EQ(FileTimeValue(Root->Record->LastWrite), 500u);
    EXPECT_EQ(Root->Record->AttrUnion, 0x2u);
}

TEST_F(FolderTreeTest, OwnWasteIsWhatTheSubfoldersLeaveOfTheTotals) {
    EXPECT_EQ(OwnWasted(*Root), 100);
    EXPECT_EQ(OwnWasted(*Windows), 100);
    EXPECT_EQ(OwnWasted(*System), 500);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        EXPECT_EQ(OwnWastedAt(*Root, k), k);
        EXPECT_EQ(OwnWastedAt(*Data, k), 2 * k);
    }
}

TEST_F(FolderTreeTest, RemovingAFolderSubtractsExactlyItsTotals) {
    const TFolderSize rootBefore = *Root->Record;
    const TFolderSize systemRecord = *System->Record;
    RemoveTotals(Windows, System, systemRecord.TreeFolders + 1, systemRecord.TreeFiles, systemRecord.TreeWasted,
                 systemRecord.TreeSize);
    FreeRecords(*System, true);
    Tree.DeleteNode(System);

    EXPECT_EQ(Windows->Record->OwnFolders, 0);
    // The own waste of the folders above stays as it was.
    EXPECT_EQ(OwnWasted(*Windows), 100);
    EXPECT_EQ(OwnWasted(*Root), 100);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        EXPECT_EQ(OwnWastedAt(*Windows, k), k);
        EXPECT_EQ(OwnWastedAt(*Root, k), k);
    }
    EXPECT_EQ(Windows->Record->TreeSize, Windows->Record->OwnSize);
    EXPECT_EQ(Windows->Record->TreeFolders, 0);
    EXPECT_EQ(Root->Record->TreeSize, rootBefore.TreeSize - 5000);
    EXPECT_EQ(Root->Record->TreeFolders, rootBefore.TreeFolders - 1);
    EXPECT_EQ(Root->Record->TreeFiles, rootBefore.TreeFiles - 5);
    for (int k = 1; k <= kClusterSizeCount; ++k)
        EXPECT_EQ(Root->Record->TreeWastedAt[k], rootBefore.TreeWastedAt[k] - 5 * k);
    // The removed folder's times and attributes went with it.
    EXPECT_EQ(Windows->Record->AttrUnion, 0u);
    EXPECT_EQ(FileTimeValue(Windows->Record->LastWrite), 0u);
    EXPECT_EQ(FileTimeValue(Root->Record->LastWrite), 300u);
}

TEST_F(FolderTreeTest, RemovingAFileAdjustsOwnAndTreeValues) {
    const TFolderSize before = *Data->Record;
    const TFolderSize rootBefore = *Root->Record;
    const int64_t ownWastedBefore = OwnWasted(*Data), ownWasted512Before = OwnWastedAt(*Data, 1);
    const int64_t rootOwnWastedBefore = OwnWasted(*Root), rootOwnWasted512Before = OwnWastedAt(*Root, 1);
    RemoveTotals(Data, nullptr, 0, 1, SlackOf(4096, 70), 70);
    EXPECT_EQ(Data->Record->OwnFiles, before.OwnFiles - 1);
    EXPECT_EQ(Data->Record->OwnSize, 0);
    EXPECT_EQ(OwnWasted(*Data), ownWastedBefore - SlackOf(4096, 70));
    EXPECT_EQ(OwnWastedAt(*Data, 1), ownWasted512Before - SlackOf(512, 70));
    EXPECT_EQ(OwnWasted(*Root), rootOwnWastedBefore);
    EXPECT_EQ(OwnWastedAt(*Root, 1), rootOwnWasted512Before);
    EXPECT_EQ(Root->Record->TreeWasted, rootBefore.TreeWasted - SlackOf(4096, 70));
    EXPECT_EQ(Root->Record->TreeWastedAt[7], rootBefore.TreeWastedAt[7] - SlackOf(65536, 70));
    EXPECT_EQ(Root->Record->OwnFiles, rootBefore.OwnFiles);
}

TEST_F(FolderTreeTest, RemoveTotalsStopsAtTheFirstAncestorWithoutRecord) {
    Windows->Record.reset();
    const int64_t rootSize = Root->Record->TreeSize;
    RemoveTotals(System, nullptr, 0, 1, 0, 100);
    EXPECT_EQ(System->Record->TreeSize, 4900);
    EXPECT_EQ(Root->Record->TreeSize, rootSize);
    RemoveTotals(nullptr, nullptr, 0, 1, 0, 100);  // no start node: nothing to do
}

TEST_F(FolderTreeTest, RemoveVanishedFolderOnlyWhenItIsGone) {
    TMemoryFileSystem files;
    files.AddFolder("C:\\Windows\\System");
    EXPECT_FALSE(RemoveVanishedFolder(Tree, files, "C:\\Windows\\System", System));
    EXPECT_FALSE(RemoveVanishedFolder(Tree, files, "C:\\", Root));  // never a drive root
    EXPECT_FALSE(RemoveVanishedFolder(Tree, files, "C:\\Gone", nullptr));

    const int64_t rootSize = Root->Record->TreeSize;
    EXPECT_TRUE(RemoveVanishedFolder(Tree, files, "C:\\Data", Data));
    EXPECT_EQ(FindChild(Root, "Data", false), nullptr);
    EXPECT_EQ(Root->Record->TreeSize, rootSize - 70);
    EXPECT_EQ(Root->Record->OwnFolders, 1);
    EXPECT_EQ(Log.Events.end()[-2], "delete Data");
}

TEST_F(FolderTreeTest, NothingVanishesFromADriveThatIsNotThere) {
    TMemoryFileSystem files;
    files.AddFolder("C:\\Windows");   // System and Data are gone ...
    files.SetDriveReady('C', false);  // ... or so it seems: the drive is
    EXPECT_FALSE(HasVanished(files, "C:\\Windows\\System"));
    EXPECT_FALSE(RemoveVanishedFolder(Tree, files, "C:\\Windows\\System", System));
    EXPECT_FALSE(RemoveVanishedFolder(Tree, files, "C:\\Data", Data));
    EXPECT_EQ(FindChild(Root, "Data", false), Data);
    EXPECT_EQ(FindNodeByPath(Root, "Windows\\System", false), System);

    files.SetDriveReady('C', true);
    EXPECT_TRUE(HasVanished(files, "C:\\Windows\\System"));
    EXPECT_FALSE(HasVanished(files, "C:\\Windows"));
    EXPECT_FALSE(HasVanished(files, "C:\\"));
    EXPECT_FALSE(HasVanished(files, "E:\\Windows"));  // no such drive at all
    EXPECT_FALSE(HasVanished(files, "Windows"));      // not a full path
}

TEST_F(FolderTreeTest, CaseSensitiveSearchFindsCapitalisedShortNamesByTheirStoredSpelling) {
    TFolderNode* docs = Tree.AddChild(*Root, "Docs.old");  // shown for DOCS.OLD
    TFolderNode* photos = Tree.AddChild(*Root, "My Photos");
    EXPECT_EQ(FindChild(Root, "WINDOWS", true), Windows);
    EXPECT_EQ(FindNodeByPath(Root, "WINDOWS\\SYSTEM", true), System);
    EXPECT_EQ(FindChild(Root, "DOCS.OLD", true), docs);
    EXPECT_EQ(FindChild(Root, "Docs.old", true), docs);
    EXPECT_EQ(FindChild(Root, "MY PHOTOS", true), nullptr);  // never shown other than as listed
    EXPECT_EQ(FindChild(Root, "My Photos", true), photos);
    EXPECT_EQ(FindChild(Root, "windows", true), nullptr);
    // An exact spelling wins over a capitalised one.
    TFolderNode* capitals = Tree.AddChild(*Root, "DATA");
    EXPECT_EQ(FindChild(Root, "DATA", true), capitals);
}

TEST(FolderNames, ShortNamesAndTheirDisplaySpelling) {
    for (const char* valid : {"WINDOWS", "A", "12345678", "README.TXT", "X.Y", "$RECYCLE", "A-B_C~1", "(1)"})
        EXPECT_TRUE(IsValidShortName(valid)) << valid;
    for (const char* invalid :
         {"", "123456789", "A.BCDE", ".GIT", "A.", "A.B.C", "MY PHOTOS", "A+B", "A[1]", "\xC3\x84RGER"})
        EXPECT_FALSE(IsValidShortName(invalid)) << invalid;

    EXPECT_EQ(FolderDisplayName("WINDOWS", ""), "Windows");
    EXPECT_EQ(FolderDisplayName("1STPLACE", ""), "1stplace");
    EXPECT_EQ(FolderDisplayName("DOCS.OLD", ""), "Docs.old");
    EXPECT_EQ(FolderDisplayName("WINDOWS", "WINDOWS~1"), "WINDOWS");  // has a short name of its own
    for (const char* kept : {"src", "AppData", "My Photos", "MY PHOTOS", "PROGRAM FILES", "LONGFOLDERNAME", "Src"})
        EXPECT_EQ(FolderDisplayName(kept, ""), kept);
}

TEST(FolderTree, VeryDeepTreesAreDestroyedWithoutRecursion) {
    auto tree = std::make_unique<TFolderTree>();
    TFolderNode* node = tree->AddRoot("deep", 'D');
    for (int i = 0; i < 200000; ++i) node = tree->AddChild(*node, "d");
    node->Record = std::make_unique<TFolderSize>();
    FreeRecords(*tree->Roots()[0], true);
    EXPECT_EQ(node->Record, nullptr);
    tree.reset();  // would overflow the stack if destruction recursed
}

TEST(DriveRecords, OneRecordPerLetterInScanOrder) {
    TDriveList list;
    TDriveRecInfo* d = list.Add('d');
    TDriveRecInfo* c = list.Add('C');
    EXPECT_EQ(d->Letter, 'D');
    EXPECT_EQ(d->ClusterSize, 0);
    EXPECT_EQ(d->RootNode, nullptr);
    EXPECT_EQ(list.Find('c'), c);
    EXPECT_EQ(list.Find('E'), nullptr);
    list.Remove('D');
    ASSERT_EQ(list.Items().size(), 1u);
    EXPECT_EQ(list.Items()[0].get(), c);
}

TEST(DriveRecords, ScannedDrivesKeepStartOrderWithoutRepeats) {
    TScannedDrives drives;
    drives.Append('C');
    drives.Append('e');
    drives.Append('C');
    EXPECT_EQ(drives.Letters(), "CE");
    drives.Remove('c');
    EXPECT_EQ(drives.Letters(), "E");
    EXPECT_FALSE(drives.Contains('C'));
}

TEST(NameOrder, BehavesLikeTheWindowsWordSort) {
    const TWordSortOrder order;
    auto CompareNamesLikeWindows = [&order](const std::string& a, const std::string& b) { return order.Compare(a, b); };
    EXPECT_GT(CompareNamesLikeWindows("a-b", "ab"), 0);
    EXPECT_LT(CompareNamesLikeWindows("src", "Src"), 0);
    EXPECT_LT(CompareNamesLikeWindows("Alpha", "beta"), 0);  // case only breaks ties
    EXPECT_LT(CompareNamesLikeWindows("_x", "1x"), 0);       // symbols before digits
    EXPECT_LT(CompareNamesLikeWindows("9", "a"), 0);         // digits before letters
    EXPECT_LT(CompareNamesLikeWindows("ab", "abc"), 0);
    EXPECT_EQ(CompareNamesLikeWindows("Same", "Same"), 0);
}

TEST(TextUtils, TruncationNeverSplitsACharacter) {
    EXPECT_EQ(TruncateUtf8("abcdef", 3), "abc");
    EXPECT_EQ(TruncateUtf8("ab", 3), "ab");
    EXPECT_EQ(TruncateUtf8("\xC3\x84\xC3\x84\xC3\x84", 2), "\xC3\x84\xC3\x84");
    EXPECT_EQ(AsciiLower("WINDOWS \xC3\x84"), "windows \xC3\x84");
}

}  // namespace
