#pragma once
#include <cstdint>

#include "platform/Canvas.h"

// Where a dialog of the given size goes so that it stands centred over the
// part of the main window that is on the screen, kept inside the screen.
// `mainWindow` is in screen coordinates; the result is the dialog's
// top-left corner. A dialog larger than the screen keeps its right and
// bottom edges on the screen.
TPoint CenteredOverMainWindow(const TRect& mainWindow, int32_t dialogWidth, int32_t dialogHeight,
                              int32_t screenWidth, int32_t screenHeight);
