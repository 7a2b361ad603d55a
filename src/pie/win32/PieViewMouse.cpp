// The pie page's mouse: the header follows the wedge under the mouse, a
// click walks the folder tree, a right click opens the shell's menu.

#include <windowsx.h>

#include "config/Options.h"
#include "main/Pages.h"
#include "main/win32/PageHost.h"
#include "pie/SectionInfo.h"
#include "pie/win32/PieTarget.h"
#include "pie/win32/PieView.h"

bool TPieView::OnPaintBoxMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE: MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: MouseDown(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            SetCursor(Host.Cursor(Hovering.Cursor()));
            result = TRUE;
            return true;
        default: return false;
    }
}

void TPieView::MouseMove(int x, int y) {
    if (Host.ActiveSheet() == pageNotScanned) return;
    THoverResult hover;
    {
        TPieTarget target(*Chart, FolderPie->Handle());
        hover = Hovering.Move(*Chart, Infos, x, y);
    }
    if (hover.Ignored) return;
    // Shown at once: the next WM_SETCURSOR may be a while away.
    if (hover.CursorChanged) SetCursor(Host.Cursor(hover.Cursor));
    const TSectionInfo& entry = *hover.Item;
    ShowItemHeader(entry.Path, entry.Kind, entry.Size, entry.Wasted);
}

void TPieView::MouseDown(UINT message, int x, int y) {
    IFolderNavigator* navigator = Host.Navigator();
    if (!navigator) return;
    if (message == WM_RBUTTONDOWN) {
        // A copy: the menu's command may rebuild the pie and free the entry.
        if (const TCurrentPieItem* item = Hovering.ContextMenuItem()) {
            const TCurrentPieItem pointed = *item;
            navigator->ShowNodeContextMenu(pointed, x, y, FolderPie->Handle());
        }
        return;
    }
    if (message != WM_LBUTTONDOWN) return;
    TFolderNode* selected = Host.State().CurrentNode;
    const TPieClick click = DecidePieClick(*Chart, x, y, selected);
    switch (click.Action) {
        case TPieClick::SelectChild:
            // Selecting may find the folder gone from the disk and free it
            // (and vanished parents): what is selected afterwards is opened.
            navigator->SelectNode(*click.Node);
            if (Services.Options.AutoExpand && Host.State().CurrentNode)
                navigator->ExpandNode(*Host.State().CurrentNode);
            break;
        case TPieClick::SelectParent:
            Host.UpdatePageVisibility(click.Node);
            if (Services.Options.AutoCollapse) navigator->CollapseSubtree(*selected);
            navigator->SelectNode(*click.Node);
            break;
        case TPieClick::Nothing: break;
    }
}
