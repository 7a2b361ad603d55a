#include "main/win32/SubfoldersPage.h"

#include <windowsx.h>

#include <algorithm>

#include "config/Options.h"
#include "controls/win32/WaitCursor.h"
#include "main/MainCommands.h"
#include "main/win32/PageHost.h"
#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32ShellInfo.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"

namespace {

// The page's measures at 96 DPI.
constexpr int kHeaderHeight = 41;
constexpr int kLabelLeft = 6, kCaptionTop = 4, kPathTop = 20, kLabelHeight = 16;
constexpr int kUpAreaWidth = 89;
constexpr int kUpPictureLeft = 4, kUpPictureTop = 12, kUpPictureSize = 16;
constexpr int kUpCaptionLeft = 23, kUpCaptionTop = 13;

// A green arrow pointing up, over a bar: the way to the parent folder.
void PaintUpArrow(HDC dc, const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    const POINT arrow[] = {{w / 2, 0},         {w - 1, h / 2},     {w * 5 / 8, h / 2}, {w * 5 / 8, h - 1},
                           {w * 3 / 8, h - 1}, {w * 3 / 8, h / 2}, {0, h / 2}};
    TGdiObject brush(CreateSolidBrush(RGB(0, 160, 0)));
    TGdiObject pen(CreatePen(PS_SOLID, 1, RGB(0, 96, 0)));
    TSelection useBrush(dc, brush.Get());
    TSelection usePen(dc, pen.Get());
    Polygon(dc, arrow, 7);
}

}  // namespace

TSubfoldersPage::TSubfoldersPage(TPanel& sheet, IPageHost& host, const TPageServices& services)
    : TPage(sheet, host, services) {
    const TPixelScale& scale = Services.Scale;
    panWebFolderListPath = std::make_unique<TPanel>(Sheet.Handle(), 0, WS_BORDER);
    panWebFolderListPath->SetColor(kWindowColor);
    HWND header = panWebFolderListPath->Handle();
    txtSubfoldersOf = std::make_unique<TLabel>(header, scale(kLabelLeft), scale(kCaptionTop), scale(200),
                                               scale(kLabelHeight), Services.Fonts.Text);
    txtSubfoldersOf->SetText("Subfolders of");
    txtWebFolderListPath = std::make_unique<TLabel>(header, scale(kLabelLeft), scale(kPathTop), 0, scale(kLabelHeight),
                                                    Services.Fonts.Bold);

    panWebListLevelUp = std::make_unique<TPanel>(header, 0);
    panWebListLevelUp->SetColor(kWindowColor);
    panWebListLevelUp->OnMessage = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnHeaderMessage(message, wParam, lParam, result);
    };
    imgWebUpOneLevel = std::make_unique<TPanel>(panWebListLevelUp->Handle(), 0);
    imgWebUpOneLevel->SetColor(kWindowColor);
    imgWebUpOneLevel->SetBounds(scale(kUpPictureLeft), scale(kUpPictureTop), scale(kUpPictureSize),
                                scale(kUpPictureSize));
    imgWebUpOneLevel->OnPaint = [](HDC dc, const RECT& client) { PaintUpArrow(dc, client); };
    // The picture lets the mouse through to the area, which owns the cursor
    // and the click; so does the caption, as a plain label does.
    imgWebUpOneLevel->OnMessage = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        if (message != WM_NCHITTEST) return false;
        result = HTTRANSPARENT;
        return true;
    };
    txtUpOneLevel = std::make_unique<TLabel>(panWebListLevelUp->Handle(), scale(kUpCaptionLeft), scale(kUpCaptionTop),
                                             scale(kUpAreaWidth - kUpCaptionLeft), scale(kLabelHeight), nullptr);
    txtUpOneLevel->SetText("Up One Level");
    // The area keeps its 89 pixels unless its caption needs more in this font.
    UpAreaWidth =
        std::max(scale(kUpAreaWidth), scale(kUpCaptionLeft) + txtUpOneLevel->TextWidth("Up One Level") + scale(4));
    txtUpOneLevel->SetBounds(scale(kUpCaptionLeft), scale(kUpCaptionTop), UpAreaWidth - scale(kUpCaptionLeft),
                             scale(kLabelHeight));

    ListHolder = std::make_unique<TPanel>(Sheet.Handle(), 0);
    ListHolder->OnMessage = [this](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
        if (message == WM_CONTEXTMENU && lParam == -1) {
            // Shift+F10 or the menu key: the selected row's menu, at the row.
            ShowSelectedRowMenu(false);
            result = 0;
            return true;
        }
        return message == WM_NOTIFY && OnListNotify(*reinterpret_cast<NMHDR*>(lParam), result);
    };
    TheFilesList = std::make_unique<TListView>(ListHolder->Handle(), 0, LVS_SHOWSELALWAYS | LVS_SINGLESEL, true);
    TheFilesList->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    TheFilesList->SetSmallImages(GetSystemImageList(true));
    for (const TSubfolderColumnLayout& column : kSubfolderColumns)
        TheFilesList->AddColumn(column.Caption, scale(column.Width), column.RightAligned);
}

