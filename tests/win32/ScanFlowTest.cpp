// Scanning from the window as a user does it: commands, toolbar, the tree's
// selection and mouse, the command line. Drives live in memory, so every
// folder can be changed behind the program's back.

#include <gtest/gtest.h>

#include <memory>
#include <cstring>
#include <string>
#include <vector>

#include "MainFormTestSupport.h"
#include "controls/win32/DrivesSelectBox.h"
#include "ScanTestSupport.h"
#include "main/win32/FolderTreeView.h"
#include "main/win32/ScanCommands.h"
#include "pie/win32/SectionSizeBox.h"
#include "pie/win32/SimplePieGauge.h"
#include "platform/memory/FakeCurrentDirectory.h"
#include "platform/memory/FixedLocale.h"
#include "scan/DriveRecords.h"
#include "scan/NameOrder.h"

namespace {

const char kNotFinished[] =
    "The context menu of the selected folder cannot be displayed because Quarrymap 2000 has not finished scanning "
    "the folder";

class ScanFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        AbortScan = false;
        DriveList.Clear();
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
        DriveList.Clear();
        AbortScan = false;
    }

    // Creates the window, attaches the commands and lets the start-up run.
    void Start(std::vector<std::string> arguments = {}) {
        Commands = std::make_unique<TScanCommands>(TScanServices{Main.Files, Main.DriveInfo, Main.Shell, Directory,
                                                                 Main.Boxes, NameOrder, Locale, Browser,
                                                                 Menus.Function(), std::move(arguments)});
        Commands->FillHooks(Main.Hooks);
        Main.Start(false);
        ASSERT_TRUE(Main.Created);
        Commands->Attach(*Main.Form);
        SectionBox = std::make_unique<TSectionSizeBox>(Main.Form->Handle(), Main.Registry);
        Commands->SetSectionSizeBox(SectionBox.get());
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

    TMainFormFixture Main;
    TFakeCurrentDirectory Directory;
    TWordSortOrder NameOrder;
    TFixedLocale Locale;
    TScriptedFolderBrowser Browser;
    TRecordingContextMenus Menus;
    std::unique_ptr<TScanCommands> Commands;
    std::unique_ptr<TSectionSizeBox> SectionBox;
};

TEST_F(ScanFlowTest, ScanningADriveSelectsItsRootAndShowsTheDrive) {
    Start();
    ScanWithToolbar('C');

    TFolderNode* root = Root('C');
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(root->Record);
    EXPECT_EQ(root->Text, "Local Disk (C:)");
    EXPECT_EQ(root->Record->TreeSize, 5000 + 100 + 300 + 70 + 10);
    EXPECT_EQ(Selected(), root);
    EXPECT_EQ(Main.Form->State().CurrentNode, root);
    EXPECT_EQ(Main.Form->State().CurrentPath, "C:\\");
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\");
    EXPECT_EQ(Main.StatusText(0), L"C:\\");
    EXPECT_EQ(Main.StatusText(1), L"4K Cluster (NTFS)");
    EXPECT_EQ(Main.Form->State().CurrentDrive, 'C');
    EXPECT_EQ(Main.Form->State().CurrentClusterSize, 4096);
    EXPECT_EQ(Main.Form->State().DriveTotalBytes, 1000000);
    EXPECT_EQ(Main.Form->State().DriveFreeBytes, 250000);
    EXPECT_EQ(SectionBox->DriveText(), "Drive C:");
    EXPECT_EQ(SectionBox->FreeSpaceText(), "244 KB out of");
    EXPECT_EQ(SectionBox->FreeSpaceGauge().Progress(), 25);
    EXPECT_FALSE(Main.Form->IsCommandEnabled(toolLevelUp));  // a root has no parent
    EXPECT_TRUE(Main.Form->IsCommandEnabled(toolExplore));
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFileRescan));
    EXPECT_FALSE(Main.Form->IsCommandEnabled(cmdFileAbort));
}

