#include "controls/win32/DriveItemDrawing.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "DrivePickerTestSupport.h"
#include "controls/win32/ShellDriveList.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const int kWidth = 200;

class DriveItemDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        // Every Windows has a drive C, so the shell has an icon for it.
        Drives.AddLetter('C');
        List.Fill();
        ASSERT_NE(nullptr, List.At(0)->Icon.Get());
    }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    // Drive C's icon with the given item text, drawn into a fresh bitmap with the default GUI font.
    std::unique_ptr<TGdiBitmap> Drawn(const std::string& text, UINT state, int height = 24) {
        TShellDrive drive;
        drive.Text = text;
        drive.Icon = TIconHandle(CopyIcon(List.At(0)->Icon.Get()));
        auto bitmap = std::make_unique<TGdiBitmap>(kWidth, height);
        TSelection useFont(bitmap->Dc(), GetStockObject(DEFAULT_GUI_FONT));
        DrawDriveItem(bitmap->Dc(), RECT{0, 0, kWidth, height}, text.empty() ? nullptr : &drive, state, Icon);
        return bitmap;
    }

    // True when every pixel of the area is the window colour.
    static bool Blank(const TGdiBitmap& bitmap, int left, int top, int right, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (bitmap.Pixel(x, y) != TColor(GetSysColor(COLOR_WINDOW))) return false;
        return true;
    }

    // The rightmost column with ink; -1 when none.
    static int LastInkColumn(const TGdiBitmap& bitmap) {
        for (int x = bitmap.Width() - 1; x >= 0; --x)
            if (!Blank(bitmap, x, 0, x + 1, bitmap.Height())) return x;
        return -1;
    }

    bool ComReady = false;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    TShellDriveList List{Drives, Names};
    const TSmallIconSize Icon = SmallIconMetrics(nullptr);
};

TEST_F(DriveItemDrawingTest, IconStandsTwoPixelsInCentredVerticallyAndTheNameSixPixelsPastIt) {
    for (int height : {24, 40}) {
        SCOPED_TRACE(height);
        const auto bitmap = Drawn("CSystem (C:)", 0, height);
        const int top = (height - Icon.Height) / 2;
        const int iconRight = 2 + Icon.Width;
        const int textLeft = Icon.Width + 6;
        EXPECT_TRUE(Blank(*bitmap, 0, 0, 2, height));
        EXPECT_TRUE(Blank(*bitmap, 0, 0, iconRight, top));
        EXPECT_TRUE(Blank(*bitmap, 0, top + Icon.Height, iconRight, height));
        EXPECT_FALSE(Blank(*bitmap, 2, top, iconRight, top + Icon.Height));
        EXPECT_TRUE(Blank(*bitmap, iconRight, 0, textLeft, height));
        EXPECT_GT(LastInkColumn(*bitmap), textLeft);
    }
}

TEST_F(DriveItemDrawingTest, TheLetterIsNotDrawnAndAmpersandsAreLiteral) {
    EXPECT_LE(LastInkColumn(*Drawn("W", 0)), 1 + Icon.Width);  // the icon alone, no text
    // Taken as prefixes, the four ampersands would show as two.
    SIZE three = {};
    const TMemoryDcHandle dc = MakeMemoryDc();
    TSelection useFont(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc.Get(), L"&&&", 3, &three);
    EXPECT_GT(LastInkColumn(*Drawn("C&&&&", 0)) - (Icon.Width + 6), three.cx);
}

TEST_F(DriveItemDrawingTest, StatesPickTheBackgroundAndTheFocusFrame) {
    const auto selected = Drawn("CSystem (C:)", ODS_SELECTED);
    EXPECT_EQ(TColor(GetSysColor(COLOR_HIGHLIGHT)), selected->Pixel(0, 0));
    EXPECT_EQ(TColor(GetSysColor(COLOR_HIGHLIGHT)), selected->Pixel(kWidth - 1, 23));
    EXPECT_TRUE(Blank(*Drawn("", 0), 0, 0, kWidth, 24));  // no drive: the background alone
    const auto focused = Drawn("", ODS_FOCUS);
    EXPECT_FALSE(Blank(*focused, 0, 0, kWidth, 1));
    EXPECT_TRUE(Blank(*focused, 2, 2, kWidth - 2, 22));
}

}  // namespace
