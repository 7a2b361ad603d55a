#pragma once
#include <windows.h>

// The resolution a window is drawn at: its monitor's when the program is
// aware of per-monitor scaling, otherwise the system's (96 for a program
// that Windows scales itself). Windows before 10 have no per-window value;
// the screen's is used there.
int WindowDpi(HWND window);

// The primary screen's resolution, which the stock fonts and the system's
// measures are made for.
int ScreenDpi();

// WM_DPICHANGED, sent to a top-level window whose screen's resolution has
// changed or that moved to a screen of another (Windows 8.1 and later; the
// headers name it only for newer targets than ours).
constexpr UINT kDpiChangedMessage = 0x02E0;

// For that message: moves the window to the rectangle Windows suggests (its
// lParam), so it keeps its size in inches. The new resolution is in the
// high word of its wParam.
void MoveToSuggestedRect(HWND window, LPARAM lParam);

// The window rectangle around `client` for a window of these styles at
// `dpi` (AdjustWindowRectExForDpi where Windows has it).
RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi);

// GetSystemMetrics for a window at `dpi` rather than the primary screen's.
int SystemMetricForDpi(int index, int dpi);
