// What must hold while a scan runs and when drives come and go: no scan
// inside another, no results thrown away for a drive that is merely not
// there, no abort left over from an earlier scan, and a status bar that
// names the folder being listed.

#include <functional>
#include <map>

#include "ScanFlowFixture.h"

namespace {

class ScanGuardTest : public TScanFlowFixture {
protected:
    // Runs `action` once, when the scan opens the listing of that folder.
    void AtListing(const std::string& folder, std::function<void()> action) { Actions[folder] = std::move(action); }

    void SetUp() override {
        TScanFlowFixture::SetUp();
        Main.Files.OnListing = [this](const std::string& folder) {
            const auto found = Actions.find(folder);
            if (found == Actions.end()) return;
            const std::function<void()> action = std::move(found->second);
            Actions.erase(found);
            action();
        };
    }
    void TearDown() override {
        Main.Files.OnListing = nullptr;
        TScanFlowFixture::TearDown();
    }

    std::map<std::string, std::function<void()>> Actions;
};

TEST_F(ScanGuardTest, NothingStartsASecondScanInsideARunningOne) {
    for (int i = 0; i < 30; ++i) Main.Files.AddFile("C:\\Many\\F" + std::to_string(i) + "\\f.txt", 10);
    Start();
    Browser.Answer = "C:\\Windows";
    bool selectFolderEnabledDuringScan = true;
    bool refusedByHook = false;
    AtListing("C:\\Many\\F3\\", [&] {
        selectFolderEnabledDuringScan = Main.Form->IsCommandEnabled(cmdFileSelectFolder);
        refusedByHook = !Main.Parts.Scan->SelectFolderByPath("D:\\Games");
        // What a user can still do while the window services its queue: a
        // menu command by its accelerator, and a folder dropped from Explorer.
        PostMessageW(Main.Form->Handle(), WM_COMMAND, MAKEWPARAM(cmdFileSelectFolder, 0), 0);
        PostMessageW(Main.Form->Handle(), WM_DROPFILES, WPARAM(BuildDrop({L"D:\\Games"})), 0);
    });
    bool stillScanning = false;
    std::string lettersDuringScan;
    AtListing("C:\\Many\\F20\\", [&] {
        stillScanning = Main.Form->State().Scanning && !Main.Form->IsCommandEnabled(cmdFileRemove);
        lettersDuringScan = Main.Form->State().ScannedDrives.Letters();
    });

    ScanWithToolbar('C');

    EXPECT_FALSE(selectFolderEnabledDuringScan);
    EXPECT_TRUE(refusedByHook);
    EXPECT_TRUE(Browser.Titles.empty());  // the folder dialog never opened
    EXPECT_TRUE(stillScanning);           // no nested scan switched the state off early
    EXPECT_EQ(lettersDuringScan, "C");
    EXPECT_EQ(FindDriveRecord('D'), nullptr);
    ASSERT_NE(Root('C'), nullptr);
    ASSERT_NE(Root('C')->Record, nullptr);
    EXPECT_EQ(Root('C')->Record->TreeFolders, 3 + 3 + 30);  // Windows, Data, Many; System, Old, Older; F0..F29
    EXPECT_EQ(Commands->Tree().Roots().size(), 1u);
    EXPECT_FALSE(Main.Form->State().Scanning);
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFileSelectFolder));

    // Once the scan is over, removing drives is safe, and a drop works again.
    Main.Form->ExecuteCommand(cmdFileRemoveAllDrives);
    Main.Pump();
    EXPECT_TRUE(Commands->Tree().Roots().empty());
    EXPECT_EQ(Main.Form->State().CurrentNode, nullptr);
    SendMessageW(Main.Form->Handle(), WM_DROPFILES, WPARAM(BuildDrop({L"D:\\Games"})), 0);
    Main.Pump();
    EXPECT_EQ(SelectedPath(), "D:\\Games");
}

