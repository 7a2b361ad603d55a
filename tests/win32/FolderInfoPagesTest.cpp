// The Folder Info and Wasted Space pages in a real main window, on drives
// that live in memory: what they show for a folder and for a drive, how
// the cluster size box changes one and not the other, and the help link.

#include "ScanFlowFixture.h"
#include "controls/win32/Fonts.h"
#include "main/ClusterSizeBox.h"
#include "main/win32/FolderInfoPage.h"
#include "main/win32/WastedSpacePage.h"
#include "scan/FolderSize.h"

namespace {

constexpr TColor kWindowColor = kSystemColorFlag | COLOR_WINDOW;
constexpr TColor kShadedColor = kSystemColorFlag | COLOR_BTNFACE;

// 13:05:09 UTC on Monday, 7 December 2026, as a file time.
TFileTime December7th2026At130509() {
    const uint64_t seconds = 155568ull * 86400 + 13 * 3600 + 5 * 60 + 9;
    return MakeFileTime(seconds * 10000000);
}

class FolderInfoPagesTest : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        // 3,000 + 10,000 bytes: on 4 KB clusters they take 4 KB + 12 KB.
        Main.Files.AddFolder("C:\\Program Files", kAttrReadOnly, "PROGRA~1");
        Main.Files.AddFile("C:\\Program Files\\setup.log", 3000, kAttrArchive | kAttrHidden).LastWriteTime =
            December7th2026At130509();
        Main.Files.AddFolder("C:\\Program Files\\Tools");
        Main.Files.AddFile("C:\\Program Files\\Tools\\tool.exe", 10000);
    }

    TFolderInfoPage& FolderInfo() const { return *Main.Form->FolderInfo(); }
    TWastedSpacePage& Wasted() const { return *Main.Form->WastedSpace(); }

    void ShowPage(int command) {
        Main.Form->ExecuteCommand(command);
        Main.Pump();
    }

    // A user's choice in the cluster size box.
    void ChooseClusterEntry(int entry) {
        const HWND box = Main.Control(idClustersBox);
        SendMessageW(box, CB_SETCURSEL, WPARAM(entry), 0);
        SendMessageW(Main.Window(), WM_COMMAND, MAKEWPARAM(idClustersBox, CBN_SELCHANGE), LPARAM(box));
        Main.Pump();
    }

    void ClickReduceWasteLink() {
        const HWND link = Wasted().ReduceWasteLink();
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        Main.Pump();
    }

    // What the window under the mouse would show over the control.
    static HCURSOR CursorOver(HWND control) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(control, WM_SETCURSOR, WPARAM(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }

    // The text a tooltip window holds for a control.
    static std::string TipOf(HWND tips, HWND control) {
        wchar_t buffer[512] = {};
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = GetParent(control);
        tool.uId = UINT_PTR(control);
        tool.lpszText = buffer;
        SendMessageW(tips, TTM_GETTEXTW, WPARAM(512), LPARAM(&tool));
        return Narrow(buffer);
    }

    // The eight value labels as shown, with their tooltips as hints.
    TMeasurementTexts ShownMeasurements() const {
        TMeasurementTexts shown;
        TLabelText* fields[] = {&shown.TreeSize,   &shown.TreeAllocated,   &shown.TreeWasted,   &shown.TreeObjects,
                                &shown.FolderSize, &shown.FolderAllocated, &shown.FolderWasted, &shown.FolderObjects};
        for (int index = 0; index < 8; ++index) {
            fields[index]->Text = FolderInfo().MeasurementText(index);
            fields[index]->Hint = TipOf(FolderInfo().ToolTipWindow(), FolderInfo().MeasurementLabel(index));
        }
        return shown;
    }
    std::string WastedTip(HWND control) const { return TipOf(Wasted().ToolTipWindow(), control); }

    std::vector<std::string> GridColumn(int column) const {
        std::vector<std::string> cells;
        const TFolderInfoGrid& grid = FolderInfo().Grid();
        for (int row = 0; row < grid.RowCount(); ++row) cells.push_back(grid.Cell(row, column));
        return cells;
    }
};

