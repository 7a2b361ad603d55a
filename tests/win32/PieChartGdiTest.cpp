#include "pie/PieChart.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/GdiCanvas.h"

namespace {

// Colours as 0x00BBGGRR.
const TColor kWhite = 0x00FFFFFF, kBlack = 0x00000000, kGreen = 0x0000FF00;
const TColor kRed = 0x000000FF, kBlue = 0x00FF0000, kYellow = 0x0000FFFF;

// A 400 x 300 chart: centre (200, 150), radius 130. Samples keep clear of
// the radius lines, which run from the centre to 12, 9 and 6 o'clock here.
class PieChartGdiTest : public testing::Test {
protected:
    PieChartGdiTest() {
        chart.SetColors(kWhite, kBlack, kGreen);
        chart.SetLabelColors(kYellow, kBlue, kBlack, kYellow, kBlue, kBlack);
    }

    TGdiBitmap bitmap{400, 300};
    THPieChart chart{&bitmap.Canvas(), 400, 300};
};

// The x of the first pixel on row y, walking from x0 by step, that is not the
// background; -1 when there is none within 40 pixels.
int FirstDrawnX(const TGdiBitmap& image, int x0, int step, int y) {
    for (int x = x0, n = 0; n < 40; x += step, ++n)
        if (image.Pixel(x, y) != kWhite) return x;
    return -1;
}

TEST_F(PieChartGdiTest, FullCircleSectionFillsTheDiscInsideABlackRim) {
    ASSERT_TRUE(bitmap.IsValid());
    chart.BeginUpdate();
    chart.AddSection("", kRed, 360);
    chart.EndUpdate();

    EXPECT_EQ(kRed, bitmap.Pixel(190, 160));  // near the centre
    EXPECT_EQ(kRed, bitmap.Pixel(140, 90));
    EXPECT_EQ(kRed, bitmap.Pixel(140, 210));
    EXPECT_EQ(kRed, bitmap.Pixel(260, 90));
    EXPECT_EQ(kRed, bitmap.Pixel(260, 210));
    EXPECT_EQ(kRed, bitmap.Pixel(76, 150));  // just inside the rim
    EXPECT_EQ(kWhite, bitmap.Pixel(10, 10));
    EXPECT_EQ(kWhite, bitmap.Pixel(345, 150));
    EXPECT_EQ(kWhite, bitmap.Pixel(300, 40));  // beyond the rim, inside the bounding square

    // The rim is drawn over the wedge: left and right edges of the middle row.
    const int left = FirstDrawnX(bitmap, 50, 1, 150);
    const int right = FirstDrawnX(bitmap, 350, -1, 150);
    EXPECT_NEAR(70, left, 1);
    EXPECT_NEAR(329, right, 1);
    EXPECT_EQ(kBlack, bitmap.Pixel(left, 150));
    EXPECT_EQ(kBlack, bitmap.Pixel(right, 150));
    EXPECT_EQ(kBlack, bitmap.Pixel(200, 20));
}

TEST_F(PieChartGdiTest, WedgesTurnCounterClockwiseFromTwelveOClock) {
    // 0..90 is the upper left quarter, in the disc colour; 90..180 the lower
    // left quarter, in red; the right half belongs to no section.
    chart.BeginUpdate();
    chart.AddSection("", kGreen, 90);
    chart.AddSection("", kRed, 90);
    chart.EndUpdate();

    EXPECT_EQ(kGreen, bitmap.Pixel(140, 90));
    EXPECT_EQ(kRed, bitmap.Pixel(140, 210));
    EXPECT_EQ(kRed, bitmap.Pixel(190, 270));
    EXPECT_EQ(kGreen, bitmap.Pixel(260, 90));
    EXPECT_EQ(kGreen, bitmap.Pixel(260, 210));
    EXPECT_EQ(kBlack, bitmap.Pixel(140, 150));  // the 9 o'clock radius
}

TEST_F(PieChartGdiTest, SliverWhoseEndsCoincideLeavesTheDiscAlone) {
    chart.BeginUpdate();
    chart.AddSection("", kRed, 0.1);
    chart.EndUpdate();

    EXPECT_EQ(kGreen, bitmap.Pixel(140, 90));
    EXPECT_EQ(kGreen, bitmap.Pixel(260, 210));
    EXPECT_EQ(kBlack, bitmap.Pixel(200, 100));  // its radius lines at 12 o'clock
}

TEST_F(PieChartGdiTest, LabelBoxAndTheCopyToTheTarget) {
    TGdiBitmap screen(400, 300);
    ASSERT_TRUE(screen.IsValid());
    chart.Target = &screen.Canvas();
    chart.Buffer = &bitmap.Canvas();
    chart.BeginUpdate();
    TPieSection* section = chart.AddSection("Label", kRed, 90);
    chart.EndUpdate();

    const TTextSize size = bitmap.Canvas().TextExtent("Label");
    ASSERT_GT(size.Width, 0);
    const int x = section->LabelX, y = section->LabelY;
    EXPECT_EQ(kBlue, bitmap.Pixel(x - 4, y - 2));  // box outline
    EXPECT_EQ(kBlue, bitmap.Pixel(x + size.Width + 3, y + size.Height + 1));
    EXPECT_EQ(kYellow, bitmap.Pixel(x - 2, y + size.Height / 2));  // box fill, left of the text

    const int samples[][2] = {{x - 4, y - 2}, {x - 2, y + 1}, {140, 90}, {260, 210}, {200, 20}, {10, 10}};
    for (const auto& p : samples) EXPECT_EQ(bitmap.Pixel(p[0], p[1]), screen.Pixel(p[0], p[1]));
    EXPECT_EQ(kRed, screen.Pixel(140, 90));
}

}  // namespace
