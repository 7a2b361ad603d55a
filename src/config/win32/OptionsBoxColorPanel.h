#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

#include "platform/Canvas.h"

// A panel filled with one colour, with a raised double bevel, that acts
// like a button: a left press lowers both bevels until the release raises
// them again, and a release over the panel tells the parent WM_COMMAND
// BN_CLICKED with the panel's id. It takes no focus.
class TColorPanel : public TBoundWindow {
public:
    TColorPanel() = default;
    ~TColorPanel() override;
    TColorPanel(const TColorPanel&) = delete;
    TColorPanel& operator=(const TColorPanel&) = delete;

    // Creates the window at `place` (pixels) as a child of `parent`, right
    // after `after` in the z-order. Throws std::runtime_error on failure.
    void Create(HWND parent, const RECT& place, int id, HWND after);

    void SetColor(TColor color);
    TColor Color() const { return Shown; }
    // True from a left press until its release.
    bool Pressed() const { return Down; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();
    void Release(LPARAM point);

    TColor Shown = 0;
    bool Down = false;
};
