// The main window's status bar: the path and cluster panels, and the long
// hints of menu entries and controls under the mouse.

#include <windows.h>

#include <windowsx.h>

#include <commctrl.h>

#include "main/MainCommands.h"
#include "main/Hints.h"
#include "main/MainLayout.h"
#include "main/win32/MainForm.h"
#include "main/win32/MainFormControls.h"
#include "main/win32/MenuItemState.h"
#include "platform/win32/WideString.h"

void TMainForm::SetStatusText(int panel, const std::string& text) {
    const WPARAM style = panel == 0 && StatusHintShowing ? SBT_NOBORDERS : 0;
    // Every text reaches the bar through here, so what it shows is known:
    // the pie's header repeats itself on each mouse move within a wedge.
    if (panel < 0 || panel >= int(StatusShown.size())) return;
    TStatusPanelText& shown = StatusShown[size_t(panel)];
    if (shown.Set && shown.Style == style && shown.Text == text) return;
    shown = TStatusPanelText{true, style, text};
    // Some status bars repaint at once on every change; this one is drawn
    // with the next paint, so that a stream of changes (the mouse moving
    // over the pie) costs one paint. PaintStatusBarNow draws it at once.
    const bool visible = IsWindowVisible(TheStatusBar);
    if (visible) SendMessageW(TheStatusBar, WM_SETREDRAW, FALSE, 0);
    SendMessageW(TheStatusBar, SB_SETTEXTW, WPARAM(panel) | style, LPARAM(Widen(text).c_str()));
    if (!visible) return;
    SendMessageW(TheStatusBar, WM_SETREDRAW, TRUE, 0);
    RECT part;
    if (SendMessageW(TheStatusBar, SB_GETRECT, WPARAM(panel), LPARAM(&part)))
        InvalidateRect(TheStatusBar, &part, FALSE);
}

void TMainForm::PaintStatusBarNow() { UpdateWindow(TheStatusBar); }

void TMainForm::SetHint(const std::string& longHint) {
    ApplicationHint = longHint;
    if (RestoresStatusPath(longHint)) {
        ShowStatusHint(false);
        SetStatusText(0, FormState.CurrentPath);
    } else {
        ShowStatusHint(true);
        SetStatusText(0, longHint);
    }
}

void TMainForm::ShowStatusHint(bool showing) {
    StatusHintShowing = showing;
    LayoutStatusBar();
}

void TMainForm::LayoutStatusBar() {
    RECT bar;
    GetClientRect(TheStatusBar, &bar);
    const TStatusPanels panels = StatusPanelWidths(bar.right, StatusHintShowing, Scale);
    int rightEdges[2] = {panels.PathWidth, StatusHintShowing ? panels.PathWidth : -1};
    SendMessageW(TheStatusBar, SB_SETPARTS, 2, LPARAM(rightEdges));
}

std::string TMainForm::HintOfWindow(HWND window, POINT screenPoint) const {
    for (HWND control = window; control && control != Window; control = GetParent(control)) {
        if (control == TheToolbar) {
            POINT point = screenPoint;
            ScreenToClient(TheToolbar, &point);
            const int index = int(SendMessageW(TheToolbar, TB_HITTEST, 0, LPARAM(&point)));
            TBBUTTON button = {};
            if (index >= 0 && SendMessageW(TheToolbar, TB_GETBUTTON, WPARAM(index), LPARAM(&button)))
                if (const TToolButton* tool = FindToolButton(button.idCommand)) return tool->Hint;
        }
        if (control == TheDriveBox.Handle()) return kDriveBoxHint;
        if (control == ClustersBox) return kClustersBoxHint;
        if (control == TheStatusBar) return kStatusBarHint;
    }
    return "";
}

void TMainForm::TrackHint(const MSG& message) {
    if (message.hwnd != Window && !IsChild(Window, message.hwnd)) return;
    POINT point = {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    ClientToScreen(message.hwnd, &point);
    const std::string longHint = LongHint(HintOfWindow(message.hwnd, point));
    if (longHint != ApplicationHint) SetHint(longHint);
}

void TMainForm::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        SetHint("");  // the menu closed
        return;
    }
    if (flags & MF_SEPARATOR) {
        SetHint(LongHint(kSeparatorHint));
        return;
    }
    if (flags & MF_SYSMENU) {
        SetHint("");
        return;
    }
    int id = int(item);
    if (flags & MF_POPUP) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID;
        id = GetMenuItemInfoW(menu, item, TRUE, &info) ? int(info.wID) : 0;
    }
    const TMenuEntry* entry = FindMenuEntry(id);
    SetHint(entry ? LongHint(entry->Hint) : "");
}
