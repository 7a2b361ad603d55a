#include "pie/PieGauge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "pie/PieGaugeDrawing.h"
#include "platform/memory/RecordingCanvas.h"

namespace {

using TOp = TRecordingCanvas::TOp;

const int32_t kInt32Max = std::numeric_limits<int32_t>::max();
const int32_t kInt32Min = std::numeric_limits<int32_t>::min();

TPieGaugeModel GaugeOf(int32_t minValue, int32_t maxValue, int32_t progress) {
    TPieGaugeModel gauge;
    gauge.SetLoading(true);
    gauge.SetMinValue(minValue);
    gauge.SetMaxValue(maxValue);
    gauge.SetProgress(progress);
    gauge.SetLoading(false);
    return gauge;
}

// The text of the range error a call throws, or "" when it throws none.
template <typename F>
std::string RangeErrorOf(F call) {
    try {
        call();
    } catch (const EInvalidOperation& e) {
        return e.what();
    }
    return "";
}

TEST(PieGaugeModelTest, StartsAsANewControlDoes) {
    const TPieGaugeModel gauge;
    EXPECT_EQ(0, gauge.MinValue());
    EXPECT_EQ(100, gauge.MaxValue());
    EXPECT_EQ(0, gauge.Progress());
    EXPECT_TRUE(gauge.ShowText());
    EXPECT_EQ(TGaugeBorderStyle::Single, gauge.BorderStyle());
    EXPECT_EQ(kBlack, gauge.ForeColor());
    EXPECT_EQ(kWhite, gauge.BackColor());
    EXPECT_EQ(kBlack, gauge.BorderColor());
    EXPECT_EQ(kSystemColorFlag | 15, gauge.Color());
    EXPECT_FALSE(gauge.Loading());
}

TEST(PieGaugeModelTest, PercentDoneIsCutTowardZero) {
    EXPECT_EQ(0, GaugeOf(0, 1000, 1).PercentDone());
    EXPECT_EQ(99, GaugeOf(0, 1000, 999).PercentDone());
    EXPECT_EQ(100, GaugeOf(0, 1000, 1000).PercentDone());
    EXPECT_EQ(45, GaugeOf(0, 100, 45).PercentDone());
    EXPECT_EQ(33, GaugeOf(0, 3, 1).PercentDone());
    EXPECT_EQ(66, GaugeOf(0, 3, 2).PercentDone());
}

TEST(PieGaugeModelTest, PercentDoneOfAnEmptyRangeIsZero) {
    TPieGaugeModel gauge;
    gauge.SetMaxValue(0);
    EXPECT_EQ(0, gauge.PercentDone());
    EXPECT_EQ(0, GaugeOf(7, 7, 7).PercentDone());
}

TEST(PieGaugeModelTest, PercentDoneCountsFromMinValue) {
    EXPECT_EQ(50, GaugeOf(-100, -50, -75).PercentDone());
    EXPECT_EQ(0, GaugeOf(-100, -50, -100).PercentDone());
    EXPECT_EQ(49, GaugeOf(-100, 100, -1).PercentDone());  // 99 of 200
    EXPECT_EQ(25, GaugeOf(1000, 1400, 1100).PercentDone());
}

TEST(PieGaugeModelTest, PercentDoneOfTheWidestRangeDoesNotOverflow) {
    EXPECT_EQ(100, GaugeOf(kInt32Min, kInt32Max, kInt32Max).PercentDone());
    EXPECT_EQ(49, GaugeOf(kInt32Min, kInt32Max, -1).PercentDone());
    EXPECT_EQ(50, GaugeOf(kInt32Min, kInt32Max, 0).PercentDone());
    EXPECT_EQ(0, GaugeOf(kInt32Min, kInt32Max, kInt32Min).PercentDone());
}

TEST(PieGaugeModelTest, ProgressIsClampedIntoTheRange) {
    TPieGaugeModel gauge;
    gauge.SetProgress(150);
    EXPECT_EQ(100, gauge.Progress());
    gauge.SetProgress(-5);
    EXPECT_EQ(0, gauge.Progress());
    gauge.SetProgress(kInt32Max);
    EXPECT_EQ(100, gauge.Progress());
    gauge.SetProgress(kInt32Min);
    EXPECT_EQ(0, gauge.Progress());
}

TEST(PieGaugeModelTest, NarrowingTheRangeMovesTheProgressWithIt) {
    TPieGaugeModel gauge;
    gauge.SetProgress(80);
    EXPECT_TRUE(gauge.SetMaxValue(60));
    EXPECT_EQ(60, gauge.Progress());
    EXPECT_TRUE(gauge.SetMinValue(20));
    EXPECT_EQ(60, gauge.Progress());

    gauge.SetProgress(30);
    EXPECT_TRUE(gauge.SetMinValue(40));
    EXPECT_EQ(40, gauge.Progress());
    EXPECT_TRUE(gauge.SetMaxValue(50));
    EXPECT_EQ(40, gauge.Progress());

    // Widening leaves it where it is.
    EXPECT_TRUE(gauge.SetMaxValue(1000));
    EXPECT_TRUE(gauge.SetMinValue(-1000));
    EXPECT_EQ(40, gauge.Progress());
}

TEST(PieGaugeModelTest, MinValueAboveMaxValueIsARangeError) {
    TPieGaugeModel gauge;
    gauge.SetProgress(30);
    EXPECT_EQ("Value must be between -2147483647 and 99", RangeErrorOf([&] { gauge.SetMinValue(101); }));
    EXPECT_EQ(0, gauge.MinValue());
    EXPECT_EQ(100, gauge.MaxValue());
    EXPECT_EQ(30, gauge.Progress());
    // Equal bounds are allowed.
    EXPECT_EQ("", RangeErrorOf([&] { gauge.SetMinValue(100); }));
    EXPECT_EQ(100, gauge.Progress());
}

TEST(PieGaugeModelTest, MaxValueBelowMinValueIsARangeError) {
    TPieGaugeModel gauge = GaugeOf(10, 100, 30);
    EXPECT_EQ("Value must be between 11 and 2147483647", RangeErrorOf([&] { gauge.SetMaxValue(9); }));
    EXPECT_EQ(10, gauge.MinValue());
    EXPECT_EQ(100, gauge.MaxValue());
    EXPECT_EQ(30, gauge.Progress());
    EXPECT_EQ("", RangeErrorOf([&] { gauge.SetMaxValue(10); }));
    EXPECT_EQ(10, gauge.Progress());
}

TEST(PieGaugeModelTest, RangeErrorsAtTheEndsOfTheScaleDoNotOverflow) {
    TPieGaugeModel low = GaugeOf(kInt32Min, kInt32Min, kInt32Min);
    EXPECT_EQ("Value must be between -2147483647 and -2147483649", RangeErrorOf([&] { low.SetMinValue(0); }));
    TPieGaugeModel high = GaugeOf(kInt32Max, kInt32Max, kInt32Max);
    EXPECT_EQ("Value must be between 2147483648 and 2147483647", RangeErrorOf([&] { high.SetMaxValue(0); }));
}

TEST(PieGaugeModelTest, LoadingAcceptsTheRangeInAnyOrder) {
    TPieGaugeModel gauge;
    gauge.SetLoading(true);
    EXPECT_EQ("", RangeErrorOf([&] { gauge.SetMinValue(200); }));  // above the default maximum
    EXPECT_EQ("", RangeErrorOf([&] { gauge.SetMaxValue(300); }));
    gauge.SetProgress(250);
    gauge.SetLoading(false);
    EXPECT_EQ(200, gauge.MinValue());
    EXPECT_EQ(300, gauge.MaxValue());
    EXPECT_EQ(250, gauge.Progress());
    EXPECT_EQ(50, gauge.PercentDone());
    // Checked again once loading is over.
    EXPECT_NE("", RangeErrorOf([&] { gauge.SetMaxValue(100); }));
}

TEST(PieGaugeModelTest, PercentDoneStaysAPercentageAfterAnInconsistentLoad) {
    TPieGaugeModel gauge;
    gauge.SetLoading(true);
    gauge.SetMinValue(50);
    gauge.SetProgress(80);
    gauge.SetMaxValue(10);  // pulls the progress below the minimum
    gauge.SetLoading(false);
    EXPECT_GE(gauge.PercentDone(), 0);
    EXPECT_LE(gauge.PercentDone(), 100);
}

TEST(PieGaugeModelTest, ProgressRepaintsOnlyWhenTheWholePercentageChanges) {
    TPieGaugeModel gauge = GaugeOf(0, 1000, 0);
    EXPECT_TRUE(gauge.SetProgress(452));
    EXPECT_FALSE(gauge.SetProgress(457));  // still 45 percent
    EXPECT_EQ(457, gauge.Progress());
    EXPECT_FALSE(gauge.SetProgress(457));
    EXPECT_TRUE(gauge.SetProgress(460));
    EXPECT_TRUE(gauge.SetProgress(1));  // 0 percent
    EXPECT_FALSE(gauge.SetProgress(9));
    EXPECT_FALSE(gauge.SetProgress(-20));  // clamped to 0, still 0 percent
    EXPECT_EQ(0, gauge.Progress());
}

TEST(PieGaugeModelTest, RangeSettersRepaintOnlyOnChange) {
    TPieGaugeModel gauge;
    EXPECT_FALSE(gauge.SetMinValue(0));
    EXPECT_FALSE(gauge.SetMaxValue(100));
    EXPECT_TRUE(gauge.SetMinValue(1));
    EXPECT_TRUE(gauge.SetMaxValue(99));
}

TEST(PieGaugeModelTest, AppearanceSettersRepaintOnlyOnChange) {
    TPieGaugeModel gauge;
    EXPECT_FALSE(gauge.SetShowText(true));
    EXPECT_TRUE(gauge.SetShowText(false));
    EXPECT_FALSE(gauge.ShowText());
    EXPECT_FALSE(gauge.SetBorderStyle(TGaugeBorderStyle::Single));
    EXPECT_TRUE(gauge.SetBorderStyle(TGaugeBorderStyle::None));
    EXPECT_EQ(TGaugeBorderStyle::None, gauge.BorderStyle());
    EXPECT_FALSE(gauge.SetForeColor(kBlack));
    EXPECT_TRUE(gauge.SetForeColor(0x00FF00));
    EXPECT_EQ(0x00FF00u, gauge.ForeColor());
    EXPECT_FALSE(gauge.SetBackColor(kWhite));
    EXPECT_TRUE(gauge.SetBackColor(0x0000FF));
    EXPECT_EQ(0x0000FFu, gauge.BackColor());
    EXPECT_FALSE(gauge.SetBorderColor(kBlack));
    EXPECT_TRUE(gauge.SetBorderColor(0x808080));
    EXPECT_EQ(0x808080u, gauge.BorderColor());
    EXPECT_FALSE(gauge.SetColor(kSystemColorFlag | 15));
    EXPECT_TRUE(gauge.SetColor(kSystemColorFlag | 5));
    EXPECT_EQ(kSystemColorFlag | 5, gauge.Color());
}

// --- Drawing -------------------------------------------------------------

TPieGaugeModel Gauge32(int percent, TGaugeBorderStyle border) {
    TPieGaugeModel gauge;
    gauge.SetBorderStyle(border);
    gauge.SetProgress(percent);
    gauge.SetForeColor(0x00FF00);
    gauge.SetBackColor(0xFFFFFF);
    gauge.SetBorderColor(0x000080);
    gauge.SetColor(0xC0C0C0);
    return gauge;
}

// Where the wedge must start: `percent` x 3.6 degrees clockwise from 12
// o'clock on the circle of radii (hw, hh) centred at (hw, hh).
TPoint ClockPoint(int percent, int hw, int hh) {
    const double angle = percent * 3.6 * 3.14159265358979323846 / 180;
    return TPoint{int32_t(std::lround(hw + hw * std::sin(angle))), int32_t(std::lround(hh - hh * std::cos(angle)))};
}

TEST(PieGaugeDrawingTest, InnerRectLosesOnePixelToTheBorder) {
    TPieGaugeModel gauge;
    EXPECT_EQ((TRect{1, 1, 31, 31}), GaugeInnerRect(gauge, 32, 32));
    gauge.SetBorderStyle(TGaugeBorderStyle::None);
    EXPECT_EQ((TRect{0, 0, 32, 40}), GaugeInnerRect(gauge, 32, 40));
}

TEST(PieGaugeDrawingTest, DrawsBackgroundDiscWedgeAndRimInThatOrder) {
    const TPieGaugeModel gauge = Gauge32(45, TGaugeBorderStyle::None);
    TRecordingCanvas canvas;
    DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
    ASSERT_EQ(4u, canvas.Calls.size());
    const TRect disc{0, 0, 32, 32};

    EXPECT_EQ(TOp::FillRect, canvas.Calls[0].Op);
    EXPECT_EQ(disc, canvas.Calls[0].Rect);
    EXPECT_EQ(0xC0C0C0u, canvas.Calls[0].Fill);

    EXPECT_EQ(TOp::Ellipse, canvas.Calls[1].Op);
    EXPECT_EQ(disc, canvas.Calls[1].Rect);
    EXPECT_EQ(0xFFFFFFu, canvas.Calls[1].Fill);
    EXPECT_EQ(0x000080u, canvas.Calls[1].Outline);

    EXPECT_EQ(TOp::Pie, canvas.Calls[2].Op);
    EXPECT_EQ(disc, canvas.Calls[2].Rect);
    EXPECT_EQ(0x00FF00u, canvas.Calls[2].Fill);
    EXPECT_EQ(0x00FF00u, canvas.Calls[2].Outline);

    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls[3].Op);
    EXPECT_EQ(disc, canvas.Calls[3].Rect);
    EXPECT_EQ(0x000080u, canvas.Calls[3].Outline);
}

