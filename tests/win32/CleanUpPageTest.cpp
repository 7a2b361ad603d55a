// The Free Some Space page on a scanned memory drive: the shell is
// scripted, and what it "did" is done to the memory file system, so the
// tree's answer can be compared with a fresh scan of what is left.

#include <gtest/gtest.h>

#include "ScanFlowFixture.h"
#include "cleanup/win32/CleanUpPage.h"
#include "main/MainCommands.h"

namespace {

class CleanUpPageTest : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        Start();
        ScanWithToolbar('C');
        // A drive's root has no clean-up page: start from a folder.
        Click(*Node("C:\\Data"));
        Main.Command(cmdViewCleanUp);
    }

    TCleanUpPage& Page() { return *Main.Form->CleanUp(); }

    // The record of a folder of C: after scanning the memory drive afresh.
    TFolderSize FreshRecord(const std::string& relativePath) {
        TFolderTree tree;
        TDriveList drives;
        IScanHost host;
        TScanner scanner(tree, Main.Files, Main.DriveInfo, drives, host, NameOrder);
        TDriveRecInfo* record = drives.Add('C');
        scanner.ScanDrive("CLocal Disk (C:)", *record);
        TFolderNode* root = record->RootNode;
        TFolderNode* node = relativePath.empty() ? root : FindNodeByPath(root, relativePath, false);
        return node && node->Record ? *node->Record : TFolderSize();
    }

    static void ExpectSameTotals(const TFolderSize& expected, const TFolderSize& actual, const char* what) {
        EXPECT_EQ(expected.TreeSize, actual.TreeSize) << what;
        EXPECT_EQ(expected.TreeWasted, actual.TreeWasted) << what;
        EXPECT_EQ(expected.TreeFiles, actual.TreeFiles) << what;
        EXPECT_EQ(expected.TreeFolders, actual.TreeFolders) << what;
        EXPECT_EQ(expected.OwnFolders, actual.OwnFolders) << what;
        for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(WastedAt(expected, k), WastedAt(actual, k)) << what << k;
    }
};

}  // namespace

TEST_F(CleanUpPageTest, DeletingAFolderTakesExactlyItsTotalsOutOfEveryAncestor) {
    Click(*Node("C:\\Data\\Old"));
    ASSERT_EQ(Main.Form->State().CurrentPage, kCleanUpPage);
    const int32_t subfoldersBefore = Node("C:\\Data")->Record->OwnFolders;
    Main.ShellFiles.OnRun = [this](const TShellFileRequest& request) { Main.Files.Remove(request.From.at(0)); };

    Page().Run(TCleanUpAction::Delete);

    ASSERT_EQ(Main.ShellFiles.Requests.size(), 1u);
    EXPECT_EQ(Main.ShellFiles.Requests[0].From, std::vector<std::string>{"C:\\Data\\Old"});
    EXPECT_EQ(Node("C:\\Data\\Old"), nullptr);
    EXPECT_EQ(SelectedPath(), "C:\\Data");
    EXPECT_EQ(Node("C:\\Data")->Record->OwnFolders, subfoldersBefore - 1);
    ExpectSameTotals(FreshRecord("Data"), *Node("C:\\Data")->Record, "parent");
    ExpectSameTotals(FreshRecord(""), *Root('C')->Record, "root");
}

TEST_F(CleanUpPageTest, ARefusedOrHalfDoneRemovalLeavesTheFolderWithItsMeasurements) {
    Click(*Node("C:\\Data\\Old"));
    const TFolderSize before = *Root('C')->Record;
    // Cancelled at the shell's own question: nothing happened.
    Main.ShellFiles.Result = TShellFileResult::Cancelled;
    Page().Run(TCleanUpAction::Recycle);
    // Failed part-way: the file went, the folder stayed.
    Main.ShellFiles.Result = TShellFileResult::Failed;
    Main.ShellFiles.OnRun = [this](const TShellFileRequest&) { Main.Files.Remove("C:\\Data\\Old\\Older"); };
    Page().Run(TCleanUpAction::Delete);

    EXPECT_EQ(Main.ShellFiles.Requests.size(), 2u);
    ASSERT_NE(Node("C:\\Data\\Old"), nullptr);
    EXPECT_EQ(SelectedPath(), "C:\\Data\\Old");
    ExpectSameTotals(before, *Root('C')->Record, "root");
}

TEST_F(CleanUpPageTest, NothingForADriveRootOrWhileAScanRuns) {
    Click(*Root('C'));
    Page().Run(TCleanUpAction::Delete);
    Click(*Node("C:\\Data"));
    Main.Form->State().Scanning = true;
    Page().Run(TCleanUpAction::Delete);
    Main.Form->State().Scanning = false;
    EXPECT_TRUE(Main.ShellFiles.Requests.empty());
}

