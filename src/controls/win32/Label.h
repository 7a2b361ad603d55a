#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/BoundWindow.h"

// A static text control: the program's labels. Its background is the
// colour of the panel it sits on (the panel answers WM_CTLCOLORSTATIC).
class TLabel : public TBoundWindow {
public:
    enum TAlign { Left, Centre, Right };

    // `notify` lets the label take clicks and show its own cursor and tooltip.
    TLabel(HWND parent, int left, int top, int width, int height, HFONT font, TAlign align = Left, bool notify = false);

    void SetText(const std::string& text);
    std::string Text() const;
    // Left word-wrapped text instead of one line cut at the right.
    void SetWordWrap(bool wrap);
    // The width of a text in the label's font, in pixels.
    int TextWidth(const std::string& text) const;
    // The path, with folders left out ("...") until it fits the width in
    // the label's font; the drive and the last name stay longest.
    void SetPath(const std::string& path, int maxWidth);

private:
    std::wstring Shown;  // to skip repainting an unchanged text
};
