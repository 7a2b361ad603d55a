#include <gtest/gtest.h>

#include "MainFormTestSupport.h"
#include "main/ClusterSizeBox.h"
#include "main/MainLayout.h"
#include "main/Pages.h"
#include "scan/FolderSize.h"
#include "scan/FolderTree.h"

namespace {

// Stands in for a real page: notes what it was asked to do.
class TRecordingPage : public TPage {
public:
    TRecordingPage(TPanel& sheet, IPageHost& host, const TPageServices& services, std::string name,
                   std::vector<std::string>& filled, int& forgotten)
        : TPage(sheet, host, services), Name(std::move(name)), Filled(filled), Forgotten(forgotten) {}
    void Fill(TFolderNode& node) override { Filled.push_back(Name + " " + NodePath(&node)); }
    void Forget() override { ++Forgotten; }

private:
    std::string Name;
    std::vector<std::string>& Filled;
    int& Forgotten;
};

// A drive with one folder; either can be given a record, and either can be
// the tree's selected node.
class MainFormPagesTest : public ::testing::Test, public TMainFormFixture {
protected:
    MainFormPagesTest() {
        Drive = Tree.AddRoot("Local Disk (C:)", 'C');
        Folder = Tree.AddChild(*Drive, "Data");
        Parts.Scan = &ScanFake;
    }

    void Start() {
        TMainFormFixture::Start();
        if (!Created) return;
        const char* names[] = {"pie", "info", "list", "wasted", "cleanup"};
        for (int page = 0; page < kPageCount; ++page) {
            const int sheet = SheetOfPage(page);
            Form->Pages().SetPage(
                sheet, std::make_unique<TRecordingPage>(Form->Pages().Sheet(sheet), *Form, PageServices, names[page],
                                                        Filled, Forgotten));
        }
    }

    void SelectScanned(TFolderNode* node) {
        node->Record = std::make_unique<TFolderSize>();
        Selected = node;
        Form->State().ScannedDrives.Append('C');
        Form->ShowPage(Form->State().CurrentPage);
        Filled.clear();
    }

    std::wstring Memo() const { return Text(Control(idNotReadyMemo)); }

    TProgramOptions Options;
    const TPageServices PageServices{Shell, Files, Locale, TextCompare, TPixelScale(), TPageFonts(), Options};
    TFolderTree Tree;
    TFolderNode* Drive;
    TFolderNode* Folder;
    TFolderNode*& Selected = ScanFake.Selected;
    std::vector<std::string> Filled;
    int Forgotten = 0;
};

TEST_F(MainFormPagesTest, AtStartOnlyTheNotScannedSheetShows) {
    Start();
    EXPECT_EQ(std::vector<std::wstring>{L"No scanned items"}, TabCaptions());
    EXPECT_TRUE(IsWindowVisible(Form->SheetWindow(pageNotScanned)));
    for (int sheet = pagePieChart; sheet < kSheetCount; ++sheet)
        EXPECT_FALSE(IsWindowVisible(Form->SheetWindow(sheet)));
    EXPECT_EQ(0u, Memo().find(L"No drives have been scanned.\r\n\r\nTo scan a drive"));
    EXPECT_TRUE(Filled.empty());
}

TEST_F(MainFormPagesTest, ScannedFolderShowsFiveTabsAndFillsTheCurrentPage) {
    Start();
    Folder->Record = std::make_unique<TFolderSize>();
    Selected = Folder;
    Form->ShowPage(2);
    EXPECT_EQ(
        (std::vector<std::wstring>{L"Pie Chart", L"Folder Info", L"Subfolders", L"Wasted Space", L"Free Some Space"}),
        TabCaptions());
    EXPECT_EQ(L"Subfolders", SelectedTabCaption());
    EXPECT_TRUE(IsWindowVisible(Form->SheetWindow(pageSubfolders)));
    EXPECT_FALSE(IsWindowVisible(Form->SheetWindow(pageNotScanned)));
    EXPECT_EQ(std::vector<std::string>{"list C:\\Data"}, Filled);
    EXPECT_EQ(Folder, Form->State().CurrentNode);
}

TEST_F(MainFormPagesTest, DriveRootLosesTheCleanUpTabAndFallsBackToThePie) {
    Start();
    SelectScanned(Folder);
    Form->ShowPage(4);
    EXPECT_EQ(L"Free Some Space", SelectedTabCaption());
    Drive->Record = std::make_unique<TFolderSize>();
    Selected = Drive;
    Filled.clear();
    Form->ShowPage(4);
    EXPECT_EQ(4u, TabCaptions().size());
    EXPECT_EQ(L"Pie Chart", SelectedTabCaption());
    EXPECT_EQ(0, Form->State().CurrentPage);
    EXPECT_EQ(std::vector<std::string>{"pie C:\\"}, Filled);
    // Back on a folder the tab returns, each sheet keeping its page index.
    Selected = Folder;
    Form->ShowPage(4);
    EXPECT_EQ(L"Free Some Space", SelectedTabCaption());
    EXPECT_EQ(5u, TabCaptions().size());
}

TEST_F(MainFormPagesTest, UnscannedFolderExplainsWhy) {
    Parts.SectionSizeWindow = &SectionWindowFake;
    Start();
    Form->State().ScannedDrives.Append('C');
    Form->SetScanning(true);
    Form->UpdatePageVisibility(Folder);
    EXPECT_EQ(std::vector<std::wstring>{L"Folder not scanned"}, TabCaptions());
    EXPECT_NE(std::wstring::npos, Memo().find(L"gathering information about this folder."));
    Form->SetScanning(false);
    Form->UpdatePageVisibility(Drive);
    EXPECT_NE(std::wstring::npos, Memo().find(L"interrupted before Quarrymap 2000 had finished scanning this drive."));
    EXPECT_GE(SectionWindowFake.Told.size(), 2u);
    EXPECT_EQ("hidden", SectionWindowFake.Told.back());
}

TEST_F(MainFormPagesTest, TabClickShowsThatPage) {
    Start();
    SelectScanned(Folder);
    ClickTab(3);
    EXPECT_EQ(3, Form->State().CurrentPage);
    EXPECT_EQ(std::vector<std::string>{"wasted C:\\Data"}, Filled);
    EXPECT_TRUE(IsWindowVisible(Form->SheetWindow(pageWastedSpace)));
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuView)), 1);
    EXPECT_TRUE(MenuChecked(cmdViewWastedSpace));
    EXPECT_FALSE(MenuChecked(cmdViewPieChart));
}

