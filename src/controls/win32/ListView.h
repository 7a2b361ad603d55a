#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/win32/BoundWindow.h"

// A report-view list control: columns, rows by count (the owner supplies
// the texts on demand, LVS_OWNERDATA) or by item, and the selection.
class TListView : public TBoundWindow {
public:
    // `virtualRows` makes the owner answer LVN_GETDISPINFO for every cell.
    TListView(HWND parent, int id, DWORD extraStyle, bool virtualRows);
    void SetExtendedStyle(DWORD style);
    void SetFont(HFONT font);
    void SetSmallImages(HIMAGELIST images);
    void AddColumn(const std::string& caption, int width, bool rightAligned);
    void SetColumnWidth(int column, int width);
    int ColumnWidth(int column) const;
    // The width the list's font gives the text.
    int TextWidth(const std::string& text) const;

    // Virtual rows: the count, and a redraw of what shows.
    void SetRowCount(int count);
    // Item rows: appended with the first cell, other cells set after.
    int AddRow(const std::string& text);
    void SetCell(int row, int column, const std::string& text);
    std::string Cell(int row, int column) const;
    void DeleteAllRows();
    int RowCount() const;

    // -1 when no row is selected.
    int SelectedRow() const;
    // Selects and focuses the row and scrolls it into view.
    void SelectRow(int row);
    void ClearSelection();
    // The row's label in screen coordinates; false for no such row.
    bool RowScreenRect(int row, RECT& bounds) const;
    void Redraw();

private:
    int Columns = 0;
};
