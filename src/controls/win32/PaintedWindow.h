#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

// A window of the program's own class that paints every pixel itself, on
// the screen and into any device context (WM_PRINTCLIENT), and writes in
// the font it is given (WM_SETFONT; not owned, it must outlive the window).
class TPaintedWindow : public TBoundWindow {
public:
    // Null: the window's default font.
    HFONT Font() const { return TextFont; }
    void SetFont(HFONT font);

    // Paints the window at its present client size.
    virtual void PaintTo(HDC dc) const = 0;

protected:
    // Shows a change at once.
    virtual void Repaint();
    // Painting and the font; a derived window passes on what it leaves.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    HFONT TextFont = nullptr;
};
