#include <gtest/gtest.h>

#include <algorithm>

#include "MainFormTestSupport.h"
#include "config/Options.h"
#include "main/MainCommands.h"
#include "scan/Scanner.h"

namespace {

// The tooltip window that holds a tool for the given control.
struct TTipSearch {
    HWND Owner;
    HWND Control;
    HWND Found;
};

BOOL CALLBACK FindTipsOf(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TTipSearch*>(context);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = search->Owner;
    tool.uId = UINT_PTR(search->Control);
    if (!SendMessageW(window, TTM_GETTOOLINFOW, 0, LPARAM(&tool))) return TRUE;
    search->Found = window;
    return FALSE;
}

class MainFormCommandsTest : public ::testing::Test, public TMainFormFixture {
protected:
    bool ToolEnabled(int id) { return SendMessageW(Control(idToolbar), TB_ISBUTTONENABLED, WPARAM(id), 0) != 0; }

    // The mouse resting on a point of a control, as the message loop sees it.
    void MouseOver(HWND control, int x, int y) {
        MSG move = {control, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), 0, {0, 0}};
        Form->PreTranslateMessage(move);
    }

    POINT ButtonCentre(int id) {
        RECT rect = {};
        SendMessageW(Control(idToolbar), TB_GETRECT, WPARAM(id), LPARAM(&rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
};

TEST_F(MainFormCommandsTest, StartStatesOfScanCommands) {
    Start();
    EXPECT_TRUE(MenuEnabled(cmdFileScanDrives));
    EXPECT_FALSE(MenuEnabled(cmdFileRescan));
    EXPECT_FALSE(MenuEnabled(cmdFileRemove));
    EXPECT_FALSE(MenuEnabled(cmdFileAbort));
    for (int id : {int(cmdFileRescanCurrentDirectory), int(cmdFileAbort), int(toolLevelUp), int(toolExplore)})
        EXPECT_FALSE(ToolEnabled(id));
    std::wstring text;
    MenuItem(cmdFileAbort, &text);
    EXPECT_EQ(L"&Abort Scanning\tCtrl+A", text);
}

TEST_F(MainFormCommandsTest, CommandsWithoutTheirWorkStayDisabled) {
    Parts.PieExport = nullptr;
    Parts.Scan = &ScanFake;  // the dialogs are not connected
    Start();
    EXPECT_TRUE(MenuEnabled(cmdFileSelectFolder));
    EXPECT_TRUE(ToolEnabled(toolScan));
    for (int id : {int(cmdViewOptions), int(cmdHelpAbout), int(cmdHelpIntroductoryLetter),
                   int(cmdFileRestoreCompressedFolders), int(cmdFilePieAsBitmap)})
        EXPECT_FALSE(MenuEnabled(id)) << id;
    // Sent anyway, a disabled command does nothing.
    Command(cmdHelpAbout);
    EXPECT_TRUE(DialogsFake.Shown.empty());

    Close();
    Parts.Dialogs = &DialogsFake;
    Start();
    EXPECT_TRUE(MenuEnabled(cmdViewOptions));
    Command(cmdHelpAbout);
    EXPECT_EQ(std::vector<std::string>{"about"}, DialogsFake.Shown);
}

TEST_F(MainFormCommandsTest, ScanningSwitchesTheScanCommandsAndAbort) {
    Parts.Scan = &ScanFake;
    Start();
    Form->SetScanning(true);
    EXPECT_FALSE(MenuEnabled(cmdFileScanDrives));
    EXPECT_FALSE(ToolEnabled(toolScan));
    EXPECT_FALSE(ToolEnabled(cmdFileRescanCurrentDirectory));
    EXPECT_FALSE(IsWindowEnabled(Control(idClustersBox)));
    EXPECT_TRUE(MenuEnabled(cmdFileAbort));
    EXPECT_TRUE(ToolEnabled(cmdFileAbort));

    AbortScan = false;
    TKeyboardState ctrl(true, false);
    MSG key = {Window(), WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_TRUE(Form->PreTranslateMessage(key));
    Pump();
    EXPECT_TRUE(AbortScan);

    Form->SetScanning(false);
    EXPECT_TRUE(MenuEnabled(cmdFileRescan));
    EXPECT_TRUE(MenuEnabled(cmdFileRemove));
    EXPECT_TRUE(ToolEnabled(cmdFileRescanCurrentDirectory));
    EXPECT_TRUE(IsWindowEnabled(Control(idClustersBox)));
    EXPECT_FALSE(MenuEnabled(cmdFileAbort));
    AbortScan = false;
    Command(cmdFileAbort);
    EXPECT_FALSE(AbortScan);
}

TEST_F(MainFormCommandsTest, StatusBarShowsLongHintsAcrossTheWholeBar) {
    Start();
    Form->State().CurrentPath = "C:\\Data";
    Form->SetStatusText(0, "C:\\Data");
    Form->SetStatusText(1, "4K Cluster (NTFS)");
    RECT bar;
    GetClientRect(Control(idStatusBar), &bar);
    bool bevel = false;
    EXPECT_EQ(L"C:\\Data", StatusText(0, &bevel));
    EXPECT_TRUE(bevel);
    EXPECT_EQ(bar.right - 150, StatusRightEdges().at(0));

    const POINT scan = ButtonCentre(toolScan);
    MouseOver(Control(idToolbar), scan.x, scan.y);
    EXPECT_EQ(L"Scan or rescan the drive that is selected in the Drives List Box", StatusText(0, &bevel));
    EXPECT_FALSE(bevel);
    EXPECT_EQ(bar.right, StatusRightEdges().at(0));
    EXPECT_EQ(L"4K Cluster (NTFS)", StatusText(1));

    MouseOver(Control(idClustersBox), 2, 2);
    EXPECT_EQ(L"Select a cluster size to see how the current folder would look on a drive with that cluster size.",
              StatusText(0));
    MouseOver(Control(idStatusBar), 5, 5);
    EXPECT_EQ(L"C:\\Data", StatusText(0, &bevel));
    EXPECT_TRUE(bevel);
    EXPECT_EQ(bar.right - 150, StatusRightEdges().at(0));
}

TEST_F(MainFormCommandsTest, MenuSeparatorBlanksTheBarAndLeavingTheMenuBringsThePathBack) {
    Start();
    Form->State().CurrentPath = "D:\\";
    SendMessageW(Window(), WM_MENUSELECT, MAKEWPARAM(cmdFileExit, MF_STRING), LPARAM(Popup(mnuFile)));
    EXPECT_EQ(L"Quits Quarrymap 2000.", StatusText(0));
    SendMessageW(Window(), WM_MENUSELECT, MAKEWPARAM(0, MF_SEPARATOR), LPARAM(Popup(mnuFile)));
    EXPECT_EQ(L" ", StatusText(0));
    // A submenu entry is reported by its position.
    SendMessageW(Window(), WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), LPARAM(Popup(mnuFile)));
    EXPECT_EQ(L"Contains commands for rescanning folders or drives.", StatusText(0));
    SendMessageW(Window(), WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0);
    EXPECT_EQ(L"D:\\", StatusText(0));
}

TEST_F(MainFormCommandsTest, TooltipsShowTheShortHints) {
    Start();
    HWND tips = HWND(SendMessageW(Control(idToolbar), TB_GETTOOLTIPS, 0, 0));
    const auto tooltip = [&](int id) {
        NMTTDISPINFOW info = {};
        info.hdr = NMHDR{tips, UINT_PTR(id), UINT(TTN_GETDISPINFOW)};
        SendMessageW(Control(idToolbarSupport), WM_NOTIFY, 0, LPARAM(&info));
        return std::wstring(info.lpszText ? info.lpszText : L"");
    };
    EXPECT_EQ(L"Scan/Rescan Selected Drive", tooltip(toolScan));
    EXPECT_EQ(L"Up One Level", tooltip(toolLevelUp));
    EXPECT_EQ(L"", tooltip(cmdFileAbort));

    TTipSearch search = {Control(idToolbarSupport), Control(idDriveBox), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindTipsOf, LPARAM(&search));
    HWND stripTips = search.Found;
    ASSERT_NE(nullptr, stripTips);
    wchar_t text[100] = {};
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Control(idToolbarSupport);
    tool.uId = UINT_PTR(Control(idDriveBox));
    tool.lpszText = text;
    SendMessageW(stripTips, TTM_GETTEXTW, 100, LPARAM(&tool));
    EXPECT_EQ(std::wstring(L"Drives List Box"), text);
}

TEST_F(MainFormCommandsTest, ViewTogglesShowHideAndRemember) {
    Start();
    Command(cmdViewToolbar);
    EXPECT_FALSE(IsWindowVisible(Control(idToolbarSupport)));
    EXPECT_FALSE(MenuChecked(cmdViewToolbar));
    EXPECT_FALSE(Options.ViewToolbar);
    Command(cmdViewStatusBar);
    EXPECT_FALSE(IsWindowVisible(Control(idStatusBar)));
    Command(cmdViewFolderTree);
    EXPECT_FALSE(IsWindowVisible(Control(idLeftPanel)));
    EXPECT_FALSE(IsWindowVisible(Control(idSplitter)));
    // The pages move up into the strip's place and left into the tree's.
    const RECT right = Bounds(Control(idRightPanel), Window());
    EXPECT_EQ(0, right.left);
    EXPECT_EQ(65 + 3, right.top);
    Command(cmdViewToolbar);
    EXPECT_TRUE(IsWindowVisible(Control(idToolbarSupport)));
    Close();
    const std::string desktop = std::string(kRegistryRoot) + "\\Desktop";
    EXPECT_EQ("1", Registry.Find(desktop, "ViewToolbar")->Text);
    EXPECT_EQ("0", Registry.Find(desktop, "ViewStatusBar")->Text);
    EXPECT_EQ("0", Registry.Find(desktop, "ViewFolderTree")->Text);
}

TEST_F(MainFormCommandsTest, PieTogglesSetTheirOptions) {
    Parts.SectionSizeWindow = &SectionWindowFake;
    Start();
    // The buttons start as the options say (the defaults: waste, files and percentages).
    EXPECT_TRUE(Form->IsToolDown(toolShowWasted));
    EXPECT_TRUE(Form->IsToolDown(toolShowFiles));
    EXPECT_TRUE(Form->IsToolDown(toolPercent));
    EXPECT_FALSE(Form->IsToolDown(toolMB));
    EXPECT_TRUE(MenuChecked(cmdViewPieSortDescending));

    // A click on a check button flips it before the command arrives.
    const auto click = [&](int id) {
        HWND toolbar = Control(idToolbar);
        const bool down = SendMessageW(toolbar, TB_ISBUTTONCHECKED, WPARAM(id), 0) != 0;
        SendMessageW(toolbar, TB_CHECKBUTTON, WPARAM(id), !down);
        SendMessageW(Control(idToolbarSupport), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(toolbar));
        Pump();
    };
    click(toolShowFiles);
    EXPECT_FALSE(Options.ShowFileNames);
    click(toolShowWasted);
    EXPECT_FALSE(Options.IncludeWastedInformation);

    click(toolMB);  // releases the other label button
    EXPECT_EQ(2, Options.ShowPercentInPie);
    EXPECT_FALSE(Form->IsToolDown(toolPercent));
    click(toolPercent);
    EXPECT_EQ(1, Options.ShowPercentInPie);
    EXPECT_FALSE(Form->IsToolDown(toolMB));
    click(toolPercent);  // both up: labels without values
    EXPECT_EQ(0, Options.ShowPercentInPie);
    EXPECT_FALSE(Form->IsToolDown(toolPercent));
    EXPECT_FALSE(Form->IsToolDown(toolMB));

    Command(cmdViewPieSectionSizeWindow);
    Command(cmdViewPieSortAscending);
    EXPECT_EQ(1, std::count(SectionWindowFake.Told.begin(), SectionWindowFake.Told.end(), "window off"));
    EXPECT_EQ(0, std::count(SectionWindowFake.Told.begin(), SectionWindowFake.Told.end(), "window on"));
    EXPECT_TRUE(Options.SortAscending);
    EXPECT_FALSE(MenuChecked(cmdViewPieSectionSizeWindow));
    EXPECT_TRUE(MenuChecked(cmdViewPieSortAscending));
    EXPECT_FALSE(MenuChecked(cmdViewPieSortDescending));

    // What was chosen is what the next start shows.
    Close();
    Start();
    EXPECT_FALSE(Form->IsToolDown(toolShowFiles));
    EXPECT_FALSE(Form->IsToolDown(toolShowWasted));
    EXPECT_TRUE(MenuChecked(cmdViewPieSortAscending));
}

TEST_F(MainFormCommandsTest, DroppedItemsOpenOnlyTheFirst) {
    Parts.Scan = &ScanFake;
    Start();
    SendMessageW(Window(), WM_DROPFILES, WPARAM(BuildDrop({L"D:\\Projects\\Ærø", L"C:\\Windows"})), 0);
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line", "open D:\\Projects\\\xC3\x86r\xC3\xB8"}),
              ScanFake.Calls);
}

TEST_F(MainFormCommandsTest, ExploreOpensTheCurrentFolder) {
    Start();
    Form->SetCommandEnabled(toolExplore, true);
    Command(toolExplore);
    EXPECT_TRUE(Launcher.Opened.empty());  // no folder selected
    Form->State().CurrentPath = "C:\\Data";
    Launcher.Result = 2;  // a failure (file not found) is not reported
    Command(toolExplore);
    ASSERT_EQ(1u, Launcher.Opened.size());
    EXPECT_EQ("EXPLORER.EXE", Launcher.Opened[0].Target);
    EXPECT_EQ("/E,C:\\Data", Launcher.Opened[0].Parameters);
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(MainFormCommandsTest, HelpOpensTopicsAndMenuContexts) {
    Files.AddFile("C:\\Apps\\help\\4000.htm", 100);
    Start();
    Command(cmdHelpHelpTopics);
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_MENUITEM;
    help.hItemHandle = Popup(mnuFile);
    SendMessageW(Window(), WM_HELP, 0, LPARAM(&help));
    help.hItemHandle = Popup(cmdFileRescan);  // a submenu answers for its menu
    SendMessageW(Window(), WM_HELP, 0, LPARAM(&help));
    help.hItemHandle = Popup(mnuView);  // 4010 has no page
    SendMessageW(Window(), WM_HELP, 0, LPARAM(&help));
    Command(cmdHelpVisitWebPage);
    ASSERT_EQ(5u, Launcher.Opened.size());
    EXPECT_EQ("C:\\Apps\\help\\index.htm", Launcher.Opened[0].Target);
    EXPECT_EQ("C:\\Apps\\help\\4000.htm", Launcher.Opened[1].Target);
    EXPECT_EQ("C:\\Apps\\help\\4000.htm", Launcher.Opened[2].Target);
    EXPECT_EQ("C:\\Apps\\help\\index.htm", Launcher.Opened[3].Target);
    EXPECT_EQ("http://www.tollvane.example/quarrymap/", Launcher.Opened[4].Target);
    EXPECT_EQ(kShowNormal, Launcher.Opened[0].ShowMode);
    EXPECT_EQ(kShowNoActivate, Launcher.Opened[4].ShowMode);  // a link, opened without taking the focus
    EXPECT_EQ(4020u, GetMenuContextHelpId(Popup(mnuHelp)));

    // Windows with no program for the page: the user hears what failed.
    Launcher.Result = 31;
    Command(cmdHelpHelpTopics);
    Command(cmdHelpVisitWebPage);
    ASSERT_EQ(2u, Boxes.Shown.size());
    EXPECT_EQ(
        "Windows could not open C:\\Apps\\help\\index.htm. There is no program on this computer for this kind "
        "of file.",
        Boxes.Shown[0].Text);
    EXPECT_EQ(0u, Boxes.Shown[1].Text.rfind("Windows could not open http://www.tollvane.example/quarrymap/. ", 0));
}

TEST_F(MainFormCommandsTest, ExitClosesAndSaves) {
    Start();
    Command(cmdFileExit);
    EXPECT_EQ(nullptr, Form->Handle());
    EXPECT_NE(nullptr, Registry.Find(std::string(kRegistryRoot) + "\\Desktop", "WindowState"));
}

TEST_F(MainFormCommandsTest, FailingCommandIsReportedInOneBox) {
    Parts.Dialogs = &DialogsFake;
    DialogsFake.OptionsRun = [] { throw std::runtime_error("The options cannot be shown."); };
    Start();
    Command(cmdViewOptions);
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
    EXPECT_EQ("The options cannot be shown.", Boxes.Shown[0].Text);
}

}  // namespace
