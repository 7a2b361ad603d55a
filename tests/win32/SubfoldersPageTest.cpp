// The Subfolders page in a real main window on a scanned memory drive.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScanFlowFixture.h"
#include "config/Options.h"
#include "main/ClusterSizeBox.h"
#include "main/win32/SubfoldersPage.h"
#include "scan/FolderSize.h"

namespace {

class SubfoldersPageTest : public TScanFlowFixture {
protected:
    // C:\ holds Data (370 bytes in two files) and Windows (5,100 bytes in
    // two files), on 4 KB clusters.
    void ShowRoot() {
        Start();
        ScanWithToolbar('C');
        Main.Command(cmdViewSubfolders);
    }

    TSubfoldersPage& Page() { return *Main.Form->Subfolders(); }
    HWND List() { return Page().List().Handle(); }

    // Column 1 of every row, top to bottom.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < Page().List().RowCount(); ++row) names.push_back(Page().CellText(row, colName));
        return names;
    }
    int RowOf(const std::string& name) {
        const std::vector<std::string> names = Names();
        return int(std::find(names.begin(), names.end(), name) - names.begin());
    }
    POINT RowPoint(int row) {
        RECT bounds = {LVIR_LABEL, 0, 0, 0};
        SendMessageW(List(), LVM_GETITEMRECT, WPARAM(row), LPARAM(&bounds));
        return {bounds.left + 10, (bounds.top + bounds.bottom) / 2};
    }
    // A click the control sees as the user's: the button's release waits
    // in the queue, so the control's drag check ends at once.
    void Press(UINT down, UINT up, POINT point) {
        PostMessageW(List(), up, 0, MAKELPARAM(point.x, point.y));
        SendMessageW(List(), down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(point.x, point.y));
        Main.Pump();
    }
    void ClickHeader(int column) {
        NMLISTVIEW notice = {};
        notice.hdr = {List(), UINT_PTR(GetDlgCtrlID(List())), UINT(LVN_COLUMNCLICK)};
        notice.iItem = -1;
        notice.iSubItem = column - 1;
        SendMessageW(GetParent(List()), WM_NOTIFY, notice.hdr.idFrom, LPARAM(&notice));
    }
};

TEST_F(SubfoldersPageTest, RowsShowEachChildInKilobytesAndItsShare) {
    ShowRoot();
    ASSERT_EQ((std::vector<std::string>{"Data", "Windows"}), Names());
    const int windows = RowOf("Windows");
    EXPECT_EQ("5 KB", Page().CellText(windows, colSize));        // 5,100 bytes
    EXPECT_EQ("12 KB", Page().CellText(windows, colAllocated));  // 8 KB + 4 KB of clusters
    EXPECT_EQ("7 KB", Page().CellText(windows, colWasted));
    EXPECT_EQ("3", Page().CellText(windows, colObjects));        // two files and System
    EXPECT_EQ("0 KB", Page().CellText(RowOf("Data"), colSize));  // 370 bytes round down
    // With the waste counted: 12 KB of the root's 24 KB; without it 5,100 of 5,480 bytes.
    Main.Options.IncludeWastedInformation = true;
    Main.Form->InvalidateViews(true);
    EXPECT_EQ("50.00 %", Page().CellText(RowOf("Windows"), colShare));
    Main.Options.IncludeWastedInformation = false;
    Main.Form->InvalidateViews(true);
    EXPECT_EQ("93.07 %", Page().CellText(RowOf("Windows"), colShare));
    EXPECT_EQ(L"Name", [&] {
        wchar_t text[32] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 32;
        SendMessageW(List(), LVM_GETCOLUMNW, 0, LPARAM(&column));
        return std::wstring(text);
    }());

    // The cluster size box changes the kilobyte columns.
    HWND box = Main.Control(idClustersBox);
    SendMessageW(box, CB_SETCURSEL, 7, 0);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(idClustersBox, CBN_SELCHANGE), LPARAM(box));
    Main.Pump();
    EXPECT_EQ("128 KB", Page().CellText(RowOf("Windows"), colAllocated));
}

TEST_F(SubfoldersPageTest, HeaderClicksSortAndReverse) {
    ShowRoot();
    EXPECT_EQ(colName, Page().SortColumn());
    ClickHeader(colName);  // Name ascending is already the key: a click reverses it
    EXPECT_EQ((std::vector<std::string>{"Windows", "Data"}), Names());
    EXPECT_EQ(-colName, Page().SortColumn());
    ClickHeader(colSize);
    EXPECT_EQ((std::vector<std::string>{"Data", "Windows"}), Names());  // 0 KB before 5 KB
    ClickHeader(colSize);
    EXPECT_EQ((std::vector<std::string>{"Windows", "Data"}), Names());
    ClickHeader(colSize);
    EXPECT_EQ(colSize, Page().SortColumn());
    // The key outlives the folder shown.
    Click(*Node("C:\\Windows"));
    Main.Command(cmdViewSubfolders);
    EXPECT_EQ(colSize, Page().SortColumn());
    EXPECT_EQ((std::vector<std::string>{"System"}), Names());
}