TEST(PieGaugeDrawingTest, NothingIsFilledAtZeroPercent) {
    for (TGaugeBorderStyle border : {TGaugeBorderStyle::None, TGaugeBorderStyle::Single}) {
        TPieGaugeModel gauge = Gauge32(0, border);
        gauge.SetMaxValue(1000);
        gauge.SetProgress(1);  // 0.1 percent is still 0
        TRecordingCanvas canvas;
        DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
        EXPECT_TRUE(canvas.Of(TOp::Pie).empty());
        EXPECT_EQ(1u, canvas.Of(TOp::Ellipse).size());
        EXPECT_EQ(1u, canvas.Of(TOp::EllipseOutline).size());
    }
}

TEST(PieGaugeDrawingTest, WedgeStartsOfTheWellKnownPercentages) {
    auto startOf = [](int percent) {
        const TPieGaugeModel gauge = Gauge32(percent, TGaugeBorderStyle::None);
        TRecordingCanvas canvas;
        DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
        return canvas.Of(TOp::Pie).at(0).From;
    };
    EXPECT_EQ((TPoint{32, 16}), startOf(25));  // 3 o'clock: the upper right quarter
    EXPECT_EQ((TPoint{21, 31}), startOf(45));  // 162 degrees
    EXPECT_EQ((TPoint{16, 32}), startOf(50));  // 6 o'clock: the right half
    EXPECT_EQ((TPoint{16, 0}), startOf(100));  // meets the end: the whole disc
}