TEST_F(FolderInfoPagesTest, FolderInfoShowsTheFolderAloneAndWithItsSubfolders) {
    Start();
    ScanWithToolbar('C');
    ShowPage(cmdViewFolderInformation);
    Click(*Node("C:\\Program Files"));

    ASSERT_NE(Main.Form->FolderInfo(), nullptr);
    EXPECT_EQ(FolderInfo().BuiltPath(), "C:\\Program Files");
    EXPECT_EQ(FolderInfo().PathText(), "C:\\Program Files");
    EXPECT_EQ(FolderInfo().TypeText(), "");  // the test shell knows no type names
    const TMeasurementTexts shown = ShownMeasurements();
    EXPECT_EQ(shown.TreeSize.Text, "13 KB");
    EXPECT_EQ(shown.TreeSize.Hint, "13,000 bytes");
    EXPECT_EQ(shown.TreeAllocated.Text, "16 KB");
    EXPECT_EQ(shown.TreeAllocated.Hint, "16,384 bytes");
    EXPECT_EQ(shown.TreeWasted.Text, "3 KB");
    EXPECT_EQ(shown.TreeWasted.Hint, "3,384 bytes");
    EXPECT_EQ(shown.TreeObjects.Text, "3");
    EXPECT_EQ(shown.TreeObjects.Hint, "2 file(s) and 1 subfolder(s)");
    EXPECT_EQ(shown.FolderSize.Text, "3 KB");
    EXPECT_EQ(shown.FolderSize.Hint, "3,000 bytes");
    EXPECT_EQ(shown.FolderAllocated.Text, "4 KB");
    EXPECT_EQ(shown.FolderAllocated.Hint, "4,096 bytes");
    EXPECT_EQ(shown.FolderWasted.Text, "1 KB");
    EXPECT_EQ(shown.FolderWasted.Hint, "1,096 bytes");
    EXPECT_EQ(shown.FolderObjects.Text, "2");
    EXPECT_EQ(shown.FolderObjects.Hint, "1 file(s) and 1 subfolder(s)");

    // The values show a hand; they answer the cursor question for themselves.
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (int index = 0; index < 8; ++index) EXPECT_EQ(CursorOver(FolderInfo().MeasurementLabel(index)), hand) << index;
}

