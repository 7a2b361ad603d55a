// Scanning from the window as a user does it: commands, toolbar, the tree's
// selection and mouse, the command line. Drives live in memory, so every
// folder can be changed behind the program's back.

#include "ScanFlowFixture.h"
#include "pie/win32/SimplePieGauge.h"

namespace {

class ScanFlowTest : public TScanFlowFixture {};

const char kNotFinished[] =
    "The context menu of the selected folder cannot be displayed because Quarrymap 2000 has not finished scanning "
    "the folder";

TEST_F(ScanFlowTest, ScanningADriveSelectsItsRootAndShowsTheDrive) {
    Start();
    ScanWithToolbar('C');

    TFolderNode* root = Root('C');
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(root->Record);
    EXPECT_EQ(root->Text(), "Local Disk (C:)");
    EXPECT_EQ(root->Record->TreeSize, 5000 + 100 + 300 + 70 + 10);
    EXPECT_EQ(Selected(), root);
    EXPECT_EQ(Main.Form->State().CurrentNode, root);
    EXPECT_EQ(Main.Form->State().CurrentPath, "C:\\");
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\");
    EXPECT_EQ(Main.StatusText(0), L"Folder C:\\");  // the pie's header describes the folder shown
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
    EXPECT_EQ(Commands->DriveRecords().Items().size(), 1u);
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
    // The parent is selected, never a sibling that would be checked in turn.
    EXPECT_EQ(SelectedPath(), "C:\\Windows");
    EXPECT_EQ(Main.Form->State().CurrentNode, Selected());
    EXPECT_EQ(Caption(), L"Quarrymap 2000 - C:\\Windows");
}

TEST_F(ScanFlowTest, AVanishedFolderWhoseParentVanishedTooTakesBothOut) {
    Start();
    ScanWithToolbar('C');
    TFolderNode* root = Root('C');
    const int64_t rootSize = root->Record->TreeSize;
    Main.Files.Remove("C:\\Data");

    Click(*Node("C:\\Data\\Old\\Older"));

    EXPECT_EQ(Node("C:\\Data"), nullptr);
    EXPECT_EQ(root->Record->TreeSize, rootSize - 370);
    EXPECT_NE(Node("C:\\Windows"), nullptr);  // Data's sibling is left alone
    EXPECT_EQ(Selected(), root);
    EXPECT_EQ(Main.Form->State().CurrentNode, root);
    EXPECT_EQ(Main.Form->State().CurrentPath, "C:\\");
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

TEST_F(ScanFlowTest, CancelledRescanKeepsTheDriveAsItWas) {
    Start();
    ScanWithToolbar('D');
    TFolderNode* root = Root('D');
    const int64_t size = root->Record->TreeSize;
    Directory.AddFolder("D:\\", 1);  // refuses once
    Main.Boxes.Answer(TMsgResult::Cancel);

    ScanWithToolbar('D');

    EXPECT_EQ(Root('D'), root);
    ASSERT_NE(Node("D:\\Games"), nullptr);
    EXPECT_EQ(root->Record->TreeSize, size);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "D");
    EXPECT_EQ(Selected(), root);
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFileRemove));

    ScanWithToolbar('D');  // ready again: rescanned as usual
    ASSERT_NE(Root('D'), nullptr);
    EXPECT_EQ(Commands->Tree().Roots().size(), 1u);
    EXPECT_EQ(Selected(), Root('D'));
    EXPECT_EQ(Main.Boxes.Shown.size(), 1u);
}

TEST_F(ScanFlowTest, AbortDuringAMultiDriveScanStopsBeforeTheNextDrive) {
    Start();
    Main.Runner.Script = [this](TDialog& dialog) {
        ClickDriveCheckBox(dialog, 1);  // D as well (C, the program's drive, is checked already) ...
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
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFileRescanCurrentDirectory));
    EXPECT_EQ(L"Done.", Main.StatusText(0)) << "not the last folder listed";
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
    EXPECT_EQ(Commands->DriveRecords().Items().size(), 2u);  // "c:" found drive C, no second entry
    EXPECT_EQ(Root('C')->DriveLetter(), 'C');
    EXPECT_EQ(SelectedPath(), "C:\\Data");
    EXPECT_TRUE(IsExpanded(*Node("C:\\Data")));
    EXPECT_TRUE(IsExpanded(*Node("C:\\Windows")));
    EXPECT_EQ(GetFocus(), Main.Form->FolderTree());
    EXPECT_TRUE(Main.Boxes.Shown.empty());
}

TEST_F(ScanFlowTest, AFolderOnTheCommandLineThatIsNotThereIsNamed) {
    Start({"C:\\No\\Such"});
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "C");
    ASSERT_EQ(1u, Main.Boxes.Shown.size());
    EXPECT_EQ("The folder C:\\No\\Such was not found. It may have been moved, renamed or deleted.",
              Main.Boxes.Shown[0].Text);
}

TEST_F(ScanFlowTest, SelectFolderByPathRefusesWhatIsNotAFullPath) {
    Start();
    for (const char* text : {"", "C:", "C:Windows", "\\\\server\\share", "Windows"})
        EXPECT_FALSE(Main.Parts.Scan->SelectFolderByPath(text)) << text;
    EXPECT_TRUE(Commands->Tree().Roots().empty());
    EXPECT_TRUE(Main.Parts.Scan->SelectFolderByPath("C:\\No\\Such"));  // scanned; nothing to select
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

TEST_F(ScanFlowTest, AtFirstStartTheSectionSizeWindowStandsBesideTheMainWindow) {
    Start();
    RECT main, side, work;
    GetWindowRect(Main.Form->Handle(), &main);
    GetWindowRect(SectionBox->Handle(), &side);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(main.top, side.top);
    if (main.right + (side.right - side.left) <= work.right)
        EXPECT_EQ(main.right, side.left);  // beside, not over the folder tree
    else
        EXPECT_EQ(main.right, side.right);
}
