#include "controls/win32/PaintedWindow.h"

#include "platform/win32/GdiObjects.h"

void TPaintedWindow::SetFont(HFONT font) {
    if (font == TextFont) return;
    TextFont = font;
    Repaint();
}

void TPaintedWindow::Repaint() {
    // Never InvalidateRect(nullptr, ...): that would repaint every window.
    if (!Window) return;
    InvalidateRect(Window, nullptr, FALSE);
    UpdateWindow(Window);
}

LRESULT TPaintedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_PAINT: {
            const TPaintDc paint(Window);
            PaintTo(paint.Get());
            return 0;
        }
        case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_SETFONT:
            TextFont = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) Repaint();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(TextFont);
        default: return DefaultHandling(message, wParam, lParam);
    }
}
