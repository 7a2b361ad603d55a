#include "main/win32/FolderInfoPage.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "controls/win32/Fonts.h"
#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32ShellInfo.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"

namespace {

// The page's measures at 96 DPI.
constexpr int kHeaderHeight = 41;
constexpr int kIconLeft = 6, kIconTop = 4, kIconSize = 32;
constexpr int kTypeLeft = 45, kTypeTop = 4;
constexpr int kPathLeft = 46, kPathTop = 20;
constexpr int kLabelHeight = 16;
constexpr int kPathMargin = 4;  // kept free right of the path label

constexpr int kBlockHeight = 100;  // the measurement block, its line included
constexpr int kBlockWidth = 400;   // the centred two columns
constexpr int kColumnLefts[2] = {0, 210};
constexpr int kHeadingTop = 8, kHeadingWidth = 190;
constexpr int kRowTop = 28, kRowStep = 17;
constexpr int kCaptionIndent = 8, kCaptionWidth = 72;
constexpr int kValueLeft = 80, kValueWidth = 110;

constexpr int kGridFirstColumnWidth = 110;
constexpr int kGridFontPoints = 9;
constexpr int kRowHeightPadding = 4;  // added to the text height of a row

const char* const kHeadings[2] = {"Tree (Folder + Subfolders)", "Folder"};
const char* const kCaptionTexts[4] = {"Size:", "Allocated:", "Wasted:", "Objects:"};

// The fields in the order of the value labels.
std::array<const TLabelText*, 8> Fields(const TMeasurementTexts& texts) {
    return {&texts.TreeSize,   &texts.TreeAllocated,   &texts.TreeWasted,   &texts.TreeObjects,
            &texts.FolderSize, &texts.FolderAllocated, &texts.FolderWasted, &texts.FolderObjects};
}

}  // namespace

// ---------------------------------------------------------------- the grid

TFolderInfoGrid::TFolderInfoGrid(HWND parent, HFONT font, int firstColumnWidth,
                                 const std::vector<std::string>& rowLabels)
    : List(parent, 0, WS_VSCROLL | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS, false) {
    List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.AddColumn("", firstColumnWidth, false);
    List.AddColumn("", 0, false);
    SetFont(font, firstColumnWidth);
    for (const std::string& label : rowLabels) List.AddRow(label);
}

void TFolderInfoGrid::SetFont(HFONT font, int firstColumnWidth) {
    List.SetFont(font);
    const int rowHeight = int(TextExtent(font, L"Long name").cy) + kRowHeightPadding;
    auto spacer = std::make_unique<TImageList>(ImageList_Create(1, rowHeight, ILC_COLOR, 1, 1));
    if (spacer->Get()) {
        List.SetSmallImages(spacer->Get());
        RowSpacer = std::move(spacer);  // the list has let go of the old one
    }
    SetColumnWidth(0, firstColumnWidth);
}

void TFolderInfoGrid::SetColumnWidth(int column, int width) {
    if (List.ColumnWidth(column) != width) List.SetColumnWidth(column, std::max(width, 0));
}

void TFolderInfoGrid::SetCell(int row, int column, const std::string& text) {
    if (List.Cell(row, column) != text) List.SetCell(row, column, text);
}

int TFolderInfoGrid::RowHeight() const {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    if (!SendMessageW(List.Handle(), LVM_GETITEMRECT, 0, LPARAM(&bounds))) return 0;
    return bounds.bottom - bounds.top;
}

// ---------------------------------------------------------------- the page

TFolderInfoPage::TFolderInfoPage(TPanel& sheet, IPageHost& host, const TPageServices& services)
    : TPage(sheet, host, services) {
    const TPixelScale& scale = Services.Scale;
    GridFont = MakeFont({L"Arial", TFontSize::Points(kGridFontPoints)}, scale);
    panWebFolderInfo = std::make_unique<TPanel>(Sheet.Handle(), 0);
    panWebFolderInfo->SetColor(kWindowColor);
    Hints = std::make_unique<TToolTips>(Sheet.Handle());
    CreateHeader();
    CreateMeasurementBlock();
    std::vector<std::string> rowLabels(kFolderInfoRowLabels.begin(), kFolderInfoRowLabels.end());
    gridFolderInfo = std::make_unique<TFolderInfoGrid>(panWebFolderInfo->Handle(), GridFont.Get(),
                                                       scale(kGridFirstColumnWidth), rowLabels);
}