TEST_F(ScanGuardTest, TheScannerRefusesAWalkWhileOneRuns) {
    Start();
    TDriveRecInfo other;
    bool driveRefused = false, rescanRefused = false, folderRefused = false;
    AtListing("C:\\Data\\", [&] {
        driveRefused = !Commands->Scanner().ScanDrive("DData (D:)", other);
        rescanRefused = !Commands->Scanner().RescanFolder("C:\\Windows", Node("C:\\Windows"));
        TFolderNode& scratch = *Commands->Tree().AddRoot("scratch", 'D');
        folderRefused = Commands->Scanner().ScanFolder("D:\\", scratch) == nullptr && !scratch.Record;
    });
    ScanWithToolbar('C');
    EXPECT_TRUE(driveRefused);
    EXPECT_TRUE(rescanRefused);
    EXPECT_TRUE(folderRefused);
    EXPECT_EQ(other.RootNode, nullptr);
    EXPECT_EQ(Root('C')->Record->TreeSize, 5000 + 100 + 300 + 70 + 10);
    // Data's files came after the refused requests, still at C's own clusters.
    EXPECT_EQ(Root('C')->Record->TreeWasted, 3192 + 3996 + 3796 + 4026 + 4086);
    EXPECT_EQ(FindDriveRecord('C')->ClusterSize, 4096);
}

TEST_F(ScanGuardTest, AnUnreadyDriveKeepsEveryNodeAndTotal) {
    Start();
    ScanWithToolbar('C');
    ScanWithToolbar('D');
    Click(*Node("C:\\Data\\Old"));
    const std::vector<std::string> before = NodePaths(Root('C'));
    const TFolderSize rootBefore = *Root('C')->Record;
    // The USB disk is pulled: nothing on it can be read or entered.
    Main.Files.SetDriveReady('C', false);
    Directory.AddFolder("C:\\", 1000);
    for (int i = 0; i < 3; ++i) Main.Boxes.Answer(TMsgResult::Cancel);

    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();
    EXPECT_EQ(Main.Boxes.Shown.size(), 1u);
    EXPECT_EQ(SelectedPath(), "C:\\Data\\Old");
    ASSERT_NE(Node("C:\\Data\\Old")->Record, nullptr);

    // Folders of the same drive are selected without a prompt: none of them
    // has vanished, so none leaves the tree.
    for (const char* path : {"C:\\Data\\Old\\Older", "C:\\Data", "C:\\Windows\\System", "C:\\Windows"}) {
        Click(*Node(path));
        EXPECT_EQ(SelectedPath(), path);
    }
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDrive);
    Main.Pump();
    Main.Form->ExecuteCommand(cmdFileRescanAllDrives);  // C is skipped, D rescanned
    Main.Pump();

    EXPECT_EQ(NodePaths(Root('C')), before);
    EXPECT_EQ(Root('C')->Record->TreeSize, rootBefore.TreeSize);
    EXPECT_EQ(Root('C')->Record->TreeFolders, rootBefore.TreeFolders);
    EXPECT_EQ(Main.Boxes.Shown.size(), 3u);
    EXPECT_EQ(Main.Boxes.Unanswered, 0);
    EXPECT_NE(Root('D'), nullptr);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "CD");

    // Back again, the folder rescans as usual.
    Main.Files.SetDriveReady('C', true);
    Directory.AddFolder("C:\\");
    Click(*Node("C:\\Windows"));
    Main.Files.AddFile("C:\\Windows\\new.ini", 1000);
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();
    EXPECT_EQ(Root('C')->Record->TreeSize, rootBefore.TreeSize + 1000);
}

TEST_F(ScanGuardTest, AnUnreadyDriveKeepsAFolderItsContextMenuSeemsToHaveRemoved) {
    Start();
    ScanWithToolbar('C');
    SendMessageW(Main.Form->FolderTree(), TVM_EXPAND, TVE_EXPAND, LPARAM(Root('C')->ViewItem));
    Menus.Action = [this](const std::string&) { Main.Files.SetDriveReady('C', false); };  // "Eject"
    RightClick(*Node("C:\\Windows"));
    ASSERT_NE(Node("C:\\Windows"), nullptr);
    EXPECT_EQ(SelectedPath(), "C:\\Windows");
}

