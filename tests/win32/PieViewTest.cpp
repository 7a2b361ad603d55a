// The pie page in a real main window, on a scanned memory drive: what the
// chart shows, what the header says under the mouse, and walking the tree
// by clicking.

#include <gtest/gtest.h>

#include <cmath>

#include "ScanFlowFixture.h"
#include "config/Options.h"
#include "main/MainCommands.h"
#include "main/Pages.h"
#include "main/win32/SubfoldersPage.h"
#include "main/ClusterSizeBox.h"
#include "pie/PieMath.h"
#include "pie/SectionInfo.h"
#include "pie/win32/PieView.h"
#include "platform/win32/GdiCanvas.h"

namespace {

// The real navigator, holding each node it is handed to the tree as it is
// at that moment: a node that is no longer in it has been freed.
class TLiveNodeNavigator : public IFolderNavigator {
public:
    TLiveNodeNavigator(IFolderNavigator& real, TFolderTree& tree) : Real(real), Tree(tree) {}
    void SelectNode(TFolderNode& node) override { Check(node), Real.SelectNode(node); }
    void ExpandNode(TFolderNode& node) override { Check(node), Real.ExpandNode(node); }
    void CollapseSubtree(TFolderNode& node) override { Check(node), Real.CollapseSubtree(node); }
    void ShowNodeContextMenu(const TCurrentPieItem& item, int x, int y, HWND control) override {
        Real.ShowNodeContextMenu(item, x, y, control);
    }
    bool RemoveIfVanished(TFolderNode& node) override { return Check(node), Real.RemoveIfVanished(node); }
    bool CheckDriveReady(const TFolderNode& node) override { return Real.CheckDriveReady(node); }
    void RescanNearest(const std::string& path) override { Real.RescanNearest(path); }
    void ShowPathContextMenu(const std::string& path, POINT point) override { Real.ShowPathContextMenu(path, point); }
    const TDriveList& DriveRecords() const override { return Real.DriveRecords(); }

    int FreedNodesHanded = 0;

    bool IsLive(const TFolderNode* node) const {
        for (const auto& root : Tree.Roots())
            if (Holds(*root, node)) return true;
        return false;
    }

private:
    static bool Holds(const TFolderNode& top, const TFolderNode* node) {
        if (&top == node) return true;
        for (const auto& child : top.Children)
            if (Holds(*child, node)) return true;
        return false;
    }
    void Check(const TFolderNode& node) {
        if (!IsLive(&node)) ++FreedNodesHanded;
    }

    IFolderNavigator& Real;
    TFolderTree& Tree;
};

class PieViewTest : public TScanFlowFixture {
protected:
    // C:\ scanned and C:\Data selected: its pie holds Old (300 bytes, 292
    // degrees from 12 o'clock counter-clockwise) and its files (70 bytes).
    void ShowData() {
        Start();
        Main.Options.IncludeWastedInformation = false;
        Main.Options.ShowFileNames = false;
        ScanWithToolbar('C');
        Click(*Node("C:\\Data"));
    }

    TPieView& Pie() { return *Main.Form->Pie(); }
    HWND PaintBox() { return Pie().PaintBox(); }

    // A point of the pie at that angle (degrees counter-clockwise from 12
    // o'clock) and that fraction of the radius.
    POINT At(double degrees, double fraction) {
        const THPieChart& chart = Pie().PieChart();
        const double radians = degrees * 3.14159265358979 / 180.0;
        const double r = chart.Radius * fraction;
        return {LONG(chart.PieLeft + chart.Radius - r * std::sin(radians)),
                LONG(chart.PieTop + chart.Radius - r * std::cos(radians))};
    }
    POINT Outside() { return {2, 2}; }

    void Mouse(UINT message, POINT point) {
        const WPARAM keys = message == WM_LBUTTONDOWN ? MK_LBUTTON : message == WM_RBUTTONDOWN ? MK_RBUTTON : 0;
        SendMessageW(PaintBox(), message, keys, MAKELPARAM(point.x, point.y));
        Main.Pump();
    }