TEST_F(ScanFlowTest, MovingToAnotherDriveSwitchesTheDriveDetails) {
    Start();
    ScanWithToolbar('C');
    ScanWithToolbar('D');
    Click(*Node("D:\\Games"));
    EXPECT_EQ(Main.Form->State().CurrentDrive, 'D');
    EXPECT_EQ(Main.StatusText(1), L"512 bytes Cluster (FAT)");
    EXPECT_EQ(Main.Form->DriveBox().SelectedLetter(), 'D');
    EXPECT_TRUE(Main.Form->IsCommandEnabled(toolLevelUp));
    Click(*Node("C:\\Windows"));
    EXPECT_EQ(Main.StatusText(1), L"4K Cluster (NTFS)");
    EXPECT_EQ(Main.Form->DriveBox().SelectedLetter(), 'C');
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\Windows");
}

TEST_F(ScanFlowTest, ToolScanOnAScannedDriveRescansItAndReselectsTheCurrentFolder) {
    Start();
    ScanWithToolbar('C');
    TFolderNode* oldRoot = Root('C');
    Click(*Node("C:\\Windows\\System"));
    Main.Files.AddFolder("C:\\Windows\\Fonts");
    Main.Files.AddFile("C:\\Windows\\Fonts\\arial.ttf", 2000);

    ScanWithToolbar('C');

    ASSERT_EQ(Commands->Tree().Roots().size(), 1u);
    EXPECT_EQ(DriveList.Items().size(), 1u);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    TFolderNode* root = Root('C');
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Commands->Tree().Roots().front().get(), root);
    EXPECT_NE(Node("C:\\Windows\\Fonts"), nullptr);
    EXPECT_EQ(root->Record->TreeSize, 5000 + 100 + 300 + 70 + 10 + 2000);
    EXPECT_EQ(SelectedPath(), "C:\\Windows\\System");
    EXPECT_EQ(Main.Form->State().CurrentNode, Selected());
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\Windows\\System");
    (void)oldRoot;  // gone with the rescan; only its address may be reused
}

TEST_F(ScanFlowTest, SelectingAFolderDeletedOutsideTakesItAndItsTotalsOutOfTheTree) {
    Start();
    ScanWithToolbar('C');
    TFolderNode* root = Root('C');
    const int64_t rootSize = root->Record->TreeSize;
    const int32_t rootFolders = root->Record->TreeFolders;
    Main.Files.Remove("C:\\Windows\\System");

    Click(*Node("C:\\Windows\\System"));

    EXPECT_EQ(Node("C:\\Windows\\System"), nullptr);
    EXPECT_EQ(Node("C:\\Windows")->Record->TreeSize, 100);
    EXPECT_EQ(root->Record->TreeSize, rootSize - 5000);
    EXPECT_EQ(root->Record->TreeFolders, rootFolders - 1);
    // The tree moved on to another node, and the window shows it.
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(Main.Form->State().CurrentNode, Selected());
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - " + Widen(SelectedPath()));
}

TEST_F(ScanFlowTest, AVanishedFolderWhoseParentVanishedTooTakesBothOut) {
    Start();
    ScanWithToolbar('C');
    TFolderNode* root = Root('C');
    const int64_t rootSize = root->Record->TreeSize;
    Main.Files.Remove("C:\\Data");

    // Older has no sibling: the tree moves the selection up to Old, which
    // is gone as well, and then on to Data.
    Click(*Node("C:\\Data\\Old\\Older"));

    EXPECT_EQ(Node("C:\\Data"), nullptr);
    EXPECT_EQ(root->Record->TreeSize, rootSize - 370);
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(Main.Form->State().CurrentNode, Selected());
    EXPECT_EQ(Main.Form->State().CurrentPath, SelectedPath());
}

TEST_F(ScanFlowTest, CancelAtTheReadinessPromptKeepsTheOldSelection) {
    Start();
    ScanWithToolbar('C');
    ScanWithToolbar('D');
    Click(*Node("C:\\Windows"));
    Directory.AddFolder("D:\\", 1000);  // the disc was taken out
    Main.Boxes.Answer(TMsgResult::Cancel);

    Click(*Root('D'));

    EXPECT_EQ(SelectedPath(), "C:\\Windows");
    EXPECT_EQ(Main.Form->State().CurrentDrive, 'C');
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\Windows");
    ASSERT_FALSE(Main.Boxes.Shown.empty());
    EXPECT_EQ(Main.Boxes.Shown.back().Buttons, TMsgButtons::RetryCancel);
}

