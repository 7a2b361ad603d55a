#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ShellInfo.h"
#include "platform/win32/WideString.h"

// Shell names the test chooses, by drive letter; it remembers what it was asked.
class TNamedShellInfo : public IShellInfo {
public:
    std::map<char, std::string> Names;  // upper-case letter -> display name
    std::vector<std::string> AskedPaths;

    std::string GetShellDisplayName(const std::string& path) override {
        AskedPaths.push_back(path);
        if (path.empty()) return std::string();
        const char letter = (path[0] >= 'a' && path[0] <= 'z') ? char(path[0] - 'a' + 'A') : path[0];
        const auto found = Names.find(letter);
        return found == Names.end() ? std::string() : found->second;
    }
    std::string GetShellTypeName(const std::string&) override { return std::string(); }
    int GetShellIconIndex(const std::string&, bool) override { return -1; }
};

// A plain top-level window to hold the controls under test, never shown. It hands
// WM_DRAWITEM to `DrawItem` and records the notifications it hears.
class THostWindow {
public:
    struct TNotification {
        int Id;
        int Code;
    };

    std::function<bool(const DRAWITEMSTRUCT&)> DrawItem;
    std::vector<TNotification> Notifications;

    explicit THostWindow(int left = 100, int top = 100, int width = 400, int height = 300) {
        static const bool registered = [] {
            WNDCLASSEXW windowClass = {};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &THostWindow::WindowProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            windowClass.lpszClassName = L"QuarrymapTestHost";
            return RegisterClassExW(&windowClass) != 0;
        }();
        (void)registered;
        Window = CreateWindowExW(0, L"QuarrymapTestHost", L"Host", WS_POPUP, left, top, width, height, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), this);
    }
    ~THostWindow() {
        if (Window) DestroyWindow(Window);
    }
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;

    HWND Handle() const { return Window; }
    void Destroy() {
        if (Window) DestroyWindow(Window);
    }
    int CountOf(int code) const {
        int count = 0;
        for (const TNotification& n : Notifications)
            if (n.Code == code) ++count;
        return count;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* host = static_cast<THostWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            host->Window = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
        }
        auto* host = reinterpret_cast<THostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!host) return DefWindowProcW(window, message, wParam, lParam);
        switch (message) {
            case WM_DRAWITEM:
                if (host->DrawItem && host->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
                break;
            case WM_COMMAND: host->Notifications.push_back({LOWORD(wParam), HIWORD(wParam)}); return 0;
            case WM_NCDESTROY:
                SetWindowLongPtrW(window, GWLP_USERDATA, 0);
                host->Window = nullptr;
                break;
            default: break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND Window = nullptr;
};

// True while the handle names an icon nobody has destroyed.
inline bool IsLiveIcon(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

inline std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return Narrow(text);
}
