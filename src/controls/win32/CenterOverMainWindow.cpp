#include "controls/win32/CenterOverMainWindow.h"

#include "controls/DialogPlacement.h"

void CenterOverMainWindow(HWND dialog, HWND mainWindow) {
    if (!dialog || !mainWindow || !IsWindow(dialog) || !IsWindow(mainWindow)) return;
    RECT main = {};
    RECT form = {};
    if (!GetWindowRect(mainWindow, &main) || !GetWindowRect(dialog, &form)) return;
    const TRect mainBounds{main.left, main.top, main.right, main.bottom};
    const TPoint corner = CenteredOverMainWindow(mainBounds, form.right - form.left, form.bottom - form.top,
                                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(dialog, nullptr, corner.X, corner.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