TEST_F(ScanFlowTest, CancelledRescanForgetsTheDriveAndALaterScanStartsAfresh) {
    Start();
    ScanWithToolbar('D');
    Directory.AddFolder("D:\\", 1);  // refuses once
    Main.Boxes.Answer(TMsgResult::Cancel);

    ScanWithToolbar('D');

    EXPECT_EQ(FindDriveRecord('D'), nullptr);
    EXPECT_TRUE(Commands->Tree().Roots().empty());
    EXPECT_EQ(Caption(), L"Quarrymap 2000");
    EXPECT_FALSE(Main.Form->IsCommandEnabled(cmdFileRemove));

    ScanWithToolbar('D');
    ASSERT_NE(Root('D'), nullptr);
    EXPECT_EQ(Commands->Tree().Roots().size(), 1u);
    EXPECT_EQ(Selected(), Root('D'));
}

TEST_F(ScanFlowTest, AbortDuringAMultiDriveScanStopsBeforeTheNextDrive) {
    Start();
    Main.Runner.Script = [this](TDialog& dialog) {
        // Check D as well (C, the program's drive, is checked already) ...
        const HWND list = static_cast<TDrivesSelectBox&>(dialog).TheDrivesBox().Handle();
        RECT item = {};
        SendMessageW(list, LB_GETITEMRECT, 1, LPARAM(&item));
        const LPARAM onCheckBox = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, onCheckBox);
        SendMessageW(list, WM_LBUTTONUP, 0, onCheckBox);
        // ... and press Abort as soon as the first scan looks at its messages.
        PostMessageW(Main.Form->Handle(), WM_COMMAND, MAKEWPARAM(cmdFileAbort, 0), 0);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    Main.Form->ExecuteCommand(cmdFileScanDrives);
    Main.Pump();

    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    EXPECT_EQ(FindDriveRecord('D'), nullptr);
    ASSERT_NE(Root('C'), nullptr);
    EXPECT_FALSE(Root('C')->Record);  // aborted before it finished
    EXPECT_FALSE(Main.Form->State().Scanning);
}

TEST_F(ScanFlowTest, RescanCurrentFolderCarriesTheChangeUpAndKeepsTheSelection) {
    Start();
    ScanWithToolbar('C');
    Click(*Node("C:\\Windows"));
    Main.Files.AddFile("C:\\Windows\\System\\new.dll", 1000);

    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();

    EXPECT_EQ(Node("C:\\Windows")->Record->TreeSize, 6100);
    EXPECT_EQ(Root('C')->Record->TreeSize, 6480);
    EXPECT_EQ(SelectedPath(), "C:\\Windows");
    EXPECT_FALSE(Main.Form->State().Scanning);
    EXPECT_TRUE(Main.Form->IsCommandEnabled(toolRescanDir));
}

TEST_F(ScanFlowTest, RescanCurrentDriveBeforeAnySelectionDoesNothing) {
    Start();
    Main.Form->SetCommandEnabled(cmdFileRescanCurrentDrive, true);
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDrive);
    Main.Form->ExecuteCommand(cmdFileRescanAllDrives);
    EXPECT_TRUE(Commands->Tree().Roots().empty());
    EXPECT_TRUE(Main.Boxes.Shown.empty());
}

TEST_F(ScanFlowTest, TheCommandLineScansDrivesAndSelectsFolders) {
    Start({"D:", "c:\\windows", "C:\\Data\\"});

    EXPECT_EQ(Main.Runner.Runs, 0);  // something was scanned: no drive dialog
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "DC");
    EXPECT_EQ(Commands->Tree().Roots().size(), 2u);
    EXPECT_EQ(DriveList.Items().size(), 2u);  // "c:" found drive C, no second entry
    EXPECT_EQ(Root('C')->DriveLetter, 'C');
    EXPECT_EQ(SelectedPath(), "C:\\Data");
    EXPECT_TRUE(IsExpanded(*Node("C:\\Data")));
    EXPECT_TRUE(IsExpanded(*Node("C:\\Windows")));
    EXPECT_EQ(GetFocus(), Main.Form->FolderTree());
}