TEST_F(ScanGuardTest, RescanningAVanishedCurrentFolderSelectsItsParent) {
    Start();
    ScanWithToolbar('C');
    Click(*Node("C:\\Data\\Old"));
    Main.Files.Remove("C:\\Data\\Old");
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDirectory);
    Main.Pump();
    EXPECT_EQ(Node("C:\\Data\\Old"), nullptr);
    EXPECT_EQ(SelectedPath(), "C:\\Data");
    EXPECT_EQ(Node("C:\\Data")->Record->TreeSize, 70);
    EXPECT_FALSE(Main.Form->State().Scanning);
}

TEST_F(ScanGuardTest, AnAbortOfAnEarlierScanDoesNotStopTheNextMultiDriveScan) {
    Start();
    PostMessageW(Main.Form->Handle(), WM_COMMAND, MAKEWPARAM(cmdFileAbort, 0), 0);
    ScanWithToolbar('C');
    ASSERT_NE(Root('C'), nullptr);
    ASSERT_EQ(Root('C')->Record, nullptr);  // aborted

    // C, the program's drive, is checked in the dialog; D is checked too.
    // C's disc is out and the user cancels its prompt: D is still scanned.
    Main.Runner.Script = [](TDialog& dialog) {
        ClickDriveCheckBox(dialog, 1);
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    Directory.AddFolder("C:\\", 1);
    Main.Boxes.Answer(TMsgResult::Cancel);
    Main.Form->ExecuteCommand(cmdFileScanDrives);
    Main.Pump();

    EXPECT_EQ(Main.Boxes.Shown.size(), 1u);
    ASSERT_NE(Root('D'), nullptr);
    EXPECT_NE(Root('D')->Record, nullptr);
    EXPECT_EQ(Main.Form->State().ScannedDrives.Letters(), "CD");
}

TEST_F(ScanGuardTest, TheStatusBarNamesTheFolderBeingListed) {
    // Games is entered just after D:\ was shown, so its name is held back;
    // Big is entered as soon after, and takes a while to list.
    for (int i = 0; i < 150; ++i) Main.Files.AddFile("D:\\Big\\file" + std::to_string(i), 10);
    Main.Files.AddFolder("D:\\Zed");
    Start();
    Main.Files.OnEntry = [this](const TDirEntry&) { Clock += 1; };  // a slow network drive
    std::wstring duringBig, atZed;
    AtListing("D:\\Big\\", [&] { duringBig = Main.StatusText(0); });
    AtListing("D:\\Zed\\", [&] { atZed = Main.StatusText(0); });

    ScanWithToolbar('D');
    Main.Files.OnEntry = nullptr;

    EXPECT_EQ(duringBig, L"D:\\");                  // entering Big came too soon after D:\ to show
    EXPECT_EQ(atZed, L"D:\\Big\\");                 // but it showed while Big was listed
    EXPECT_EQ(Main.StatusText(0), L"Folder D:\\");  // the root's pie after "Done."
}

TEST_F(ScanGuardTest, ClosingTheWindowDuringAScanEndsTheScanFirst) {
    Start();
    AtListing("C:\\Data\\", [&] { PostMessageW(Main.Form->Handle(), WM_CLOSE, 0, 0); });
    Main.Form->DriveBox().SelectLetter('C');
    Main.Form->ExecuteCommand(toolScan);  // the close arrives inside the scan ...
    ASSERT_NE(Root('C'), nullptr);
    EXPECT_EQ(Root('C')->Record, nullptr);  // ... which it aborts, with the window still there
    EXPECT_TRUE(IsWindow(Main.Form->Handle()));
    EXPECT_EQ(Main.Form->State().Scanning, false);
    Main.Pump();  // and then the window closes
    EXPECT_EQ(Main.Form->Handle(), nullptr);
}

}  // namespace