TEST(PieGaugeDrawingTest, ATinyShareIsASliverNotAFullDisc) {
    // 1 percent of a 32-pixel disc starts one pixel right of the top.
    const TPieGaugeModel gauge = Gauge32(1, TGaugeBorderStyle::None);
    TRecordingCanvas canvas;
    DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
    EXPECT_TRUE(canvas.Of(TOp::Pie).empty());
    const auto lines = canvas.Of(TOp::Line);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ((TPoint{16, 16}), lines[0].From);
    EXPECT_EQ((TPoint{16, 0}), lines[0].To);
    EXPECT_EQ(0x00FF00u, lines[0].Fill);
    // A larger share, or a larger disc, keeps its wedge.
    DrawGaugePie(canvas, Gauge32(3, TGaugeBorderStyle::None), TRect{0, 0, 32, 32});
    EXPECT_EQ(1u, canvas.Of(TOp::Pie).size());
}

TEST(PieGaugeDrawingTest, WithBorderTheDiscIsInsetAndHalvesComeFromItsSize) {
    // Inner (1, 1)-(31, 31): the disc's corners are (1, 1) and (31, 31), and
    // the half sizes are 31 div 2 = 15.
    const TPoint top{15, 0};
    for (int percent : {25, 45, 50, 100}) {
        const TPieGaugeModel gauge = Gauge32(percent, TGaugeBorderStyle::Single);
        TRecordingCanvas canvas;
        DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
        EXPECT_EQ((TRect{1, 1, 31, 31}), canvas.Of(TOp::FillRect).at(0).Rect) << percent;
        EXPECT_EQ((TRect{1, 1, 31, 31}), canvas.Of(TOp::Ellipse).at(0).Rect) << percent;
        EXPECT_EQ((TRect{1, 1, 31, 31}), canvas.Of(TOp::EllipseOutline).at(0).Rect) << percent;
        const auto pies = canvas.Of(TOp::Pie);
        ASSERT_EQ(1u, pies.size()) << percent;
        EXPECT_EQ((TRect{1, 1, 31, 31}), pies[0].Rect) << percent;
        EXPECT_EQ(ClockPoint(percent, 15, 15), pies[0].From) << percent;
        EXPECT_EQ(top, pies[0].To) << percent;
    }
}