TEST_F(CleanUpPageTest, PanelsLightUpAndNameTheirActionInTheHint) {
    Click(*Node("C:\\Data"));
    EXPECT_EQ(Page().HintText(), CleanUpHint(0));
    EXPECT_EQ(Page().PathText(), "C:\\Data");
    const TSensitivePanel& recycle = Page().Panel(TCleanUpAction::Recycle);
    EXPECT_EQ(recycle.Caption(), "Ctrl+B  ");
    SendMessageW(recycle.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(recycle.Color(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(recycle.FontColor(), RGB(255, 255, 255));
    EXPECT_EQ(Page().HintText(), CleanUpHint(3));
    SendMessageW(recycle.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(recycle.Color(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(recycle.FontColor(), RGB(0, 0, 0));
    EXPECT_EQ(Page().HintText(), CleanUpHint(0));
}

TEST_F(CleanUpPageTest, CtrlDDeletesWhileTheTabShowsWhicheverPageIsActive) {
    Click(*Node("C:\\Data\\Old"));
    Main.Command(cmdViewPieChart);
    TKeyboardState ctrl(true, false);
    MSG key = {Main.Form->FolderTree(), WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    EXPECT_TRUE(Main.Form->PreTranslateMessage(key));
    ASSERT_EQ(Main.ShellFiles.Requests.size(), 1u);
    EXPECT_EQ(Main.ShellFiles.Requests[0].From, std::vector<std::string>{"C:\\Data\\Old"});
}

TEST_F(CleanUpPageTest, CtrlDDoesNothingWhileTheTabIsHidden) {
    Click(*Root('C'));
    TKeyboardState ctrl(true, false);
    MSG key = {Main.Form->FolderTree(), WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    EXPECT_FALSE(Main.Form->PreTranslateMessage(key));
    EXPECT_TRUE(Main.ShellFiles.Requests.empty());
}

TEST_F(CleanUpPageTest, MoveHandsTheDialogTheFolderAndTakesItOutOnceItIsGone) {
    Click(*Node("C:\\Data\\Old"));
    const TFolderSize record = *Node("C:\\Data\\Old")->Record;
    std::vector<TMoveFolderRequest> asked;
    bool moved = false;
    TScriptedCleanUpDialogs dialogs;
    dialogs.Move = [&](const TMoveFolderRequest& request, std::string&) {
        asked.push_back(request);
        if (moved) Main.Files.Remove(request.SourcePath);
        return true;
    };
    Page().SetDialogs(&dialogs);

    Page().Run(TCleanUpAction::Move);  // OK, but the folder is still there
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].SourcePath, "C:\\Data\\Old");
    EXPECT_EQ(asked[0].WastedShown, record.TreeWasted);
    for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(asked[0].WastedAt[size_t(k - 1)], WastedAt(record, k));
    EXPECT_NE(Node("C:\\Data\\Old"), nullptr);

    moved = true;
    Page().Run(TCleanUpAction::Move);
    EXPECT_EQ(Node("C:\\Data\\Old"), nullptr);
    EXPECT_EQ(SelectedPath(), "C:\\Data");
    ExpectSameTotals(FreshRecord(""), *Root('C')->Record, "root");
}

TEST_F(CleanUpPageTest, AMoveWithinTheDriveKeepsTheFolderInTheTotalsWhereItWent) {
    Click(*Node("C:\\Data\\Old"));
    TScriptedCleanUpDialogs dialogs;
    dialogs.Move = [&](const TMoveFolderRequest& request, std::string& movedTo) {
        // The shell's work, done to the memory drive: Old's contents go
        // into C:\Windows\Old, which did not exist.
        Main.Files.AddFile("C:\\Windows\\Old\\Older\\letter.txt", 300);
        Main.Files.Remove(request.SourcePath);
        movedTo = "C:\\Windows\\Old";
        return true;
    };
    Page().SetDialogs(&dialogs);
    Page().Run(TCleanUpAction::Move);

    EXPECT_EQ(nullptr, Node("C:\\Data\\Old"));
    ASSERT_NE(nullptr, Node("C:\\Windows\\Old\\Older"));
    ExpectSameTotals(FreshRecord("Windows"), *Node("C:\\Windows")->Record, "target");
    ExpectSameTotals(FreshRecord("Data"), *Node("C:\\Data")->Record, "source's parent");
    ExpectSameTotals(FreshRecord(""), *Root('C')->Record, "root");
}
