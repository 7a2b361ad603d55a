#include "controls/DialogPlacement.h"

#include <algorithm>

namespace {

// One axis: centred over the part of the main window that is on the screen,
// then pulled inside the screen. The division truncates toward zero; 64 bits
// keep extreme window coordinates from overflowing.
int32_t CenteredStart(int64_t mainStart, int64_t mainEnd, int64_t dialogExtent, int64_t screenExtent) {
    const int64_t visible = std::min(mainEnd - mainStart, screenExtent - mainStart);
    int64_t start = mainStart + (visible - dialogExtent) / 2;
    if (start < 0) start = 0;
    if (start + dialogExtent > screenExtent) start = screenExtent - dialogExtent;
    return int32_t(start);
}

}  // namespace

TPoint CenteredOverMainWindow(const TRect& mainWindow, int32_t dialogWidth, int32_t dialogHeight,
                              int32_t screenWidth, int32_t screenHeight) {
    TPoint corner;
    corner.X = CenteredStart(mainWindow.Left, mainWindow.Right, dialogWidth, screenWidth);
    corner.Y = CenteredStart(mainWindow.Top, mainWindow.Bottom, dialogHeight, screenHeight);
    return corner;
}
