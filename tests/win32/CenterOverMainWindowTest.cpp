#include "controls/win32/CenterOverMainWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "DrivePickerTestSupport.h"

namespace {

RECT BoundsOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

TEST(CenterOverMainWindowTest, CentresOverTheMainWindowAndClampsToTheScreen) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    THostWindow dialog(5, 5, 300, 200);

    THostWindow centre(screenWidth / 4, screenHeight / 4, screenWidth / 2, screenHeight / 2);
    CenterOverMainWindow(dialog.Handle(), centre.Handle());
    RECT d = BoundsOf(dialog.Handle());
    EXPECT_EQ(300, d.right - d.left);
    EXPECT_NEAR(screenWidth / 2, (d.left + d.right) / 2, 1);
    EXPECT_NEAR(screenHeight / 2, (d.top + d.bottom) / 2, 1);

    THostWindow offTopLeft(-600, -500, 700, 600);
    CenterOverMainWindow(dialog.Handle(), offTopLeft.Handle());
    d = BoundsOf(dialog.Handle());
    EXPECT_EQ(0, d.left);
    EXPECT_EQ(0, d.top);

    THostWindow offBottomRight(screenWidth - 100, screenHeight - 50, 800, 600);
    CenterOverMainWindow(dialog.Handle(), offBottomRight.Handle());
    d = BoundsOf(dialog.Handle());
    EXPECT_EQ(screenWidth, d.right);
    EXPECT_EQ(screenHeight, d.bottom);

    CenterOverMainWindow(dialog.Handle(), nullptr);
    EXPECT_EQ(d.left, BoundsOf(dialog.Handle()).left);  // no main window: nothing moves
}

}  // namespace