TEST(PieGaugeDrawingTest, DiscOfAnUnevenGaugeKeepsItsCorners) {
    // 40 x 20 with a border: inner (1, 1)-(39, 19), disc (1, 1)-(39, 19),
    // half sizes 19 and 9.
    TPieGaugeModel gauge = Gauge32(25, TGaugeBorderStyle::Single);
    TRecordingCanvas canvas;
    DrawGaugePie(canvas, gauge, GaugeInnerRect(gauge, 40, 20));
    const auto pie = canvas.Of(TOp::Pie).at(0);
    EXPECT_EQ((TRect{1, 1, 39, 19}), pie.Rect);
    EXPECT_EQ((TPoint{38, 9}), pie.From);
    EXPECT_EQ((TPoint{19, 0}), pie.To);
}

TEST(PieGaugeDrawingTest, TextIsThePercentageWithASign) {
    EXPECT_EQ("45%", GaugeText(GaugeOf(0, 1000, 457)));
    EXPECT_EQ("0%", GaugeText(GaugeOf(5, 5, 5)));
    EXPECT_EQ("100%", GaugeText(GaugeOf(-10, 10, 10)));
}

TEST(PieGaugeDrawingTest, TextIsCentredInTheInnerRect) {
    // Recording canvas: 6 pixels a character, 13 a line; "45%" is 18 x 13.
    const TPieGaugeModel gauge = Gauge32(45, TGaugeBorderStyle::None);
    TRecordingCanvas canvas;
    DrawGaugeText(canvas, gauge, GaugeInnerRect(gauge, 32, 32));
    const auto texts = canvas.Of(TOp::Text);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("45%", texts[0].Text);
    EXPECT_EQ(kWhite, texts[0].Fill);
    EXPECT_EQ((TPoint{7, 10}), texts[0].From);  // (33 - 18) div 2, (33 - 13) div 2
}

TEST(PieGaugeDrawingTest, TextPositionIgnoresTheInsetAndCutsTowardZero) {
    // With a border the inner rect is 30 wide, starting at 1: (31 - 18) div 2.
    EXPECT_EQ((TPoint{6, 9}), GaugeTextPosition(TRect{1, 1, 31, 31}, TTextSize{18, 13}));
    // Text wider than the gauge: (11 - 24) div 2 is -6, not -7.
    EXPECT_EQ((TPoint{-6, -1}), GaugeTextPosition(TRect{0, 0, 10, 10}, TTextSize{24, 13}));
}

}  // namespace