    TColor PixelAt(POINT point) { return Pie().PieBitmap().Pixel(point.x, point.y); }
};

TEST_F(PieViewTest, TheSelectedFolderShowsAsWedgesOfItsColours) {
    ShowData();
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorNormalFolder]), PixelAt(At(90, 0.5)));   // Old, left of the centre
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorNormalFolder]), PixelAt(At(270, 0.5)));  // and right of it
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorFilesInFolder]),
              PixelAt(At(326, 0.5)));  // the files, at one o'clock
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorPieBackground]), PixelAt(Outside()));
    // The header describes the folder itself.
    EXPECT_EQ("370 bytes", Pie().HeaderSize());
    EXPECT_EQ(L"Folder C:\\Data", Main.StatusText(0));
    // What the chart drew reached the screen.
    HDC screen = GetDC(PaintBox());
    const POINT left = At(90, 0.5);
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorNormalFolder]), GetPixel(screen, left.x, left.y));
    ReleaseDC(PaintBox(), screen);
}

TEST_F(PieViewTest, TheHeaderFollowsTheMouseWithoutRedrawingThePie) {
    ShowData();
    Mouse(WM_MOUSEMOVE, At(90, 0.5));
    EXPECT_EQ(L"Folder C:\\Data\\Old", Main.StatusText(0));
    EXPECT_EQ("300 bytes", Pie().HeaderSize());
    EXPECT_EQ(0, Pie().Hover().HoverIndex());
    EXPECT_EQ(0, Pie().PieChart().HighlightIndex);
    EXPECT_EQ(Main.Form->Cursor(kCursorZoomIn), GetCursor());
    // Drawn straight onto the paint box: nothing waits for a full repaint.
    EXPECT_FALSE(GetUpdateRect(PaintBox(), nullptr, FALSE));

    Mouse(WM_MOUSEMOVE, At(326, 0.5));
    EXPECT_EQ(L"Files in this folder", Main.StatusText(0));
    EXPECT_EQ("70 bytes", Pie().HeaderSize());
    EXPECT_EQ("Files in this folder", Pie().HeaderName());
    EXPECT_EQ("", Pie().HeaderType());
    EXPECT_EQ(Main.Form->Cursor(kCursorArrow), GetCursor());

    // Beside the pie: the folder itself and the zoom-out cursor.
    Mouse(WM_MOUSEMOVE, Outside());
    EXPECT_EQ(L"Folder C:\\Data", Main.StatusText(0));
    EXPECT_EQ(-1, Pie().Hover().HoverIndex());
    EXPECT_EQ(Main.Form->Cursor(kCursorZoomOut), GetCursor());
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());  // never rebuilt

    // At a drive's root the arrow shows beside the pie.
    Click(*Root('C'));
    Mouse(WM_MOUSEMOVE, Outside());
    EXPECT_EQ(Main.Form->Cursor(kCursorArrow), GetCursor());
}

TEST_F(PieViewTest, AClickOnAWedgeOpensTheSubfolder) {
    ShowData();
    Main.Options.AutoExpand = false;
    Mouse(WM_LBUTTONDOWN, At(90, 0.5));
    EXPECT_EQ("C:\\Data\\Old", SelectedPath());
    EXPECT_EQ("C:\\Data\\Old", Pie().BuiltPath());
    EXPECT_FALSE(IsExpanded(*Node("C:\\Data\\Old")));

    Click(*Node("C:\\Data"));
    Main.Options.AutoExpand = true;
    Mouse(WM_LBUTTONDOWN, At(90, 0.5));
    EXPECT_EQ("C:\\Data\\Old", SelectedPath());
    EXPECT_TRUE(IsExpanded(*Node("C:\\Data\\Old")));

    // The files' wedge reselects the folder; only the middle button is ignored.
    Click(*Node("C:\\Data"));
    Mouse(WM_LBUTTONDOWN, At(326, 0.5));
    EXPECT_EQ("C:\\Data", SelectedPath());
    Mouse(WM_MBUTTONDOWN, At(90, 0.5));
    EXPECT_EQ("C:\\Data", SelectedPath());
}

