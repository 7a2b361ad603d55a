#include "platform/win32/WindowDpi.h"

int WindowDpi(HWND window) {
    // GetDpiForWindow arrived with Windows 10 (1607); looked up so that the
    // program still starts on Windows 7.
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<TGetDpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return int(dpi);
    }
    return ScreenDpi();
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int AcceptDpiChange(HWND window, WPARAM wParam, LPARAM lParam) {
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    const int dpi = HIWORD(wParam);
    return dpi > 0 ? dpi : 96;
}
