#include "platform/win32/WindowDpi.h"

#include "platform/win32/GdiObjects.h"

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
    const TWindowDc screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

void MoveToSuggestedRect(HWND window, LPARAM lParam) {
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int SystemMetricForDpi(int index, int dpi) {
    // GetSystemMetricsForDpi arrived with Windows 10 (1607) too; before it
    // the system's measure is scaled from the primary screen's resolution.
    using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<TGetSystemMetricsForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    if (forDpi) return forDpi(index, UINT(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
    // AdjustWindowRectExForDpi arrived with Windows 10 (1607) as well; before
    // it the frame is the one the primary screen's measures give.
    using TAdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = reinterpret_cast<TAdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame = client;
    if (forDpi && forDpi(&frame, style, FALSE, exStyle, UINT(dpi))) return frame;
    frame = client;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}