TEST_F(PieViewTest, AClickOnTheWedgeOfAFolderDeletedOutsideOpensWhatIsSelectedAfterwards) {
    ShowData();
    TLiveNodeNavigator navigator(*Commands, Commands->Tree());
    Main.Form->SetNavigator(&navigator);
    Main.Options.AutoExpand = true;
    Main.Files.Remove("C:\\Data\\Old");
    Mouse(WM_LBUTTONDOWN, At(90, 0.5));
    Main.Form->SetNavigator(Commands.get());
    EXPECT_EQ(0, navigator.FreedNodesHanded);
    EXPECT_EQ(nullptr, Node("C:\\Data\\Old"));
    EXPECT_EQ("C:\\Data", SelectedPath());
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    for (const auto& section : Pie().PieChart().Sections)
        EXPECT_TRUE(!section->Node || navigator.IsLive(section->Node));
}

TEST_F(PieViewTest, PagesLetGoOfFoldersRemovedOrRescanned) {
    ShowData();
    Main.Form->ShowPage(2);  // the Subfolders page keeps its folder too
    Main.Form->ShowPage(0);
    ASSERT_NE(nullptr, Main.Form->Subfolders()->ShownNode());
    TLiveNodeNavigator live(*Commands, Commands->Tree());
    const auto pieNodesLive = [&] {
        for (const auto& section : Pie().PieChart().Sections)
            if (section->Node && !live.IsLive(section->Node)) return false;
        return true;
    };

    // A rescan of the drive frees every node below its root.
    Main.Form->ExecuteCommand(cmdFileRescanCurrentDrive);
    Main.Pump();
    EXPECT_TRUE(pieNodesLive());
    EXPECT_TRUE(!Main.Form->Subfolders()->ShownNode() || live.IsLive(Main.Form->Subfolders()->ShownNode()));

    // Removing the drive frees them all: nothing shown may point at them.
    Click(*Node("C:\\Data"));
    Main.Form->ExecuteCommand(cmdFileRemoveCurrentDrive);
    Main.Pump();
    EXPECT_EQ(nullptr, Root('C'));
    EXPECT_EQ("", Pie().BuiltPath());
    EXPECT_TRUE(pieNodesLive());
    EXPECT_EQ(nullptr, Main.Form->Subfolders()->ShownNode());
    EXPECT_EQ(nullptr, Main.Form->State().CurrentNode);

    // Scanned again, the same path shows the new folders.
    ScanWithToolbar('C');
    Click(*Node("C:\\Data"));
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    EXPECT_TRUE(pieNodesLive());
    Mouse(WM_LBUTTONDOWN, At(90, 0.5));
    EXPECT_EQ("C:\\Data\\Old", SelectedPath());
}

TEST_F(PieViewTest, TheSectionSizeWindowGivesTheWasteOfTheSpaceTakenAtTheClusterSizeInView) {
    Start();
    ScanWithToolbar('C');
    Click(*Node("C:\\Windows"));  // 5,100 bytes in two files: 12 KB at 4 KB clusters
    EXPECT_EQ(PercentOf(12288 - 5100, 12288), SectionBox->WastedGauge().Progress());
    HWND box = Main.Control(idClustersBox);
    SendMessageW(box, CB_SETCURSEL, 7, 0);  // 64 KB clusters: 128 KB taken
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(idClustersBox, CBN_SELCHANGE), LPARAM(box));
    Main.Pump();
    EXPECT_EQ(PercentOf(131072 - 5100, 131072), SectionBox->WastedGauge().Progress());
}

