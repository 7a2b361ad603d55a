// The main window's keyboard: Tab, Shift+Tab and F6 move the focus between
// the folder tree, the page tabs and the shown page, as they move between
// the panes of Explorer; Backspace on the pie goes up one level.

#include <windows.h>

#include <vector>

#include "main/MainCommands.h"
#include "main/Pages.h"
#include "main/win32/MainForm.h"

namespace {

struct TTabStopSearch {
    HWND Found = nullptr;
};

BOOL CALLBACK TakeFirstTabStop(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TTabStopSearch*>(data);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & WS_TABSTOP) && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search.Found = window;
        return FALSE;
    }
    return TRUE;
}

// The first control of the sheet that takes the focus from the keyboard,
// at any depth (the pages keep their controls on panels of their own).
HWND FirstTabStopIn(HWND sheet) {
    TTabStopSearch search;
    EnumChildWindows(sheet, TakeFirstTabStop, LPARAM(&search));
    return search.Found;
}

bool IsTextControl(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, L"Edit") == 0 || lstrcmpiW(name, L"ComboBox") == 0;
}

}  // namespace

bool TMainForm::PreviewFocusKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.hwnd != Window && !IsChild(Window, message.hwnd))) return false;
    const bool control = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (control || alt) return false;
    if (message.wParam == VK_BACK) {
        // The tree's own Backspace selects the parent already; text boxes keep theirs.
        if (message.hwnd == TheFolderTree || IsTextControl(message.hwnd) || FormState.CurrentPage != 0 ||
            ThePages->ActiveSheet() != pagePieChart)
            return false;
        ExecuteCommand(toolLevelUp);
        return true;
    }
    if (message.wParam != VK_TAB && message.wParam != VK_F6) return false;

    std::vector<HWND> panes;
    if (IsWindowVisible(TheFolderTree)) panes.push_back(TheFolderTree);
    const HWND tabs = ThePages->Handle();
    const bool contentShown = ThePages->ActiveSheet() > pageNotScanned;
    if (contentShown && IsWindowVisible(tabs)) panes.push_back(tabs);
    const HWND sheet = ThePages->ActiveSheet() >= 0 ? SheetWindow(ThePages->ActiveSheet()) : nullptr;
    const HWND page = sheet ? FirstTabStopIn(sheet) : nullptr;
    if (page) panes.push_back(page);
    if (panes.empty()) return false;

    const HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < int(panes.size()); ++i) {
        const HWND pane = panes[size_t(i)] == page ? sheet : panes[size_t(i)];
        if (focus == pane || (pane != tabs && IsChild(pane, focus))) current = i;
    }
    const int count = int(panes.size());
    const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    const int next = current < 0 ? 0 : (current + step + count) % count;
    SetFocus(panes[size_t(next)]);
    return true;
}
