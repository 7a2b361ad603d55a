#pragma once
// The main window with the scan commands attached, on drives that live in
// memory, so that every folder can be changed behind the program's back.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MainFormTestSupport.h"
#include "ScanTestSupport.h"
#include "controls/win32/DrivesSelectBox.h"
#include "cleanup/win32/CleanUpPage.h"
#include "main/win32/FolderTreeView.h"
#include "main/win32/ScanCommands.h"
#include "pie/win32/SectionSizeBox.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/FixedLocale.h"
#include "scan/ClusterSize.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"
#include "scan/Scanner.h"

// The clean-up page's dialogs as a test scripts them; an empty one does nothing.
struct TScriptedCleanUpDialogs : ICleanUpDialogs {
    std::function<bool(const TMoveFolderRequest& request, std::string& movedTo)> Move;
    std::function<void(const TFolderNode& node, const std::string& path)> Archive;

    bool MoveFolder(const TMoveFolderRequest& request, std::string& movedTo) override {
        return Move && Move(request, movedTo);
    }
    void ArchiveFolder(const TFolderNode& node, const std::string& path) override {
        if (Archive) Archive(node, path);
    }
};

class TScanFlowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        AbortScan = false;
        TMemoryFileSystem& files = Main.Files;
        files.AddFolder("C:\\Windows\\System");
        files.AddFile("C:\\Windows\\System\\kernel.dll", 5000);
        files.AddFile("C:\\Windows\\win.ini", 100);
        files.AddFolder("C:\\Data\\Old\\Older");
        files.AddFile("C:\\Data\\Old\\Older\\letter.txt", 300);
        files.AddFile("C:\\Data\\notes.txt", 70);
        files.AddFile("C:\\boot.ini", 10);
        files.AddFolder("D:\\Games");
        files.AddFile("D:\\Games\\quarry.exe", 9000);
        for (const char* root : {"C:\\", "D:\\"}) {
            TFakeDrive& drive = Main.DriveInfo.AddDrive(root);
            drive.Volume.FileSystemName = root[0] == 'C' ? "NTFS" : "FAT";
            drive.DiskClusterSize = root[0] == 'C' ? 4096 : 512;
            drive.TotalBytes = 1000000;
            drive.FreeBytes = 250000;
            Directory.AddFolder(root);
        }
    }
    void TearDown() override {
        SectionBox.reset();
        Main.Close();
        AbortScan = false;
    }

    TDriveRecInfo* FindDriveRecord(char letter) const { return Commands->DriveRecords().Find(letter); }

    // Creates the window, attaches the commands and lets the start-up run.
    void Start(std::vector<std::string> arguments = {}) {
        Commands = std::make_unique<TScanCommands>(
            TScanServices{*FileSystem, *DriveInfo, Main.Shell, *CurrentDirectory, Main.Boxes, NameOrder, Locale,
                          Browser, Menus.Function(), std::move(arguments), [this] { return Clock; }});
        Main.Parts.Scan = Commands.get();
        Main.Start(false);
        ASSERT_TRUE(Main.Created);
        Commands->Attach(*Main.Form);
        SectionBox = std::make_unique<TSectionSizeBox>(Main.Form->Handle(), Main.Registry);
        Commands->SetSectionSizeBox(SectionBox.get());
        Main.Form->SetSectionSizeBox(SectionBox.get());
        Main.Form->Show(SW_SHOWNORMAL);
        Main.Pump();
    }

    void ScanWithToolbar(char letter) {
        Main.Form->DriveBox().SelectLetter(letter);
        Main.Form->ExecuteCommand(toolScan);
        Main.Pump();
    }

    TFolderNode* Root(char letter) const {
        const TDriveRecInfo* record = FindDriveRecord(letter);
        return record ? record->RootNode : nullptr;
    }
    TFolderNode* Node(const std::string& path) const {
        TFolderNode* root = Root(path[0]);
        return path.size() == 3 ? root : FindNodeByPath(root, path.substr(3), false);
    }
    TFolderNode* Selected() const { return Commands->SelectedNode(); }
    std::string SelectedPath() const { return NodePath(Selected()); }

    // A user's click on the item: the tree asks before it moves.
    void Click(const TFolderNode& node) {
        SendMessageW(Main.Form->FolderTree(), TVM_SELECTITEM, TVGN_CARET, LPARAM(node.ViewItem));
        Main.Pump();
    }
    POINT ItemPoint(const TFolderNode& node) const {
        RECT bounds = {};
        const HTREEITEM item = HTREEITEM(node.ViewItem);
        std::memcpy(&bounds, &item, sizeof(item));
        SendMessageW(Main.Form->FolderTree(), TVM_ENSUREVISIBLE, 0, LPARAM(node.ViewItem));
        SendMessageW(Main.Form->FolderTree(), TVM_GETITEMRECT, TRUE, LPARAM(&bounds));
        return {bounds.left + 3, (bounds.top + bounds.bottom) / 2};
    }
    void RightClick(const TFolderNode& node) {
        const POINT point = ItemPoint(node);
        SendMessageW(Main.Form->FolderTree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageW(Main.Form->FolderTree(), WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Main.Pump();
    }
    bool IsExpanded(const TFolderNode& node) const {
        return SendMessageW(Main.Form->FolderTree(), TVM_GETITEMSTATE, WPARAM(node.ViewItem), TVIS_EXPANDED) &
               TVIS_EXPANDED;
    }
    std::wstring Caption() const { return TMainFormFixture::Text(Main.Form->Handle()); }

    // Every node below and including this one, by path, in tree order.
    static std::vector<std::string> NodePaths(const TFolderNode* node) {
        std::vector<std::string> paths{NodePath(node)};
        for (const auto& child : node->Children) {
            const std::vector<std::string> below = NodePaths(child.get());
            paths.insert(paths.end(), below.begin(), below.end());
        }
        return paths;
    }

    // A click on the check box of the drive selection dialog's item.
    static void ClickDriveCheckBox(TDialog& dialog, int index) {
        const HWND list = static_cast<TDrivesSelectBox&>(dialog).TheDrivesBox().Handle();
        RECT item = {};
        SendMessageW(list, LB_GETITEMRECT, WPARAM(index), LPARAM(&item));
        const LPARAM onCheckBox = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, onCheckBox);
        SendMessageW(list, WM_LBUTTONUP, 0, onCheckBox);
    }

    // The record a scan of `folder` on a drive the program has not seen
    // gives now, to hold a repaired tree against.
    TFolderSize FreshRecord(IFileSystem& files, IDriveInfo& drives, const std::string& folder) {
        TFolderTree tree;
        TDriveList fresh;
        IScanHost host;
        TScanner scanner(tree, files, drives, fresh, host, NameOrder);
        scanner.SetClusterSize(GetClusterSize(drives, folder.substr(0, 3)));
        TFolderNode* node = tree.AddRoot(folder, folder[0]);
        const TFolderSize* record = scanner.ScanFolder(folder + "\\", *node);
        return record ? *record : TFolderSize();
    }

    // A repaired record carries the same totals as a fresh scan would give,
    // at every cluster size.
    static void ExpectSameTotals(const TFolderSize& repaired, const TFolderSize& fresh) {
        EXPECT_EQ(repaired.TreeSize, fresh.TreeSize);
        EXPECT_EQ(repaired.TreeWasted, fresh.TreeWasted);
        EXPECT_EQ(repaired.TreeFiles, fresh.TreeFiles);
        EXPECT_EQ(repaired.TreeFolders, fresh.TreeFolders);
        for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(WastedAt(repaired, k), WastedAt(fresh, k)) << k;
    }

    TMainFormFixture Main;
    TFakeCurrentDirectory Directory;
    TWordSortOrder NameOrder;
    TFixedLocale Locale;
    TScriptedFolderBrowser Browser;
    TRecordingContextMenus Menus;
    std::unique_ptr<TScanCommands> Commands;
    std::unique_ptr<TSectionSizeBox> SectionBox;
    uint64_t Clock = 1000000;  // the scan commands' milliseconds
    // What the scan commands read; a fixture on real drives points them elsewhere before Start.
    IFileSystem* FileSystem = &Main.Files;
    IDriveInfo* DriveInfo = &Main.DriveInfo;
    ICurrentDirectory* CurrentDirectory = &Directory;
};
