#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainFormTestSupport.h"
#include "main/win32/FolderTreeView.h"
#include "main/win32/ScanCommands.h"
#include "ScanTestSupport.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/FakeDriveInfo.h"
#include "platform/win32/Win32NameOrder.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"

namespace {

// Answers every icon request with a fixed index and counts the requests.
class TCountingIcons : public TNamedShellInfo {
public:
    int GetShellIconIndex(const std::string& path, bool open) override {
        Asked.push_back(path + (open ? " open" : ""));
        return open ? 8 : 7;
    }
    std::vector<std::string> Asked;
};

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[300] = {};
    TVITEMW data = {};
    data.mask = TVIF_TEXT | TVIF_HANDLE;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = 300;
    SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(&data));
    return buffer;
}

std::vector<HTREEITEM> ChildItems(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> items;
    HTREEITEM item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, LPARAM(parent)));
    for (; item; item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(item)))) items.push_back(item);
    return items;
}

// The items below `parent` carry the same nodes, texts and order as the
// model's children (or roots).
template <class TNodeList>
void ExpectMirrors(HWND tree, HTREEITEM parent, const TNodeList& nodes) {
    const std::vector<HTREEITEM> items = ChildItems(tree, parent);
    ASSERT_EQ(items.size(), nodes.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(nodes[i]->ViewItem, items[i]);
        EXPECT_EQ(TFolderTreeView::NodeOf(tree, items[i]), nodes[i].get());
        EXPECT_EQ(ItemText(tree, items[i]), Widen(std::string(nodes[i]->Text())));
        ExpectMirrors(tree, items[i], nodes[i]->Children);
    }
}

class ScanCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        AbortScan = false;
        // The same folders on C: and D:, in memory.
        for (const std::string s : {"C:\\", "D:\\"}) {
            Main.Files.AddFolder(s + "beta");
            Main.Files.AddFolder(s + "Alpha");
            Main.Files.AddFolder(s + "GAMMA\\inner");
            Main.Files.AddFile(s + "beta\\one.txt", 100);
            Main.Files.AddFile(s + "GAMMA\\inner\\two.txt", 3000);
            Main.Files.AddFile(s + "top.txt", 10);
            Directory.AddFolder(s);
        }
        Main.Parts.Scan = &Commands;
        Main.Start();
        ASSERT_TRUE(Main.Created);
        Commands.Attach(*Main.Form);
    }
    TDriveRecInfo* FindDriveRecord(char letter) { return Commands.DriveRecords().Find(letter); }

    // Scans drive C into a root of its own, without a drive record.
    TFolderNode* ScanDriveC() {
        TFolderNode* root = Commands.Tree().AddRoot("Temp", 'C');
        Commands.Scanner().ScanFolder("C:\\", *root);
        return root;
    }

    // A scanned drive as a finished scan leaves it: root, record and letter.
    TFolderNode* AddScannedDrive(char letter) {
        TFolderNode* root = Commands.Tree().AddRoot(std::string("Drive ") + letter, letter);
        Commands.Scanner().ScanFolder(std::string(1, letter) + ":\\", *root);
        Commands.DriveRecords().Add(letter)->RootNode = root;
        Main.Form->State().ScannedDrives.Append(letter);
        Main.Form->SetScanning(false);
        return root;
    }

    void SelectItem(TFolderNode& node) {
        SendMessageW(TreeWindow(), TVM_SELECTITEM, TVGN_CARET, LPARAM(node.ViewItem));
        Main.Form->State().CurrentNode = &node;
    }

    bool IsExpanded(const TFolderNode& node) const {
        return SendMessageW(TreeWindow(), TVM_GETITEMSTATE, WPARAM(node.ViewItem), TVIS_EXPANDED) & TVIS_EXPANDED;
    }

    std::wstring Caption() const { return TMainFormFixture::Text(Main.Form->Handle()); }
    std::wstring NotScannedText() const { return TMainFormFixture::Text(Main.Control(idNotReadyMemo)); }

    HWND TreeWindow() const { return Main.Form->FolderTree(); }

    TMainFormFixture Main;
    TFakeDriveInfo Drives;
    TCountingIcons Icons;
    TFakeCurrentDirectory Directory;
    TWin32NameOrder NameOrder;
    TFixedLocale Locale;
    TScriptedFolderBrowser Browser;
    TRecordingContextMenus Menus;
    TScanCommands Commands{
        {Main.Files, Drives, Icons, Directory, Main.Boxes, NameOrder, Locale, Browser, Menus.Function(), {}, {}}};
};

