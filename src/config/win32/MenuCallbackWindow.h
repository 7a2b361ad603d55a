#pragma once
#include <windows.h>

#include <shlobj.h>

extern const wchar_t kMenuCallbackClassName[];   // "ItemPropMenuCallbackHelper"
extern const wchar_t kMenuCallbackWindowName[];  // "ItemPropCallbackProcessor"

// The hidden window that owns a shell context menu while it is tracked, so
// that the menu's owner-drawn items (the "Send to" and "Open with" lists)
// get their initialisation, measuring and drawing messages. It passes them
// to the newest handler version the menu supports. The handlers are given
// at construction, so no message can arrive before they are known; they
// must outlive the window.
class TMenuCallbackWindow {
public:
    // handler3 may be null; handler2 is then the one served.
    TMenuCallbackWindow(IContextMenu2* handler2, IContextMenu3* handler3, HWND owner);
    ~TMenuCallbackWindow();
    TMenuCallbackWindow(const TMenuCallbackWindow&) = delete;
    TMenuCallbackWindow& operator=(const TMenuCallbackWindow&) = delete;

    HWND Handle() const { return Window; }

private:
    template <typename TOwner>
    friend LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    IContextMenu2* Handler2;
    IContextMenu3* Handler3;
    HWND Window = nullptr;
};
