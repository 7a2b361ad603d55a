#pragma once
#include <windows.h>

#include "controls/PixelScale.h"

// The pie page's two cursors, a magnifier with a plus and one with a
// minus, drawn at run time for the window's resolution. Owned; destroyed
// with this object.
class TZoomCursors {
public:
    explicit TZoomCursors(TPixelScale scale);
    ~TZoomCursors();
    TZoomCursors(const TZoomCursors&) = delete;
    TZoomCursors& operator=(const TZoomCursors&) = delete;

    bool IsValid() const { return ZoomIn && ZoomOut; }
    HCURSOR In() const { return ZoomIn; }
    HCURSOR Out() const { return ZoomOut; }

private:
    HCURSOR ZoomIn = nullptr;
    HCURSOR ZoomOut = nullptr;
};

