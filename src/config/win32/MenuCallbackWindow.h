#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

#include <shlobj.h>

extern const wchar_t kMenuCallbackClassName[];   // "ItemPropMenuCallbackHelper"
extern const wchar_t kMenuCallbackWindowName[];  // "ItemPropCallbackProcessor"

// The hidden window that owns a shell context menu while it is tracked, so
// that the menu's owner-drawn items (the "Send to" and "Open with" lists)
// get their initialisation, measuring and drawing messages. It passes them
// to the newest handler version the menu supports. The handlers are given
// at construction, so no message can arrive before they are known; they
// must outlive the window.
class TMenuCallbackWindow : public TBoundWindow {
public:
    // handler3 may be null; handler2 is then the one served.
    TMenuCallbackWindow(IContextMenu2* handler2, IContextMenu3* handler3, HWND owner);
    ~TMenuCallbackWindow() override;
    TMenuCallbackWindow(const TMenuCallbackWindow&) = delete;
    TMenuCallbackWindow& operator=(const TMenuCallbackWindow&) = delete;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    IContextMenu2* Handler2;
    IContextMenu3* Handler3;
};
