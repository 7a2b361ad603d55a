#include "controls/DialogPlacement.h"

#include <gtest/gtest.h>

namespace {

const int32_t kScreenWidth = 1024;
const int32_t kScreenHeight = 768;

TPoint Place(int32_t left, int32_t top, int32_t width, int32_t height, int32_t dialogWidth, int32_t dialogHeight) {
    return CenteredOverMainWindow(TRect{left, top, left + width, top + height}, dialogWidth, dialogHeight, kScreenWidth,
                                  kScreenHeight);
}

TEST(DialogPlacementTest, CentresOverThePartOfTheMainWindowOnTheScreen) {
    // 100 + (800 - 200) / 2 and 50 + (600 - 100) / 2.
    EXPECT_EQ(400, Place(100, 50, 800, 600, 200, 100).X);
    EXPECT_EQ(300, Place(100, 50, 800, 600, 200, 100).Y);
    // Only 424 of 800 pixels are left of the screen's edge: 600 + (424 - 200) / 2.
    EXPECT_EQ(712, Place(600, 0, 800, 400, 200, 100).X);
    // Only 200 of 400 pixels are above the bottom: 568 + (200 - 100) / 2.
    EXPECT_EQ(618, Place(0, 568, 400, 400, 200, 100).Y);
}

TEST(DialogPlacementTest, DivisionTruncatesTowardZero) {
    // (100 - 103) / 2 is -1, where rounding down would give -2.
    EXPECT_EQ(99, Place(100, 100, 100, 100, 103, 105).X);
    EXPECT_EQ(98, Place(100, 100, 100, 100, 103, 105).Y);
}

TEST(DialogPlacementTest, ClampsToTheScreen) {
    EXPECT_EQ(0, Place(-500, 100, 800, 400, 400, 100).X);                   // partly off the left
    EXPECT_EQ(0, Place(100, -350, 400, 400, 100, 100).Y);                   // partly above the top
    EXPECT_EQ(kScreenWidth - 300, Place(1500, 100, 400, 400, 300, 100).X);  // wholly past the right
    EXPECT_EQ(kScreenHeight - 150, Place(100, 900, 400, 400, 100, 150).Y);  // wholly below
    // A dialog larger than the screen keeps its right and bottom edges on it.
    EXPECT_EQ(-40, Place(0, 0, kScreenWidth, kScreenHeight, kScreenWidth + 40, 10).X);
    // Coordinates near the 32-bit limit do not overflow.
    EXPECT_EQ(kScreenWidth - 200, Place(2000000000, 0, 100000000, 100, 200, 100).X);
}

}  // namespace

TEST(DialogPlacementTest, FirstStartTakesMostOfTheScreenWithTheSideWindowBeside) {
    const TRect work{0, 0, 1920, 1040};  // a 1920 x 1080 screen less its taskbar
    const TRect main = FirstStartMainBounds(work);
    EXPECT_EQ((TRect{288, 156, 1632, 884}), main);
    EXPECT_EQ((TRect{1632, 156, 1782, 356}), FirstStartSideBounds(main, work, 150, 200));
    // No room beside it: inside the main window's right edge.
    const TRect small{0, 0, 800, 600};
    const TRect tight = FirstStartMainBounds(small);
    EXPECT_EQ((TRect{120, 90, 680, 510}), tight);
    EXPECT_EQ((TRect{430, 90, 680, 290}), FirstStartSideBounds(tight, small, 250, 200));
    // A second screen left of the first keeps its own coordinates.
    const TRect left{-1280, 0, 0, 1024};
    EXPECT_EQ((TRect{-1088, 154, -192, 870}), FirstStartMainBounds(left));
}