void TFolderInfoPage::OnResolutionChanged(TPixelScale) {
    const TPixelScale& scale = Services.Scale;
    TFont oldFont = std::move(GridFont);  // the grid uses it until it has the new one
    GridFont = MakeFont({L"Arial", TFontSize::Points(kGridFontPoints)}, scale);
    gridFolderInfo->SetFont(GridFont.Get(), scale(kGridFirstColumnWidth));
}

TFolderInfoPage::~TFolderInfoPage() = default;

void TFolderInfoPage::CreateHeader() {
    const TPixelScale& scale = Services.Scale;
    panWebFolderInfoPath = std::make_unique<TPanel>(panWebFolderInfo->Handle(), 0);
    panWebFolderInfoPath->SetColor(kWindowColor);
    panWebFolderInfoPath->SetBottomLine(true);
    HWND header = panWebFolderInfoPath->Handle();
    imgWebFolderInfo = std::make_unique<TPanel>(header, 0);
    imgWebFolderInfo->SetColor(kWindowColor);
    imgWebFolderInfo->SetBounds(scale(kIconLeft), scale(kIconTop), scale(kIconSize), scale(kIconSize));
    imgWebFolderInfo->OnPaint = [this](HDC dc, const RECT&) { PaintIcon(dc); };
    txtWebFolderInfoType = std::make_unique<TLabel>(header, scale(kTypeLeft), scale(kTypeTop), 0, scale(kLabelHeight),
                                                    Services.Fonts.Text);
    txtWebFolderInfoPath = std::make_unique<TLabel>(header, scale(kPathLeft), scale(kPathTop), 0, scale(kLabelHeight),
                                                    Services.Fonts.Bold);
}

void TFolderInfoPage::CreateMeasurementBlock() {
    const TPixelScale& scale = Services.Scale;
    panWebFolderInfoSizeSupport = std::make_unique<TPanel>(panWebFolderInfo->Handle(), 0);
    panWebFolderInfoSizeSupport->SetColor(kWindowColor);
    panWebFolderInfoSizeSupport->SetBottomLine(true);
    panWebFolderInfoSizeSupport2 = std::make_unique<TPanel>(panWebFolderInfoSizeSupport->Handle(), 0);
    panWebFolderInfoSizeSupport2->SetColor(kWindowColor);
    panWebFolderInfoSizeSupport2->OnMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        return OnMeasurementMessage(message, wParam, result);
    };
    HWND block = panWebFolderInfoSizeSupport2->Handle();

    std::unique_ptr<TLabel>* values[2][4] = {
        {&txtWebTreeInfoSize, &txtWebTreeInfoAllocated, &txtWebTreeInfoWasted, &txtWebTreeInfoObjects},
        {&txtWebFolderInfoSize, &txtWebFolderInfoAllocated, &txtWebFolderInfoWasted, &txtWebFolderInfoObjects}};
    for (int column = 0; column < 2; ++column) {
        const int left = scale(kColumnLefts[column]);
        Captions.push_back(std::make_unique<TLabel>(block, left, scale(kHeadingTop), scale(kHeadingWidth),
                                                    scale(kLabelHeight), Services.Fonts.Bold));
        Captions.back()->SetText(kHeadings[column]);
        for (int row = 0; row < 4; ++row) {
            const int top = scale(kRowTop + row * kRowStep);
            Captions.push_back(std::make_unique<TLabel>(block, left + scale(kCaptionIndent), top, scale(kCaptionWidth),
                                                        scale(kLabelHeight), Services.Fonts.Text));
            Captions.back()->SetText(kCaptionTexts[row]);
            // Notifying labels take the mouse, so their tooltips and the hand show.
            *values[column][row] =
                std::make_unique<TLabel>(block, left + scale(kValueLeft), top, scale(kValueWidth), scale(kLabelHeight),
                                         Services.Fonts.Bold, TLabel::Right, true);
        }
    }
}

std::array<TLabel*, 8> TFolderInfoPage::ValueLabels() const {
    return {txtWebTreeInfoSize.get(),     txtWebTreeInfoAllocated.get(), txtWebTreeInfoWasted.get(),
            txtWebTreeInfoObjects.get(),  txtWebFolderInfoSize.get(),    txtWebFolderInfoAllocated.get(),
            txtWebFolderInfoWasted.get(), txtWebFolderInfoObjects.get()};
}