TEST_F(FolderInfoPagesTest, GridDescribesTheFolderAndLeavesARootsOwnEntryEmpty) {
    Start();
    ScanWithToolbar('C');
    ShowPage(cmdViewFolderInformation);
    Click(*Node("C:\\Program Files"));

    ASSERT_EQ(FolderInfo().Grid().RowCount(), 11);
    EXPECT_EQ(GridColumn(0),
              (std::vector<std::string>{"Long name", "MS-DOS name", "Last access date", "Last change date",
                                        "Creation date", "Attributes", "", "Read-Only files", "Hidden files",
                                        "System files", "Compressed files"}));
    // The test shell names everything on C: after the drive.
    EXPECT_EQ(GridColumn(1), (std::vector<std::string>{
                                 "Local Disk (C:)", "PROGRA~1", "(unknown)", "Monday, December 7, 2026 01:05:09 PM",
                                 "(unknown)", "ReadOnly + Directory", "", "No Read-Only files",
                                 "The folder contains Hidden files", "No System files", "No Compressed files"}));
    // The window lays out at 96 DPI.
    EXPECT_EQ(FolderInfo().Grid().ColumnWidth(0), 110);

    // The row height is that of "Long name" in Arial 9 point plus 4; the
    // list itself may add a pixel of its own.
    const TFont gridFont = MakeFont({L"Arial", TFontSize::Points(9)}, TPixelScale(96));
    HDC screen = GetDC(nullptr);
    SIZE text = {};
    {
        TSelection useFont(screen, gridFont.Get());
        GetTextExtentPoint32W(screen, L"Long name", 9, &text);
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GE(FolderInfo().Grid().RowHeight(), text.cy + 4);
    EXPECT_LE(FolderInfo().Grid().RowHeight(), text.cy + 5);

    // A drive's root has no directory entry of its own.
    Click(*Root('C'));
    EXPECT_EQ(FolderInfo().BuiltPath(), "C:\\");
    EXPECT_EQ(FolderInfo().TypeText(), "Root Folder of Drive");
    EXPECT_EQ(FolderInfo().PathText(), "Local Disk (C:)");
    const std::vector<std::string> root = GridColumn(1);
    EXPECT_EQ(root[0], "Local Disk (C:)");
    EXPECT_EQ(root[1], "");
    EXPECT_EQ(root[4], "(unknown)");
    EXPECT_EQ(root[5], "");
    EXPECT_EQ(root[3], "Monday, December 7, 2026 01:05:09 PM");  // the newest change below it
    EXPECT_EQ(root[8], "The folder contains Hidden files");
    EXPECT_EQ(ShownMeasurements().TreeSize.Hint, "18,480 bytes");
}

TEST_F(FolderInfoPagesTest, ClusterSizeBoxChangesFolderInfoButNotWastedSpace) {
    Start();
    ScanWithToolbar('C');
    Click(*Node("C:\\Program Files"));
    ShowPage(cmdViewWastedSpace);
    std::vector<std::string> wastedBefore;
    for (int k = 1; k <= kClusterSizeCount; ++k) wastedBefore.push_back(Wasted().SizeText(k));
    EXPECT_EQ(wastedBefore,
              (std::vector<std::string>{"312 bytes", "1 KB", "3 KB", "11 KB", "19 KB", "51 KB", "115 KB"}));

    ShowPage(cmdViewFolderInformation);
    ChooseClusterEntry(7);  // "64 K"
    EXPECT_EQ(Main.Form->State().ClusterView, 7);
    EXPECT_EQ(FolderInfo().BuiltPath(), "C:\\Program Files");  // rebuilt for the new view
    TMeasurementTexts shown = ShownMeasurements();
    EXPECT_EQ(shown.TreeAllocated.Text, "128 KB");
    EXPECT_EQ(shown.TreeAllocated.Hint, "131,072 bytes");
    EXPECT_EQ(shown.TreeWasted.Text, "115 KB");
    EXPECT_EQ(shown.TreeWasted.Hint, "118,072 bytes");
    EXPECT_EQ(shown.FolderAllocated.Text, "64 KB");
    EXPECT_EQ(shown.FolderWasted.Text, "61 KB");
    EXPECT_EQ(shown.FolderWasted.Hint, "62,536 bytes");
    EXPECT_EQ(shown.TreeSize.Text, "13 KB");  // sizes and counts stay
    EXPECT_EQ(shown.FolderObjects.Text, "2");

    ShowPage(cmdViewWastedSpace);
    for (int k = 1; k <= kClusterSizeCount; ++k) EXPECT_EQ(Wasted().SizeText(k), wastedBefore[size_t(k - 1)]) << k;
    EXPECT_EQ(Wasted().PanelColor(3), kShadedColor);  // still the drive's own 4 KB
    EXPECT_EQ(Wasted().PanelColor(7), kWindowColor);

    ChooseClusterEntry(0);  // "Drive cluster size"
    ShowPage(cmdViewFolderInformation);
    shown = ShownMeasurements();
    EXPECT_EQ(shown.TreeAllocated.Text, "16 KB");
    EXPECT_EQ(shown.FolderWasted.Hint, "1,096 bytes");
}

TEST_F(FolderInfoPagesTest, WastedSpaceShadesTheDrivesOwnClusterSizeAndItsGaugeCorners) {
    Main.DriveInfo.AddDrive("D:\\").DiskClusterSize = 1024;  // a size with no panel
    Start();
    ScanWithToolbar('C');
    ScanWithToolbar('D');
    Click(*Node("C:\\Program Files"));
    ShowPage(cmdViewWastedSpace);

    EXPECT_EQ(Wasted().AmountText(), "Amount of space wasted by folder (+ subfolders)");
    EXPECT_EQ(Wasted().PathText(), "C:\\Program Files");
    EXPECT_EQ(Wasted().AtDiffText(), "at different cluster sizes (and % of usage+wasted)");
    const int percents[] = {2, 9, 20, 47, 60, 80, 90};
    const char* hints[] = {"312 bytes",    "1,336 bytes",  "3,384 bytes",  "11,576 bytes",
                           "19,768 bytes", "52,536 bytes", "118,072 bytes"};
    const char* captions[] = {"0.5K", "2K", "4K", "8K", "16K", "32K", "64K"};
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Wasted().PanelColor(k), k == 3 ? kShadedColor : kWindowColor);
        // The disc's corners are painted in the panel's colour, shaded or not.
        EXPECT_EQ(Wasted().Gauge(k).Color(), Wasted().PanelColor(k));
        EXPECT_EQ(Wasted().Gauge(k).ForeColor(), TColor(0x00FF00));
        EXPECT_EQ(Wasted().Gauge(k).BorderStyle(), TGaugeBorderStyle::None);
        EXPECT_EQ(Wasted().Gauge(k).Progress(), percents[k - 1]);
        EXPECT_EQ(WastedTip(Wasted().SizeLabel(k)), hints[k - 1]);
        EXPECT_EQ(Wasted().CaptionText(k), captions[k - 1]);
        EXPECT_EQ(WastedTip(Wasted().CaptionLabel(k)), std::to_string(ClusterSizes[k]) + " bytes");
        EXPECT_EQ(CursorOver(Wasted().Panel(k)), hand);
    }
    EXPECT_EQ(WastedTip(Wasted().Panel(3)), "FAT (128 MB - 255 MB), FAT32 (less than 8 GB)");
    EXPECT_EQ(WastedTip(Wasted().Panel(7)), "");
    EXPECT_EQ(CursorOver(Wasted().ReduceWasteLink()), hand);

    // A drive whose clusters match no panel shades none, and the gauge
    // that was shaded follows its panel back.
    Click(*Node("D:\\Games"));
    EXPECT_EQ(Main.Form->State().CurrentClusterSize, 1024);
    for (int k = 1; k <= kClusterSizeCount; ++k) {
        EXPECT_EQ(Wasted().PanelColor(k), kWindowColor) << k;
        EXPECT_EQ(Wasted().Gauge(k).Color(), kWindowColor) << k;
    }
    Click(*Root('C'));
    EXPECT_EQ(Wasted().PanelColor(3), kShadedColor);
    EXPECT_EQ(Wasted().Gauge(3).Color(), kShadedColor);
}