TEST_F(SubfoldersPageTest, UpOneLevelShowsBelowARootOnly) {
    ShowRoot();
    EXPECT_FALSE(Page().UpOneLevelShown());
    EXPECT_EQ("C:\\", Page().PathLabel());
    Click(*Node("C:\\Data"));
    EXPECT_TRUE(Page().UpOneLevelShown());
    EXPECT_EQ("C:\\Data", Page().PathLabel());
    EXPECT_EQ((std::vector<std::string>{"Old"}), Names());
}

TEST_F(SubfoldersPageTest, DoubleClickOpensTheRowAndRightClickShowsItsMenu) {
    ShowRoot();
    const int data = RowOf("Data");
    Press(WM_RBUTTONDOWN, WM_RBUTTONUP, RowPoint(data));
    ASSERT_EQ(1u, Menus.Shown.size());
    EXPECT_EQ("C:\\Data", Menus.Shown[0].Path);
    EXPECT_EQ("C:\\", SelectedPath());  // the tree is left alone

    const POINT point = RowPoint(data);
    Press(WM_LBUTTONDOWN, WM_LBUTTONUP, point);
    SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    Main.Pump();
    EXPECT_EQ("C:\\Data", SelectedPath());
    EXPECT_EQ((std::vector<std::string>{"Old"}), Names());
}

TEST_F(SubfoldersPageTest, ARightClickWithNoRowSelectedShowsNoMenu) {
    ShowRoot();
    RECT client;
    GetClientRect(List(), &client);
    Press(WM_RBUTTONDOWN, WM_RBUTTONUP, POINT{client.right / 2, client.bottom - 5});
    EXPECT_EQ(-1, Page().List().SelectedRow());
    EXPECT_TRUE(Menus.Shown.empty());
}

TEST_F(SubfoldersPageTest, TheHighlightFollowsItsFolderAndTheKeyboardActsOnIt) {
    ShowRoot();
    Page().List().SelectRow(RowOf("Data"));
    ClickHeader(colName);  // Data moves to the second row
    EXPECT_EQ((std::vector<std::string>{"Windows", "Data"}), Names());
    EXPECT_EQ(RowOf("Data"), Page().List().SelectedRow());

    // Shift+F10 (or the menu key) shows the selected row's menu.
    SendMessageW(List(), WM_CONTEXTMENU, WPARAM(List()), -1);
    ASSERT_EQ(1u, Menus.Shown.size());
    EXPECT_EQ("C:\\Data", Menus.Shown[0].Path);

    // Enter opens it, and nothing of the new list is highlighted.
    SendMessageW(List(), WM_KEYDOWN, VK_RETURN, 0);
    Main.Pump();
    EXPECT_EQ("C:\\Data", SelectedPath());
    EXPECT_EQ((std::vector<std::string>{"Old"}), Names());
    EXPECT_EQ(-1, Page().List().SelectedRow());

    // Backspace goes back up.
    SendMessageW(List(), WM_KEYDOWN, VK_BACK, 0);
    Main.Pump();
    EXPECT_EQ("C:\\", SelectedPath());
}

TEST_F(SubfoldersPageTest, AResizeWhileAnotherPageShowsIsLaidOutOnReturn) {
    ShowRoot();
    Main.Command(cmdViewPieChart);
    RECT window;
    GetWindowRect(Main.Form->Handle(), &window);
    SetWindowPos(Main.Form->Handle(), nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 100,
                 SWP_NOMOVE | SWP_NOZORDER);
    Main.Pump();
    Main.Command(cmdViewSubfolders);
    RECT sheet, list;
    GetClientRect(GetParent(GetParent(List())), &sheet);
    GetWindowRect(List(), &list);
    EXPECT_EQ(sheet.right, list.right - list.left);
}

TEST_F(SubfoldersPageTest, TabAndF6MoveTheFocusBetweenTreeTabsAndPageAndBackspaceGoesUpOnThePie) {
    ShowRoot();
    const auto press = [&](WPARAM key) {
        MSG message = {GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(Main.Form->PreTranslateMessage(message));
        Main.Pump();
    };
    SetFocus(Main.Form->FolderTree());
    press(VK_TAB);
    EXPECT_EQ(Main.Form->Pages().Handle(), GetFocus());
    press(VK_F6);
    EXPECT_EQ(List(), GetFocus());
    press(VK_TAB);
    EXPECT_EQ(Main.Form->FolderTree(), GetFocus());
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    press(VK_TAB);  // Shift+Tab goes back round
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(List(), GetFocus());

    Click(*Node("C:\\Data"));
    Main.Command(cmdViewPieChart);
    SetFocus(Main.Form->Pages().Handle());
    press(VK_BACK);
    EXPECT_EQ("C:\\", SelectedPath());
}

}  // namespace
