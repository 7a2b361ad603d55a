#include "config/win32/MenuCallbackWindow.h"

#include "platform/win32/WindowClass.h"

const wchar_t kMenuCallbackClassName[] = L"ItemPropMenuCallbackHelper";
const wchar_t kMenuCallbackWindowName[] = L"ItemPropCallbackProcessor";

namespace {

bool IsMenuHandlerMessage(UINT message) {
    return message == WM_INITMENUPOPUP || message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_MENUCHAR;
}

}  // namespace

TMenuCallbackWindow::TMenuCallbackWindow(IContextMenu2* handler2, IContextMenu3* handler3, HWND owner)
    : Handler2(handler2), Handler3(handler3) {
    // A hidden popup rather than a message-only window: menus need a real owner window.
    CreateBound({kMenuCallbackClassName}, 0, WS_POPUP, 0, 0, 0, 0, owner, nullptr, kMenuCallbackWindowName);
}

TMenuCallbackWindow::~TMenuCallbackWindow() = default;

LRESULT TMenuCallbackWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsMenuHandlerMessage(message)) {
        // Drawing and measuring report TRUE when handled; a handler that
        // does not fill the result leaves that answer.
        LRESULT result = (message == WM_DRAWITEM || message == WM_MEASUREITEM) ? TRUE : 0;
        if (Handler3) {
            if (SUCCEEDED(Handler3->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
        } else if (Handler2 && message != WM_MENUCHAR) {
            // The older handler knows no menu characters.
            if (SUCCEEDED(Handler2->HandleMenuMsg(message, wParam, lParam))) return result;
        }
    }
    return DefWindowProcW(Window, message, wParam, lParam);
}