TEST_F(FolderInfoPagesTest, ReduceWasteLinkOpensTheFolderOrTheDriveTopic) {
    Start();
    ScanWithToolbar('C');
    // The topics beside the program, added after the scan so the sizes stay.
    Main.Files.AddFile("C:\\Apps\\help\\3010.htm", 1);
    Main.Files.AddFile("C:\\Apps\\help\\3020.htm", 1);
    Click(*Node("C:\\Program Files"));
    ShowPage(cmdViewWastedSpace);
    EXPECT_EQ(Wasted().HelpContext(), 3010);
    EXPECT_EQ(TMainFormFixture::Text(Wasted().ReduceWasteLink()),
              L"Click here to learn how to reduce the wasted space");

    ClickReduceWasteLink();
    ASSERT_EQ(Main.Launcher.Opened.size(), 1u);
    EXPECT_EQ(Main.Launcher.Opened[0].Target, "C:\\Apps\\help\\3010.htm");

    Click(*Root('C'));
    EXPECT_EQ(Wasted().AmountText(), "Amount of space wasted on drive");
    EXPECT_EQ(Wasted().PathText(), "Local Disk (C:)");
    EXPECT_EQ(Wasted().HelpContext(), 3020);
    ClickReduceWasteLink();
    ASSERT_EQ(Main.Launcher.Opened.size(), 2u);
    EXPECT_EQ(Main.Launcher.Opened[1].Target, "C:\\Apps\\help\\3020.htm");
}

TEST_F(FolderInfoPagesTest, LongPathsAreShortenedFromTheLeftToFitTheHeaders) {
    const std::string deep =
        "C:\\Data\\Old\\Older\\A folder with a rather long name for a header\\Another folder with a long name\\"
        "A third folder whose name is long enough to need shortening\\And a fourth to be sure on wide screens\\"
        "Deepest folder";
    Main.Files.AddFolder(deep);
    Start();
    ScanWithToolbar('C');
    ShowPage(cmdViewFolderInformation);
    Click(*Node(deep));

    const std::string infoPath = FolderInfo().PathText();
    ShowPage(cmdViewWastedSpace);
    for (const std::string& shown : {infoPath, Wasted().PathText()}) {
        SCOPED_TRACE(shown);
        EXPECT_LT(shown.size(), deep.size());
        EXPECT_EQ(shown.rfind("C:\\...\\", 0), 0u);
        EXPECT_EQ(shown.substr(shown.size() - 15), "\\Deepest folder");
    }
}

}  // namespace