TEST_F(PieViewTest, AClickBesideThePieGoesUpAndMayCollapse) {
    Start();
    ScanWithToolbar('C');
    Click(*Node("C:\\Windows\\System"));
    Main.Options.AutoCollapse = true;
    SendMessageW(Main.Form->FolderTree(), TVM_EXPAND, TVE_EXPAND, LPARAM(Node("C:\\Windows")->ViewItem));
    Mouse(WM_LBUTTONDOWN, Outside());
    EXPECT_EQ("C:\\Windows", SelectedPath());
    EXPECT_EQ("C:\\Windows", Pie().BuiltPath());
    Mouse(WM_LBUTTONDOWN, Outside());
    EXPECT_EQ("C:\\", SelectedPath());
    EXPECT_FALSE(IsExpanded(*Node("C:\\Windows")));  // collapsed on the way up
    Mouse(WM_LBUTTONDOWN, Outside());
    EXPECT_EQ("C:\\", SelectedPath());  // the root goes nowhere

    // Without the option the folder left behind stays open.
    Click(*Node("C:\\Data\\Old"));
    SendMessageW(Main.Form->FolderTree(), TVM_EXPAND, TVE_EXPAND, LPARAM(Node("C:\\Data\\Old")->ViewItem));
    Main.Options.AutoCollapse = false;
    Mouse(WM_LBUTTONDOWN, Outside());
    EXPECT_EQ("C:\\Data", SelectedPath());
    EXPECT_TRUE(IsExpanded(*Node("C:\\Data\\Old")));
}

TEST_F(PieViewTest, RightClicksOpenTheShellMenuOfRealItemsOnly) {
    ShowData();
    Mouse(WM_RBUTTONDOWN, At(90, 0.5));  // no move yet: no item
    EXPECT_TRUE(Menus.Shown.empty());
    Mouse(WM_MOUSEMOVE, At(90, 0.5));
    Mouse(WM_RBUTTONDOWN, At(90, 0.5));
    ASSERT_EQ(1u, Menus.Shown.size());
    EXPECT_EQ("C:\\Data\\Old", Menus.Shown[0].Path);
    // A group has no menu.
    Mouse(WM_MOUSEMOVE, At(326, 0.5));
    Mouse(WM_RBUTTONDOWN, At(326, 0.5));
    EXPECT_EQ(1u, Menus.Shown.size());
    // After a rebuild the old entry is gone until the mouse moves again.
    Mouse(WM_MOUSEMOVE, At(90, 0.5));
    Main.Form->InvalidatePie();
    Mouse(WM_RBUTTONDOWN, At(90, 0.5));
    EXPECT_EQ(1u, Menus.Shown.size());
}

TEST_F(PieViewTest, ResizingRepaintsWithoutRebuilding) {
    ShowData();
    Mouse(WM_MOUSEMOVE, At(90, 0.5));
    const int oldRadius = Pie().PieChart().Radius;
    const TSectionInfo* entry = Pie().SectionInfos().Get(1);
    RECT window;
    GetWindowRect(Main.Form->Handle(), &window);
    SetWindowPos(Main.Form->Handle(), nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 150,
                 SWP_NOMOVE | SWP_NOZORDER);
    Main.Pump();
    RECT box;
    GetClientRect(PaintBox(), &box);
    EXPECT_EQ(box.right, Pie().PieBitmap().Width());
    EXPECT_EQ(box.bottom, Pie().PieBitmap().Height());
    EXPECT_GT(Pie().PieChart().Radius, oldRadius);
    EXPECT_EQ(entry, Pie().SectionInfos().Get(1));  // the same entries: nothing rebuilt
    EXPECT_EQ(ToColorRef(Main.Options.Colors[kColorNormalFolder]), PixelAt(At(90, 0.5)));
}

TEST_F(PieViewTest, SortAndLabelChoicesRebuildThePieWhenItShows) {
    ShowData();
    EXPECT_EQ(0u, Pie().PieChart().GetSection(0)->Caption.find("Old ("));  // with the option's percentage
    // Both label buttons up: the wedges keep their names only.
    Main.Form->ExecuteCommand(toolPercent);
    EXPECT_EQ("Old", Pie().PieChart().GetSection(0)->Caption);

    // Off the pie page a new order waits for the next showing.
    Main.Command(cmdViewSubfolders);
    Main.Command(cmdViewPieSortAscending);
    EXPECT_EQ("", Pie().BuiltPath());
    Main.Command(cmdViewPieChart);
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    EXPECT_EQ("Files in this folder", Pie().PieChart().GetSection(0)->Caption);  // the smaller wedge first
    // On it the pie is rebuilt at once.
    Main.Command(cmdViewPieSortDescending);
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    EXPECT_EQ("Old", Pie().PieChart().GetSection(0)->Caption);
}

}  // namespace