TEST_F(ScanFlowTest, SelectFolderByPathRefusesWhatIsNotAFullPath) {
    Start();
    for (const char* text : {"", "C:", "C:Windows", "\\\\server\\share", "Windows"})
        EXPECT_FALSE(Main.Hooks.SelectFolderByPath(text)) << text;
    EXPECT_TRUE(Commands->Tree().Roots().empty());
    EXPECT_TRUE(Main.Hooks.SelectFolderByPath("C:\\No\\Such"));  // scanned; nothing to select
    EXPECT_EQ(Selected(), Root('C'));
}

TEST_F(ScanFlowTest, SelectFolderAsksForAFolderAndGoesThere) {
    Start();
    Browser.Answer = "C:\\windows";
    Main.Form->ExecuteCommand(cmdFileSelectFolder);
    Main.Pump();
    ASSERT_EQ(Browser.Titles.size(), 1u);
    EXPECT_EQ(Browser.Titles[0],
              "Select the folder you want to analyze. If the folder has not been scanned, Quarrymap 2000 will scan "
              "it now.");
    EXPECT_EQ(SelectedPath(), "C:\\Windows");
}

TEST_F(ScanFlowTest, RightClickSelectsTheFolderAndOpensItsMenuAtTheMouse) {
    Start();
    ScanWithToolbar('C');
    SendMessageW(Main.Form->FolderTree(), TVM_EXPAND, TVE_EXPAND, LPARAM(Root('C')->ViewItem));
    TFolderNode* windows = Node("C:\\Windows");

    RightClick(*windows);

    EXPECT_EQ(Selected(), windows);
    ASSERT_EQ(Menus.Shown.size(), 1u);
    EXPECT_EQ(Menus.Shown[0].Path, "C:\\Windows");
    POINT expected = ItemPoint(*windows);
    ClientToScreen(Main.Form->FolderTree(), &expected);
    EXPECT_EQ(Menus.Shown[0].ScreenPoint.x, expected.x);
    EXPECT_EQ(Menus.Shown[0].ScreenPoint.y, expected.y);
    EXPECT_NE(Node("C:\\Windows"), nullptr);  // nothing ran: nothing changed
}

TEST_F(ScanFlowTest, ADriveRootsMenuIsTheDrives) {
    Start();
    ScanWithToolbar('C');
    RightClick(*Root('C'));
    ASSERT_EQ(Menus.Shown.size(), 1u);
    EXPECT_EQ(Menus.Shown[0].Path, "C:\\");
}

TEST_F(ScanFlowTest, AFolderDeletedThroughItsMenuLeavesTheTreeAndItsParentIsSelected) {
    Start();
    ScanWithToolbar('C');
    SendMessageW(Main.Form->FolderTree(), TVM_EXPAND, TVE_EXPAND, LPARAM(Root('C')->ViewItem));
    const int64_t rootSize = Root('C')->Record->TreeSize;
    Menus.Action = [this](const std::string& path) { Main.Files.Remove(path); };

    RightClick(*Node("C:\\Windows"));

    EXPECT_EQ(Node("C:\\Windows"), nullptr);
    EXPECT_EQ(Root('C')->Record->TreeSize, rootSize - 5100);
    EXPECT_EQ(Selected(), Root('C'));
    EXPECT_EQ(Main.Form->State().CurrentNode, Root('C'));
}

TEST_F(ScanFlowTest, RightClickOnAFolderStillBeingScannedExplainsInsteadOfAMenu) {
    Start();
    TFolderNode* unfinished = Commands->Tree().AddRoot("Local Disk (C:)", 'C');
    Click(*unfinished);
    RightClick(*unfinished);
    EXPECT_TRUE(Menus.Shown.empty());
    ASSERT_FALSE(Main.Boxes.Shown.empty());
    EXPECT_EQ(Main.Boxes.Shown.back().Text, kNotFinished);
    EXPECT_EQ(Main.Boxes.Shown.back().Buttons, TMsgButtons::Ok);
}

}  // namespace
