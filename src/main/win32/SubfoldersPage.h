#pragma once
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/win32/Label.h"
#include "controls/win32/ListView.h"
#include "main/SubfolderList.h"
#include "main/win32/PageHost.h"
#include "platform/win32/GdiObjects.h"

// The "Subfolders" page: the selected folder's direct subfolders in a
// sortable list of nine columns. The list is virtual: rows are built and
// sorted here, and the control asks only for the cells it shows, so that
// the shell's type names and icons are looked up for visible rows only
// (and for every row only when the list is sorted by type).
class TSubfoldersPage : public TPage {
public:
    TSubfoldersPage(TPanel& sheet, IPageHost& host, const TPageServices& services);

    void Fill(TFolderNode& node) override;
    void Layout() override;
    void Forget() override { ListNode = nullptr; }

    // Sorts by the column (1..9) as a click on its header does.
    void ClickColumn(int column);
    int SortColumn() const { return ListSortColumn; }
    const TFolderNode* ShownNode() const { return ListNode; }
    TListView& List() { return *TheFilesList; }
    // The cell as the list shows it (column 1..9).
    std::string CellText(int row, int column);
    bool UpOneLevelShown() const;
    std::string PathLabel() const { return txtWebFolderListPath->Text(); }

private:
    void OnResolutionChanged(TPixelScale old) override;
    struct TShellDetails {
        bool TypeKnown = false;
        int Icon = -2;  // -2 until asked; -1 when the shell has none
    };

    bool OnHeaderMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnListNotify(NMHDR& header, LRESULT& result);
    void AnswerDisplayInfo(NMLVDISPINFOW& info);
    void EnsureType(size_t row);
    std::string ChildPath(size_t row) const;
    void Sort();
    void WidenDateColumns();
    void OpenSelectedRow();
    // At the mouse, or below the row for the keyboard.
    void ShowSelectedRowMenu(bool atMouse);
    void UpdatePathLabel();

    TFolderNode* ListNode = nullptr;
    int ListSortColumn = kInitialSortColumn;
    std::vector<TSubfolderRow> Rows;
    std::vector<TShellDetails> Details;  // by row
    std::wstring DisplayText;            // the cell last handed to the control
    int UpAreaWidth = 0;

    std::unique_ptr<TPanel> panWebFolderListPath;
    std::unique_ptr<TLabel> txtSubfoldersOf;
    std::unique_ptr<TLabel> txtWebFolderListPath;
    std::unique_ptr<TPanel> panWebListLevelUp;
    std::unique_ptr<TPanel> imgWebUpOneLevel;
    std::unique_ptr<TLabel> txtUpOneLevel;
    std::unique_ptr<TPanel> ListHolder;
    std::unique_ptr<TListView> TheFilesList;
};
