#pragma once
#include <windows.h>

#include "controls/PixelScale.h"
#include "platform/win32/Owned.h"

// The pie page's two cursors, a magnifier with a plus and one with a
// minus, drawn at run time for the window's resolution. Owned; destroyed
// with this object.
class TZoomCursors {
public:
    explicit TZoomCursors(TPixelScale scale);

    bool IsValid() const { return ZoomIn && ZoomOut; }
    HCURSOR In() const { return ZoomIn.Get(); }
    HCURSOR Out() const { return ZoomOut.Get(); }

private:
    TCursorHandle ZoomIn;
    TCursorHandle ZoomOut;
};
