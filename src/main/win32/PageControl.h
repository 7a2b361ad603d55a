#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "main/Pages.h"
#include "main/win32/PageHost.h"
#include "controls/win32/Panel.h"

// The page control: a tab control with one sheet per page. A tab can be
// hidden: the control then holds only the tabs that show, each tagged with
// its sheet, and re-inserts the others when they show again.
class TPageControl {
public:
    // The sheets get the ids firstSheetId + sheet.
    TPageControl(HWND parent, int id, int firstSheetId);

    HWND Handle() const { return Tabs; }
    TPanel& Sheet(int sheet) { return *Sheets[sheet]; }
    // The page object that fills a sheet; none for a sheet without one.
    void SetPage(int sheet, std::unique_ptr<TPage> page) { Pages[sheet] = std::move(page); }
    TPage* Page(int sheet) const { return Pages[sheet].get(); }

    void SetBounds(int left, int top, int width, int height);
    void SetTabVisible(int sheet, bool visible);
    // Every tab at once, so the control is rebuilt only once.
    void SetTabsVisible(const std::array<bool, kSheetCount>& visible);
    bool TabVisible(int sheet) const { return Visible[sheet]; }
    void SetTabCaption(int sheet, const std::string& caption);
    std::string TabCaption(int sheet) const { return Captions[sheet]; }

    // Shows the sheet and selects its tab; hides every other sheet.
    void SetActiveSheet(int sheet);
    int ActiveSheet() const { return Active; }
    // The sheet of the tab the control has selected (after a click), or -1.
    int SelectedTabSheet() const;

private:
    void RebuildTabs();
    void PlaceSheets();

    HWND Tabs = nullptr;
    std::array<std::unique_ptr<TPanel>, kSheetCount> Sheets;
    // After the sheets, so each page goes before the sheet it lives on.
    std::array<std::unique_ptr<TPage>, kSheetCount> Pages;
    std::array<bool, kSheetCount> Visible{};
    std::array<std::string, kSheetCount> Captions;
    int Active = -1;
};
