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

TPoint CenteredOverMainWindow(const TRect& mainWindow, int32_t dialogWidth, int32_t dialogHeight, int32_t screenWidth,
                              int32_t screenHeight) {
    TPoint corner;
    corner.X = CenteredStart(mainWindow.Left, mainWindow.Right, dialogWidth, screenWidth);
    corner.Y = CenteredStart(mainWindow.Top, mainWindow.Bottom, dialogHeight, screenHeight);
    return corner;
}

TRect FirstStartMainBounds(const TRect& workArea) {
    const int areaWidth = workArea.Right - workArea.Left, areaHeight = workArea.Bottom - workArea.Top;
    const int width = areaWidth * 7 / 10, height = areaHeight * 7 / 10;
    const int left = workArea.Left + (areaWidth - width) / 2, top = workArea.Top + (areaHeight - height) / 2;
    return {left, top, left + width, top + height};
}

TRect FirstStartSideBounds(const TRect& mainWindow, const TRect& workArea, int width, int height) {
    int left = mainWindow.Right;
    if (left + width > workArea.Right) left = mainWindow.Right - width;
    left = std::max(workArea.Left, std::min(left, workArea.Right - width));
    const int top = std::max(workArea.Top, std::min(int(mainWindow.Top), workArea.Bottom - height));
    return {left, top, left + width, top + height};
}