TEST_F(ScanCommandsTest, ScannedFoldersAppearInTheModelsSortedOrder) {
    TFolderNode* root = ScanDriveC();
    ASSERT_TRUE(root->Record);
    ASSERT_EQ(root->Children.size(), 3u);
    EXPECT_EQ(root->Children[0]->Text(), "Alpha");
    EXPECT_EQ(root->Children[1]->Text(), "beta");   // lower-case names keep their spelling
    EXPECT_EQ(root->Children[2]->Text(), "Gamma");  // a short name in capitals is softened
    ExpectMirrors(TreeWindow(), nullptr, Commands.Tree().Roots());
}

TEST_F(ScanCommandsTest, DeletingANodeRemovesItsItemWithEverythingBelow) {
    TFolderNode* root = ScanDriveC();
    const size_t before = size_t(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0));
    Commands.Tree().DeleteNode(root->Children[2].get());  // gamma with inner
    EXPECT_EQ(size_t(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0)), before - 2);
    ExpectMirrors(TreeWindow(), nullptr, Commands.Tree().Roots());
    Commands.Tree().DeleteNode(root);
    EXPECT_EQ(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(ScanCommandsTest, IconsAreAskedOnceWhenFirstNeeded) {
    TFolderNode* root = ScanDriveC();
    TFolderNode* beta = root->Children[1].get();
    TVITEMW data = {};
    data.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    data.hItem = HTREEITEM(beta->ViewItem);
    SendMessageW(TreeWindow(), TVM_GETITEMW, 0, LPARAM(&data));
    EXPECT_EQ(data.iImage, 7);
    EXPECT_EQ(data.iSelectedImage, 8);
    const size_t asked = Icons.Asked.size();
    SendMessageW(TreeWindow(), TVM_GETITEMW, 0, LPARAM(&data));
    EXPECT_EQ(Icons.Asked.size(), asked);
    EXPECT_EQ(data.iImage, 7);
}

TEST_F(ScanCommandsTest, SelectedNodeFollowsTheTreeSelection) {
    TFolderNode* root = ScanDriveC();
    EXPECT_EQ(Main.Parts.Scan->SelectedNode(), nullptr);
    SendMessageW(TreeWindow(), TVM_SELECTITEM, TVGN_CARET, LPARAM(root->Children[0]->ViewItem));
    EXPECT_EQ(Main.Parts.Scan->SelectedNode(), root->Children[0].get());
}

TEST_F(ScanCommandsTest, CancelledReadinessPromptScansNothing) {
    Main.Boxes.Answer(TMsgResult::Cancel);
    Main.Parts.Scan->ScanOrRescanDrive("qNo Disk (Q:)");
    EXPECT_EQ(Directory.Attempts, std::vector<std::string>{"Q:\\"});
    EXPECT_TRUE(Commands.Tree().Roots().empty());
    EXPECT_TRUE(Main.Form->State().ScannedDrives.Letters().empty());
    EXPECT_EQ(FindDriveRecord('Q'), nullptr);
}

TEST_F(ScanCommandsTest, RemoveAllDrivesEmptiesTheTreeAndResetsTheView) {
    AddScannedDrive('C');
    TFolderNode* d = AddScannedDrive('D');
    SelectItem(*d->Children[1]);
    SetWindowTextW(Main.Form->Handle(), L"Quarrymap 2000 - D:\\Beta");
    Main.Form->State().CurrentPath = "D:\\Beta";
    ASSERT_TRUE(Main.Form->IsCommandEnabled(cmdFileRemove));

    Main.Form->ExecuteCommand(cmdFileRemoveAllDrives);
    Main.Pump();

    EXPECT_TRUE(Commands.Tree().Roots().empty());
    EXPECT_EQ(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(Main.Form->State().ScannedDrives.Letters().empty());
    EXPECT_TRUE(Commands.DriveRecords().Items().empty());
    EXPECT_EQ(Main.Form->State().CurrentNode, nullptr);
    EXPECT_TRUE(Main.Form->State().CurrentPath.empty());
    EXPECT_EQ(Caption(), L"Quarrymap 2000");
    EXPECT_EQ(NotScannedText().rfind(L"No drives have been scanned.", 0), 0u) << NotScannedText();
    EXPECT_FALSE(Main.Form->IsCommandEnabled(cmdFileRemove));
    EXPECT_FALSE(Main.Form->IsCommandEnabled(cmdFileRescan));
    EXPECT_FALSE(Main.Form->IsCommandEnabled(cmdFileRescanCurrentDirectory));
}

TEST_F(ScanCommandsTest, RemoveCurrentDriveKeepsTheOtherDrives) {
    TFolderNode* c = AddScannedDrive('C');
    TFolderNode* d = AddScannedDrive('D');
    SelectItem(*d->Children[0]);
    Main.Form->State().CurrentDrive = 'D';

    Main.Form->ExecuteCommand(cmdFileRemoveCurrentDrive);
    Main.Pump();

    ASSERT_EQ(Commands.Tree().Roots().size(), 1u);
    EXPECT_EQ(Commands.Tree().Roots().front().get(), c);
    ExpectMirrors(TreeWindow(), nullptr, Commands.Tree().Roots());
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    EXPECT_EQ(FindDriveRecord('D'), nullptr);
    ASSERT_NE(FindDriveRecord('C'), nullptr);
    EXPECT_EQ(FindDriveRecord('C')->RootNode, c);
    // Nothing of drive D may stay current.
    TFolderNode* current = Main.Form->State().CurrentNode;
    EXPECT_TRUE(current == nullptr || RootOf(current) == c);
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFileRemove));
}

