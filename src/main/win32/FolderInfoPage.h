#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/win32/Label.h"
#include "controls/win32/ListView.h"
#include "controls/win32/ToolTips.h"
#include "main/FolderInfoText.h"
#include "main/win32/PageHost.h"
#include "controls/win32/Panel.h"
#include "main/win32/ToolbarImages.h"
#include "platform/win32/GdiObjects.h"

// The detail grid of the Folder Info page: a two-column report list
// without headers, one row per detail, grid lines and whole-row selection.
class TFolderInfoGrid {
public:
    // Column 0 gets the labels and keeps them.
    TFolderInfoGrid(HWND parent, HFONT font, int firstColumnWidth, const std::vector<std::string>& rowLabels);

    HWND Handle() const { return List.Handle(); }
    void SetBounds(int left, int top, int width, int height) { List.SetBounds(left, top, width, height); }
    void SetColumnWidth(int column, int width);
    // A font of another size: rows as high as its text, the labels' column as wide as given.
    void SetFont(HFONT font, int firstColumnWidth);
    int ColumnWidth(int column) const { return List.ColumnWidth(column); }
    void SetCell(int row, int column, const std::string& text);
    std::string Cell(int row, int column) const { return List.Cell(row, column); }
    int RowCount() const { return List.RowCount(); }
    // The height of one row on screen.
    int RowHeight() const;

private:
    // A list view takes its row height from its small images: a blank image
    // list one pixel wide sets it. Declared first so it outlives the list.
    std::unique_ptr<TImageList> RowSpacer;
    TListView List;
};

// The "Folder Info" page: the folder's shell icon, type and path; its
// size, allocated and wasted space and object count, with and without its
// subfolders; and a grid of details. The page remembers the path it was
// built for and is rebuilt only for another one, or after Forget.
class TFolderInfoPage : public TPage {
public:
    TFolderInfoPage(TPanel& sheet, IPageHost& host, const TPageServices& services);
    ~TFolderInfoPage() override;

    void Fill(TFolderNode& node) override;
    void Layout() override;
    void Forget() override { InfoPath.clear(); }

    const std::string& BuiltPath() const { return InfoPath; }
    std::string TypeText() const { return txtWebFolderInfoType->Text(); }
    std::string PathText() const { return txtWebFolderInfoPath->Text(); }
    int IconIndex() const { return ShellIcon; }
    // The eight value labels, in the order of the fields of
    // TMeasurementTexts; their hints are the tooltips' texts for them.
    std::string MeasurementText(int index) const { return ValueLabels()[size_t(index)]->Text(); }
    HWND MeasurementLabel(int index) const { return ValueLabels()[size_t(index)]->Handle(); }
    HWND ToolTipWindow() const { return Hints->Handle(); }
    const TFolderInfoGrid& Grid() const { return *gridFolderInfo; }

private:
    void OnResolutionChanged(TPixelScale old) override;
    void CreateHeader();
    void CreateMeasurementBlock();
    void PaintIcon(HDC dc);
    bool OnMeasurementMessage(UINT message, WPARAM wParam, LRESULT& result);
    std::array<TLabel*, 8> ValueLabels() const;

    std::string InfoPath;
    int ShellIcon = -1;

    TFont GridFont;
    std::unique_ptr<TPanel> panWebFolderInfo;  // the window-coloured background
    std::unique_ptr<TPanel> panWebFolderInfoPath;
    std::unique_ptr<TPanel> imgWebFolderInfo;
    std::unique_ptr<TLabel> txtWebFolderInfoType;
    std::unique_ptr<TLabel> txtWebFolderInfoPath;
    std::unique_ptr<TPanel> panWebFolderInfoSizeSupport;
    std::unique_ptr<TPanel> panWebFolderInfoSizeSupport2;
    std::vector<std::unique_ptr<TLabel>> Captions;  // headings and "Size:" and the like
    std::unique_ptr<TLabel> txtWebTreeInfoSize;
    std::unique_ptr<TLabel> txtWebTreeInfoAllocated;
    std::unique_ptr<TLabel> txtWebTreeInfoWasted;
    std::unique_ptr<TLabel> txtWebTreeInfoObjects;
    std::unique_ptr<TLabel> txtWebFolderInfoSize;
    std::unique_ptr<TLabel> txtWebFolderInfoAllocated;
    std::unique_ptr<TLabel> txtWebFolderInfoWasted;
    std::unique_ptr<TLabel> txtWebFolderInfoObjects;
    std::unique_ptr<TToolTips> Hints;
    std::unique_ptr<TFolderInfoGrid> gridFolderInfo;
};