void TSubfoldersPage::OnResolutionChanged(TPixelScale old) {
    // Measured from its caption at creation; the caption's font scaled alike.
    UpAreaWidth = MulDiv(UpAreaWidth, Services.Scale.DotsPerInch(), old.DotsPerInch());
}

bool TSubfoldersPage::OnHeaderMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: Host.ExecuteCommand(toolLevelUp); return true;
        default: return false;
    }
}

bool TSubfoldersPage::UpOneLevelShown() const { return panWebListLevelUp->Visible(); }

void TSubfoldersPage::Layout() {
    const TPixelScale& scale = Services.Scale;
    RECT sheet;
    GetClientRect(Sheet.Handle(), &sheet);
    panWebFolderListPath->SetBounds(0, 0, sheet.right, scale(kHeaderHeight));
    RECT header;
    GetClientRect(panWebFolderListPath->Handle(), &header);
    panWebListLevelUp->SetBounds(header.right - UpAreaWidth, 0, UpAreaWidth, header.bottom);
    txtWebFolderListPath->SetBounds(scale(kLabelLeft), scale(kPathTop), header.right - scale(kLabelLeft) - UpAreaWidth,
                                    scale(kLabelHeight));
    const int top = scale(kHeaderHeight);
    ListHolder->SetBounds(0, top, sheet.right, sheet.bottom - top);
    TheFilesList->SetBounds(0, 0, sheet.right, sheet.bottom - top);
    UpdatePathLabel();
}

void TSubfoldersPage::UpdatePathLabel() {
    RECT header;
    GetClientRect(panWebFolderListPath->Handle(), &header);
    const TPixelScale& scale = Services.Scale;
    const int width = header.right - scale(kLabelLeft) - UpAreaWidth - scale(8);
    txtWebFolderListPath->SetPath(Host.State().CurrentPath, width);
}

void TSubfoldersPage::Fill(TFolderNode& node) {
    if (ListNode == &node) return;
    ListNode = &node;
    Layout();
    panWebListLevelUp->SetVisible(node.Parent != nullptr);
    const TWaitCursor waitCursor;
    const bool includeWasted = Services.Options.IncludeWastedInformation;
    SendMessageW(TheFilesList->Handle(), WM_SETREDRAW, FALSE, 0);
    Rows = MakeSubfolderRows(
        node, includeWasted, Host.State().ClusterView, [](const TFolderNode&) { return std::string(); },
        Services.Locale);
    Details.assign(Rows.size(), TShellDetails{});
    // Another folder's rows: nothing of the old list stays highlighted.
    TheFilesList->ClearSelection();
    Sort();
    WidenDateColumns();
    SendMessageW(TheFilesList->Handle(), WM_SETREDRAW, TRUE, 0);
}

// The locale's dates may be longer than the designed columns: a date
// column grows to its longest text (all of one form, so the longest by
// characters is measured alone).
void TSubfoldersPage::WidenDateColumns() {
    for (const int column : {int(colLastAccess), int(colLastChange)}) {
        std::string longest;
        for (const TSubfolderRow& row : Rows)
            if (row.Cell(column).size() > longest.size()) longest = row.Cell(column);
        const int needed = TheFilesList->TextWidth(longest) + Services.Scale(16);
        if (!longest.empty() && needed > TheFilesList->ColumnWidth(column - 1))
            TheFilesList->SetColumnWidth(column - 1, needed);
    }
}