bool TFolderInfoPage::OnMeasurementMessage(UINT message, WPARAM wParam, LRESULT& result) {
    if (message != WM_SETCURSOR) return false;
    const auto pointed = reinterpret_cast<HWND>(wParam);
    for (const TLabel* label : ValueLabels()) {
        if (label->Handle() != pointed) continue;
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    return false;
}

void TFolderInfoPage::Layout() {
    const TPixelScale& scale = Services.Scale;
    RECT sheet;
    GetClientRect(Sheet.Handle(), &sheet);
    const int width = sheet.right, height = sheet.bottom;
    panWebFolderInfo->SetBounds(0, 0, width, height);

    const int headerHeight = scale(kHeaderHeight);
    panWebFolderInfoPath->SetBounds(0, 0, width, headerHeight);
    txtWebFolderInfoType->SetBounds(scale(kTypeLeft), scale(kTypeTop), width - scale(kTypeLeft) - scale(kPathMargin),
                                    scale(kLabelHeight));
    txtWebFolderInfoPath->SetBounds(scale(kPathLeft), scale(kPathTop), width - scale(kPathLeft) - scale(kPathMargin),
                                    scale(kLabelHeight));

    const int blockHeight = scale(kBlockHeight);
    panWebFolderInfoSizeSupport->SetBounds(0, headerHeight, width, blockHeight);
    const int blockWidth = scale(kBlockWidth);
    // The line under the block stays clear of the centred columns.
    panWebFolderInfoSizeSupport2->SetBounds(CenteredLeft(width, blockWidth), 0, blockWidth, blockHeight - 2);

    const int gridTop = headerHeight + blockHeight;
    gridFolderInfo->SetBounds(0, gridTop, width, height - gridTop);
    // Column 1 reaches the grid's right edge, whatever the scroll bar leaves.
    RECT grid;
    GetClientRect(gridFolderInfo->Handle(), &grid);
    gridFolderInfo->SetColumnWidth(1, std::max(int(grid.right) - gridFolderInfo->ColumnWidth(0), 0));

    ShowSelectedPath(*txtWebFolderInfoPath, *panWebFolderInfoPath, kPathLeft);
    // The centred columns move with the width: what they left is painted over.
    RedrawWindow(panWebFolderInfoSizeSupport->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TFolderInfoPage::Fill(TFolderNode& node) {
    Layout();
    const std::string& path = Host.State().CurrentPath;
    if (path == InfoPath) return;
    InfoPath = path;

    const std::string displayName = Services.Shell.GetShellDisplayName(path);
    ShellIcon = Services.Shell.GetShellIconIndex(path, false);
    const bool isRoot = IsDriveRoot(path);
    if (isRoot) {
        txtWebFolderInfoType->SetText(kRootFolderType);
        txtWebFolderInfoPath->SetText(displayName);
    } else {
        txtWebFolderInfoType->SetText(Services.Shell.GetShellTypeName(path));
    }
    InvalidateRect(imgWebFolderInfo->Handle(), nullptr, TRUE);

    if (!node.Record) return;
    const TOwnEntry ownEntry = isRoot ? TOwnEntry() : ReadOwnEntry(Services.FileSystem, path);
    const auto values = FolderInfoValues(displayName, ownEntry, *node.Record, Services.Locale);
    for (int row = 0; row < kFolderInfoRowCount; ++row) gridFolderInfo->SetCell(row, 1, values[size_t(row)]);

    const TMeasurementTexts texts = MeasurementTexts(node, Host.State().ClusterView, Services.Locale);
    const auto fields = Fields(texts);
    const auto labels = ValueLabels();
    for (size_t index = 0; index < labels.size(); ++index) {
        labels[index]->SetText(fields[index]->Text);
        Hints->SetTip(labels[index]->Handle(), fields[index]->Hint);
    }
}

void TFolderInfoPage::PaintIcon(HDC dc) {
    if (ShellIcon < 0) return;
    if (HIMAGELIST icons = GetSystemImageList(false)) ImageList_Draw(icons, ShellIcon, dc, 0, 0, ILD_TRANSPARENT);
}
