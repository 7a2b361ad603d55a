#include "controls/win32/ListView.h"

#include <stdexcept>

#include "platform/win32/WideString.h"

TListView::TListView(HWND parent, int id, DWORD extraStyle, bool virtualRows) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | (virtualRows ? LVS_OWNERDATA : 0) |
                        LVS_SHAREIMAGELISTS | extraStyle;
    if (!BindControl(CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr),
                     false))
        throw std::runtime_error("list view");
    SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void TListView::SetExtendedStyle(DWORD style) { ListView_SetExtendedListViewStyle(Window, style); }

void TListView::SetFont(HFONT font) { SendMessageW(Window, WM_SETFONT, WPARAM(font), TRUE); }

void TListView::SetSmallImages(HIMAGELIST images) { ListView_SetImageList(Window, images, LVSIL_SMALL); }

void TListView::AddColumn(const std::string& caption, int width, bool rightAligned) {
    std::wstring text = Widen(caption);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = Columns;
    SendMessageW(Window, LVM_INSERTCOLUMNW, WPARAM(Columns), LPARAM(&column));
    ++Columns;
}

void TListView::SetColumnWidth(int column, int width) { ListView_SetColumnWidth(Window, column, width); }

int TListView::ColumnWidth(int column) const { return ListView_GetColumnWidth(Window, column); }

void TListView::SetRowCount(int count) {
    ListView_SetItemCountEx(Window, count, 0);
    Redraw();
}

int TListView::AddRow(const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = wide.data();
    return int(SendMessageW(Window, LVM_INSERTITEMW, 0, LPARAM(&item)));
}

void TListView::SetCell(int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(Window, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&item));
}

std::string TListView::Cell(int row, int column) const {
    wchar_t buffer[1024] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 1024;
    SendMessageW(Window, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
    return Narrow(buffer);
}

void TListView::DeleteAllRows() { ListView_DeleteAllItems(Window); }

int TListView::RowCount() const { return ListView_GetItemCount(Window); }

int TListView::SelectedRow() const { return ListView_GetNextItem(Window, -1, LVNI_SELECTED); }

void TListView::SelectRow(int row) {
    ListView_SetItemState(Window, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Window, row, FALSE);
}

void TListView::ClearSelection() { ListView_SetItemState(Window, -1, 0, LVIS_SELECTED | LVIS_FOCUSED); }

bool TListView::RowScreenRect(int row, RECT& bounds) const {
    if (row < 0 || !ListView_GetItemRect(Window, row, &bounds, LVIR_LABEL)) return false;
    MapWindowPoints(Window, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    return true;
}

void TListView::Redraw() { InvalidateRect(Window, nullptr, TRUE); }

int TListView::TextWidth(const std::string& text) const {
    const int width = int(SendMessageW(Window, LVM_GETSTRINGWIDTHW, 0, LPARAM(Widen(text).c_str())));
    return width > 0 ? width : 0;
}