TEST_F(MainFormPagesTest, ViewMenuSwitchesPagesAndIgnoresTheTickedOne) {
    Start();
    SelectScanned(Folder);
    Command(cmdViewFolderInformation);
    EXPECT_EQ(std::vector<std::string>{"info C:\\Data"}, Filled);
    EXPECT_TRUE(MenuChecked(cmdViewFolderInformation));
    EXPECT_TRUE(MenuItem(cmdViewFolderInformation).fType & MFT_RADIOCHECK);
    EXPECT_FALSE(MenuChecked(cmdViewPieChart));
    Command(cmdViewFolderInformation);
    EXPECT_EQ(1u, Filled.size());
    EXPECT_EQ(L"Folder Info", SelectedTabCaption());
}

TEST_F(MainFormPagesTest, InvalidateViewsForgetsAndRefills) {
    Start();
    SelectScanned(Folder);
    Forgotten = 0;
    Form->InvalidateViews(false);
    EXPECT_EQ(kPageCount, Forgotten);  // every page, shown or not
    EXPECT_TRUE(Filled.empty());
    Form->InvalidateViews(true);
    EXPECT_EQ(std::vector<std::string>{"pie C:\\Data"}, Filled);
    Command(cmdViewSubfolders);
    Filled.clear();
    Forgotten = 0;
    Form->InvalidatePie();  // not the current page: only the pie forgets, nothing is refilled
    EXPECT_EQ(1, Forgotten);
    EXPECT_TRUE(Filled.empty());
}

TEST_F(MainFormPagesTest, ClusterSizeBoxChangesTheViewAndRefills) {
    Start();
    SelectScanned(Folder);
    HWND box = Control(idClustersBox);
    ASSERT_EQ(8, SendMessageW(box, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageW(box, CB_GETCURSEL, 0, 0));
    wchar_t entry[64] = {};
    SendMessageW(box, CB_GETLBTEXT, 3, LPARAM(entry));
    EXPECT_EQ(Widen(kClusterBoxEntries[3]), entry);
    SendMessageW(box, CB_SETCURSEL, 7, 0);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(idClustersBox, CBN_SELCHANGE), LPARAM(box));
    EXPECT_EQ(7, Form->State().ClusterView);
    EXPECT_EQ(std::vector<std::string>{"pie C:\\Data"}, Filled);
    Close();
}

TEST_F(MainFormPagesTest, MenusEnableWhatTheSelectedFolderAllows) {
    Start();
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuFile)), 0);
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuView)), 1);
    EXPECT_FALSE(MenuEnabled(cmdFileExportFolderReport));
    EXPECT_FALSE(MenuEnabled(cmdFileExportPie));
    for (int id : {int(cmdViewPieChart), int(cmdViewFolderInformation), int(cmdViewCleanUp)})
        EXPECT_FALSE(MenuEnabled(id));

    SelectScanned(Drive);
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuFile)), 0);
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuView)), 1);
    EXPECT_TRUE(MenuEnabled(cmdFileExportFolderReport));
    EXPECT_FALSE(MenuEnabled(cmdFileExportPie));  // no export work is there yet
    EXPECT_TRUE(MenuEnabled(cmdViewWastedSpace));
    EXPECT_FALSE(MenuEnabled(cmdViewCleanUp));  // a drive's root has no clean-up page

    SelectScanned(Folder);
    SendMessageW(Window(), WM_INITMENUPOPUP, WPARAM(Popup(mnuView)), 1);
    EXPECT_TRUE(MenuEnabled(cmdViewCleanUp));
}

