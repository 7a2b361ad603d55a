#include "main/win32/PageControl.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/WideString.h"

TPageControl::TPageControl(HWND parent, int id, int firstSheetId) {
    Tabs =
        CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    if (!Tabs) throw std::runtime_error("page control window");
    SendMessageW(Tabs, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int sheet = 0; sheet < kSheetCount; ++sheet) {
        Sheets[sheet] = std::make_unique<TPanel>(Tabs, firstSheetId + sheet);
        Sheets[sheet]->SetVisible(false);
        Captions[sheet] = ContentTabCaption(sheet);
    }
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
    MoveWindow(Tabs, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
    PlaceSheets();
}

void TPageControl::SetTabVisible(int sheet, bool visible) {
    if (Visible[sheet] == visible) return;
    Visible[sheet] = visible;
    RebuildTabs();
}

void TPageControl::SetTabsVisible(const std::array<bool, kSheetCount>& visible) {
    if (Visible == visible) return;
    Visible = visible;
    RebuildTabs();
}

void TPageControl::SetTabCaption(int sheet, const std::string& caption) {
    if (Captions[sheet] == caption) return;
    Captions[sheet] = caption;
    if (Visible[sheet]) RebuildTabs();
}

void TPageControl::RebuildTabs() {
    SendMessageW(Tabs, TCM_DELETEALLITEMS, 0, 0);
    int position = 0;
    for (int sheet : VisibleTabSheets(Visible)) {
        std::wstring caption = Widen(Captions[sheet]);
        TCITEMW item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = caption.data();
        item.lParam = sheet;
        SendMessageW(Tabs, TCM_INSERTITEMW, position++, LPARAM(&item));
    }
    // The tab rows may have changed height.
    PlaceSheets();
    if (Active >= 0) SetActiveSheet(Active);
}

void TPageControl::SetActiveSheet(int sheet) {
    Active = sheet;
    int position = 0;
    int selected = -1;
    for (int visibleSheet : VisibleTabSheets(Visible)) {
        if (visibleSheet == sheet) selected = position;
        ++position;
    }
    SendMessageW(Tabs, TCM_SETCURSEL, WPARAM(selected), 0);
    for (int other = 0; other < kSheetCount; ++other)
        if (other != sheet) Sheets[other]->SetVisible(false);
    Sheets[sheet]->SetVisible(true);
}

int TPageControl::SelectedTabSheet() const {
    const int position = int(SendMessageW(Tabs, TCM_GETCURSEL, 0, 0));
    if (position < 0) return -1;
    TCITEMW item = {};
    item.mask = TCIF_PARAM;
    if (!SendMessageW(Tabs, TCM_GETITEMW, WPARAM(position), LPARAM(&item))) return -1;
    return int(item.lParam);
}

void TPageControl::PlaceSheets() {
    RECT display;
    GetClientRect(Tabs, &display);
    SendMessageW(Tabs, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
    for (auto& sheet : Sheets)
        sheet->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
}
