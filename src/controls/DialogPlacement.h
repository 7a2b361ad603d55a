#pragma once
#include <cstdint>

#include "platform/Canvas.h"

// Where a dialog of the given size goes so that it stands centred over the
// part of the main window that is on the screen, kept inside the screen.
// `mainWindow` is in screen coordinates; the result is the dialog's
// top-left corner. A dialog larger than the screen keeps its right and
// bottom edges on the screen.
TPoint CenteredOverMainWindow(const TRect& mainWindow, int32_t dialogWidth, int32_t dialogHeight, int32_t screenWidth,
                              int32_t screenHeight);

// With no stored placement the main window takes about 70 % of the work
// area of its screen, centred, rather than its small designed size.
TRect FirstStartMainBounds(const TRect& workArea);

// The section size window of `width` by `height` at first start: beside the
// main window's right edge, its tops level, or inside that edge when the
// screen has no room beside it; never off the work area.
TRect FirstStartSideBounds(const TRect& mainWindow, const TRect& workArea, int width, int height);