void TSubfoldersPage::ClickColumn(int column) {
    ListSortColumn = NextSortColumn(ListSortColumn, column);
    const TWaitCursor waitCursor;
    // The highlight stays with its folder, wherever the sort puts it.
    const int selected = TheFilesList->SelectedRow();
    const std::string name =
        selected >= 0 && size_t(selected) < Rows.size() ? Rows[size_t(selected)].Cell(colName) : std::string();
    Sort();
    if (selected < 0) return;
    TheFilesList->ClearSelection();
    for (size_t row = 0; row < Rows.size(); ++row)
        if (Rows[row].Cell(colName) == name) {
            TheFilesList->SelectRow(int(row));
            break;
        }
}

void TSubfoldersPage::Sort() {
    if (std::abs(ListSortColumn) == colType)
        for (size_t row = 0; row < Rows.size(); ++row) EnsureType(row);
    // The shell's answers travel with their rows.
    std::vector<size_t> order(Rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return CompareSubfolderRows(Rows[a], Rows[b], ListSortColumn, Services.TextCompare) < 0;
    });
    std::vector<TSubfolderRow> rows;
    std::vector<TShellDetails> details;
    rows.reserve(Rows.size());
    details.reserve(Rows.size());
    for (size_t index : order) {
        rows.push_back(std::move(Rows[index]));
        details.push_back(Details[index]);
    }
    Rows = std::move(rows);
    Details = std::move(details);
    TheFilesList->SetRowCount(int(Rows.size()));
}

std::string TSubfoldersPage::ChildPath(size_t row) const {
    return AddBackslash(Host.State().CurrentPath) + Rows[row].Cell(colName);
}

void TSubfoldersPage::EnsureType(size_t row) {
    if (Details[row].TypeKnown) return;
    Rows[row].Cells[colType - 1] = Services.Shell.GetShellTypeName(ChildPath(row));
    Details[row].TypeKnown = true;
}

std::string TSubfoldersPage::CellText(int row, int column) {
    if (row < 0 || size_t(row) >= Rows.size() || column < 1 || column > kSubfolderColumnCount) return std::string();
    if (column == colType) EnsureType(size_t(row));
    return Rows[size_t(row)].Cell(column);
}

void TSubfoldersPage::AnswerDisplayInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || size_t(item.iItem) >= Rows.size()) return;
    const size_t row = size_t(item.iItem);
    if (item.mask & LVIF_TEXT) {
        DisplayText = Widen(CellText(item.iItem, item.iSubItem + 1));
        lstrcpynW(item.pszText, DisplayText.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) {
        if (Details[row].Icon == -2) Details[row].Icon = Services.Shell.GetShellIconIndex(ChildPath(row), false);
        item.iImage = Details[row].Icon;
    }
}

bool TSubfoldersPage::OnListNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != TheFilesList->Handle()) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: AnswerDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header)); break;
        case LVN_COLUMNCLICK: ClickColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem + 1); break;
        case NM_DBLCLK:
        case NM_RETURN: OpenSelectedRow(); break;
        case NM_RCLICK: ShowSelectedRowMenu(true); break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey != VK_BACK) return false;
            Host.ExecuteCommand(toolLevelUp);
            break;
        default: return false;
    }
    result = 0;
    return true;
}

void TSubfoldersPage::OpenSelectedRow() {
    const int row = TheFilesList->SelectedRow();
    TFolderNode* current = Host.State().CurrentNode;
    IFolderNavigator* navigator = Host.Navigator();
    if (row < 0 || size_t(row) >= Rows.size() || !current || !navigator) return;
    if (TFolderNode* child = FindChild(current, Rows[size_t(row)].Cell(colName), false)) navigator->SelectNode(*child);
}

void TSubfoldersPage::ShowSelectedRowMenu(bool atMouse) {
    const int row = TheFilesList->SelectedRow();
    IFolderNavigator* navigator = Host.Navigator();
    if (row < 0 || size_t(row) >= Rows.size() || !navigator) return;
    POINT point;
    RECT bounds;
    if (atMouse || !TheFilesList->RowScreenRect(row, bounds))
        GetCursorPos(&point);
    else
        point = {bounds.left, bounds.bottom};
    navigator->ShowPathContextMenu(ChildPath(size_t(row)), point);
}