TEST_F(ScanCommandsTest, RemoveCurrentDriveBeforeAnySelectionDoesNothing) {
    AddScannedDrive('C');
    Main.Form->ExecuteCommand(cmdFileRemoveCurrentDrive);
    EXPECT_EQ(Commands.Tree().Roots().size(), 1u);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    EXPECT_NE(FindDriveRecord('C'), nullptr);
}

TEST_F(ScanCommandsTest, RemovingIsIgnoredWhileScanning) {
    AddScannedDrive('C');
    Main.Form->State().CurrentDrive = 'C';
    Main.Form->State().Scanning = true;
    Commands.RemoveDrive('C');
    Commands.RemoveAllDrives();
    EXPECT_EQ(Commands.Tree().Roots().size(), 1u);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    Main.Form->State().Scanning = false;
}

TEST_F(ScanCommandsTest, LevelUpCollapsesTheFolderAndSelectsItsParent) {
    TFolderNode* root = AddScannedDrive('C');
    TFolderNode* gamma = root->Children[2].get();
    SendMessageW(TreeWindow(), TVM_EXPAND, TVE_EXPAND, LPARAM(root->ViewItem));
    SendMessageW(TreeWindow(), TVM_EXPAND, TVE_EXPAND, LPARAM(gamma->ViewItem));
    SelectItem(*gamma);
    ASSERT_TRUE(IsExpanded(*gamma));
    Main.Form->SetCommandEnabled(toolLevelUp, true);

    Main.Form->ExecuteCommand(toolLevelUp);

    EXPECT_EQ(Commands.SelectedNode(), root);
    EXPECT_FALSE(IsExpanded(*gamma));
}

TEST_F(ScanCommandsTest, LevelUpOnADriveRootKeepsTheSelection) {
    TFolderNode* root = AddScannedDrive('C');
    SelectItem(*root);
    Main.Form->SetCommandEnabled(toolLevelUp, true);
    Main.Form->ExecuteCommand(toolLevelUp);
    EXPECT_EQ(Commands.SelectedNode(), root);
}

// The view hooks the tree only while it lives, and answers only the tree's
// own notifications.
TEST(FolderTreeViewTest, GivesTheTreeItsProcedureBackAndIgnoresOtherWindows) {
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND tree =
        CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, frame, nullptr, nullptr, nullptr);
    ASSERT_TRUE(tree);
    const LONG_PTR original = GetWindowLongPtrW(tree, GWLP_WNDPROC);
    TCountingIcons icons;
    {
        TFolderTreeView view(tree, icons);
        EXPECT_NE(GetWindowLongPtrW(tree, GWLP_WNDPROC), original);
        TFolderTree model;
        model.SetObserver(&view);
        TFolderNode* root = model.AddRoot("C:", 'C');
        model.AddChild(*root, "b");
        model.AddChild(*root, "a");
        model.SortChildren(*root, TWordSortOrder());
        ExpectMirrors(tree, nullptr, model.Roots());

        NMTVDISPINFOW request = {};
        request.hdr.hwndFrom = frame;
        request.hdr.code = TVN_GETDISPINFOW;
        request.item.mask = TVIF_IMAGE;
        request.item.lParam = LPARAM(root);
        LRESULT result = 0;
        EXPECT_FALSE(view.HandleNotify(request.hdr, result));
        request.hdr.hwndFrom = tree;
        EXPECT_TRUE(view.HandleNotify(request.hdr, result));
        EXPECT_EQ(request.item.iImage, 7);
        model.SetObserver(nullptr);
    }
    EXPECT_EQ(GetWindowLongPtrW(tree, GWLP_WNDPROC), original);
    EXPECT_EQ(GetWindowLongPtrW(tree, GWLP_USERDATA), 0);
    DestroyWindow(frame);
}

}  // namespace