// What the keys do is the clean-up page's business (its own tests); the
// window only decides whether they reach it.
TEST_F(MainFormPagesTest, CleanUpKeysOnlyWhileTheCleanUpTabShows) {
    Start();
    SelectScanned(Drive);
    TKeyboardState ctrl(true, false);
    MSG key = {Form->FolderTree(), WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    EXPECT_FALSE(Form->PreTranslateMessage(key));

    SelectScanned(Folder);
    for (const WPARAM letter : {'B', 'D', 'M', 'R'}) {
        key.wParam = letter;
        EXPECT_TRUE(Form->PreTranslateMessage(key)) << char(letter);
    }
    key.wParam = 'X';
    EXPECT_FALSE(Form->PreTranslateMessage(key));
}

TEST_F(MainFormPagesTest, CleanUpKeysNeedCtrlWithoutShift) {
    Start();
    SelectScanned(Folder);
    MSG key = {Form->FolderTree(), WM_KEYDOWN, 'D', 0, 0, {0, 0}};
    {
        TKeyboardState plain(false, false);
        EXPECT_FALSE(Form->PreTranslateMessage(key));
    }
    {
        TKeyboardState ctrlShift(true, true);
        EXPECT_FALSE(Form->PreTranslateMessage(key));
    }
}

TEST_F(MainFormPagesTest, NarrowWindowHidesTheClusterSizeBox) {
    Start();
    HWND box = Control(idClustersBox);
    EXPECT_TRUE(IsWindowVisible(box));
    const RECT placed = Bounds(box, Control(idToolbarSupport));
    EXPECT_EQ(kToolbarLeft + kToolbarWidth + 4, placed.left);
    RECT strip;
    GetClientRect(Control(idToolbarSupport), &strip);
    EXPECT_EQ(strip.right - 4, placed.right);

    // Make the strip 1 pixel narrower than the box's 32-pixel minimum needs.
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    const int frame = (window.right - window.left) - client.right;
    SetWindowPos(Window(), nullptr, 0, 0, kToolbarLeft + kToolbarWidth + 4 + 32 + 4 - 1 + frame, 423,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_FALSE(IsWindowVisible(box));
    SetWindowPos(Window(), nullptr, 0, 0, kToolbarLeft + kToolbarWidth + 4 + 32 + 4 + frame, 423,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(kToolbarWidth, Bounds(Control(idToolbar), Control(idToolbarSupport)).right -
                                 Bounds(Control(idToolbar), Control(idToolbarSupport)).left);
}

TEST_F(MainFormPagesTest, LayoutFollowsTheFixedMeasures) {
    Start();
    const RECT banner = Bounds(Control(idBanner), Window());
    EXPECT_EQ(0, banner.top);
    EXPECT_EQ(kBannerHeight, banner.bottom);
    const RECT strip = Bounds(Control(idToolbarSupport), Window());
    EXPECT_EQ(kBannerHeight, strip.top);
    EXPECT_EQ(kToolbarStripHeight, strip.bottom - strip.top);
    const RECT driveBox = Bounds(Control(idDriveBox), Control(idToolbarSupport));
    EXPECT_EQ(0, driveBox.left);
    EXPECT_EQ(kDriveBoxWidth, driveBox.right);
    const RECT left = Bounds(Control(idLeftPanel), Window());
    EXPECT_EQ(strip.bottom + kStripGap, left.top);
    EXPECT_EQ(kLeftPanelWidth, left.right);
    const RECT splitter = Bounds(Control(idSplitter), Window());
    EXPECT_EQ(kLeftPanelWidth, splitter.left);
    EXPECT_EQ(kSplitterWidth, splitter.right - splitter.left);
    const RECT right = Bounds(Control(idRightPanel), Window());
    EXPECT_EQ(splitter.right, right.left);
    EXPECT_EQ(kPagesTopGap, Bounds(Control(idPages), Control(idRightPanel)).top);
    const RECT status = Bounds(Control(idStatusBar), Window());
    EXPECT_EQ(right.bottom, status.top);
    RECT memo;
    GetWindowRect(Control(idNotReadyMemo), &memo);
    EXPECT_LE(memo.right - memo.left, 200);
}

}  // namespace
