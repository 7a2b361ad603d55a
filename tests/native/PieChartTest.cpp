#include "pie/PieChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/memory/RecordingCanvas.h"

namespace {

using TOp = TRecordingCanvas::TOp;

const TColor kBack = 0x000001, kLine = 0x000002, kPie = 0x000003;
const TColor kTextBack = 0x000010, kTextLine = 0x000020, kText = 0x000030;
const TColor kHiTextBack = 0x000100, kHiTextLine = 0x000200, kHiText = 0x000300;
const TColor kRed = 0x0000FF, kBlue = 0xFF0000;

// A 400 x 300 chart: centre (200, 150), radius 130, circle 70..330 x 20..280.
class PieChartTest : public testing::Test {
protected:
    PieChartTest() {
        chart.SetColors(kBack, kLine, kPie);
        chart.SetLabelColors(kTextBack, kTextLine, kText, kHiTextBack, kHiTextLine, kHiText);
        canvas.Clear();
    }

    void Repaint() {
        canvas.Clear();
        chart.Paint();
    }

    std::vector<std::string> TextsDrawn() const {
        std::vector<std::string> texts;
        for (const auto& call : canvas.Of(TOp::Text)) texts.push_back(call.Text);
        return texts;
    }

    TRecordingCanvas canvas;
    THPieChart chart{&canvas, 400, 300};
};

const TPoint kCentre{200, 150};
const TPoint kTop{200, 20};
const TRect kCircle{70, 20, 330, 280};

std::vector<double> AnglesOf(const THPieChart& chart) {
    std::vector<double> angles;
    for (const auto& section : chart.Sections) angles.push_back(section->Angle);
    return angles;
}

bool SameLine(const TRecordingCanvas::TCall& call, TPoint from, TPoint to) {
    return call.Op == TOp::Line && call.From == from && call.To == to && call.Fill == kLine;
}

TEST_F(PieChartTest, CreationSetsTheFieldsAndDrawsNothing) {
    TRecordingCanvas fresh;
    THPieChart created(&fresh, 400, 300);
    EXPECT_TRUE(fresh.Calls.empty());
    EXPECT_EQ(0, created.UpdateCount);
    EXPECT_EQ(&fresh, created.Canvas);
    EXPECT_EQ(50, created.MarginX);
    EXPECT_EQ(20, created.MarginY);
    EXPECT_EQ(nullptr, created.Target);
    EXPECT_EQ(nullptr, created.Buffer);
    EXPECT_FALSE(created.CloseCircle);
    EXPECT_EQ(5.0, created.MinTextAngle);
    EXPECT_EQ(-1, created.HighlightIndex);

    TPieSection* section = created.AddSection("a", kRed, 12.5);
    EXPECT_EQ(section, created.GetSection(0));
    EXPECT_EQ(nullptr, section->Node);
    EXPECT_EQ(0, section->InfoIndex);
    EXPECT_EQ(12.5, section->Angle);
    EXPECT_EQ(nullptr, created.GetSection(1));
    EXPECT_EQ(nullptr, created.GetSection(-1));
}

TEST_F(PieChartTest, GeometryCentresTheLargestCircleInsideTheMargins) {
    EXPECT_EQ(260, chart.PieWidth);
    EXPECT_EQ(260, chart.PieHeight);
    EXPECT_EQ(70, chart.PieLeft);
    EXPECT_EQ(20, chart.PieTop);
    EXPECT_EQ(130, chart.Radius);
    EXPECT_EQ(kCentre, chart.PolarPoint(0, 0));

    chart.SetSize(300, 400);  // width limits: 300 - 100
    EXPECT_TRUE(canvas.Calls.empty());
    EXPECT_EQ(200, chart.PieWidth);
    EXPECT_EQ(50, chart.PieLeft);
    EXPECT_EQ(100, chart.PieTop);
    EXPECT_EQ(100, chart.Radius);

    chart.SetSize(401, 301);  // odd diameter 261: radius truncates
    EXPECT_EQ(261, chart.PieHeight);
    EXPECT_EQ(70, chart.PieLeft);
    EXPECT_EQ(20, chart.PieTop);
    EXPECT_EQ(130, chart.Radius);
}

TEST_F(PieChartTest, PolarPointsRunCounterClockwiseFromTwelve) {
    EXPECT_EQ((TPoint{200, 50}), chart.PolarPoint(100, 0));
    EXPECT_EQ((TPoint{100, 150}), chart.PolarPoint(100, 90));
    EXPECT_EQ((TPoint{200, 250}), chart.PolarPoint(100, 180));
    EXPECT_EQ((TPoint{300, 150}), chart.PolarPoint(100, 270));
    EXPECT_EQ((TPoint{129, 79}), chart.PolarPoint(100, 45));
    EXPECT_EQ(kTop, chart.PolarPoint(chart.Radius, 0));
    EXPECT_EQ(kTop, chart.PolarPoint(chart.Radius, 360));
    // Nonsense angles stay defined.
    EXPECT_EQ(kCentre, chart.PolarPoint(100, std::numeric_limits<long double>::quiet_NaN()));
}

TEST_F(PieChartTest, AngleOfPointGivesWholeDegreesByQuadrant) {
    EXPECT_FALSE(chart.AngleOfPoint(200, 150).has_value());
    EXPECT_EQ(90, chart.AngleOfPoint(199, 150));
    EXPECT_EQ(180, chart.AngleOfPoint(200, 151));
    EXPECT_EQ(270, chart.AngleOfPoint(201, 150));
    EXPECT_EQ(360, chart.AngleOfPoint(200, 149));
    EXPECT_EQ(45, chart.AngleOfPoint(100, 50));
    EXPECT_EQ(135, chart.AngleOfPoint(100, 250));
    EXPECT_EQ(225, chart.AngleOfPoint(300, 250));
    EXPECT_EQ(315, chart.AngleOfPoint(300, 50));
    EXPECT_EQ(60, chart.AngleOfPoint(113, 100));  // 29.9 degrees above the horizontal
}

TEST_F(PieChartTest, HitTestFindsTheSectionUnderThePoint) {
    chart.AddSection("a", kPie, 90);
    chart.AddSection("b", kPie, 90);
    chart.AddSection("c", kPie, 90);
    EXPECT_EQ(-1, chart.SectionAt(200, 150));  // the exact centre has no angle
    EXPECT_EQ(0, chart.SectionAt(199, 150));   // 90 degrees: the boundary is the earlier one's
    EXPECT_EQ(0, chart.SectionAt(70, 150));    // on the rim
    EXPECT_EQ(-1, chart.SectionAt(69, 150));
    EXPECT_EQ(1, chart.SectionAt(199, 151));  // 135
    EXPECT_EQ(2, chart.SectionAt(300, 150));  // 270
    EXPECT_EQ(2, chart.SectionAt(330, 150));  // on the rim
    EXPECT_EQ(-1, chart.SectionAt(331, 150));
    EXPECT_EQ(-1, chart.SectionAt(280, 70));  // 315: no section covers it
    EXPECT_EQ(-1, chart.SectionAt(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));

    chart.CloseCircle = true;
    EXPECT_EQ(2, chart.SectionAt(280, 70));
    EXPECT_EQ(2, chart.SectionAt(200, 20));  // 360, the top of the rim
}

TEST_F(PieChartTest, OnePixelLeftOfTheCentreHitsTheSectionHolding90Degrees) {
    chart.AddSection("a", kPie, 60);
    chart.AddSection("b", kPie, 60);
    chart.AddSection("c", kPie, 240);
    EXPECT_EQ(1, chart.SectionAt(199, 150));
    EXPECT_EQ(0, chart.SectionAt(113, 100));  // exactly 60
}

TEST_F(PieChartTest, EmptyChartDrawsBackgroundDiscAndRimOnly) {
    Repaint();
    ASSERT_EQ(3u, canvas.Calls.size());
    EXPECT_EQ(TOp::FillRect, canvas.Calls[0].Op);
    EXPECT_EQ((TRect{0, 0, 400, 300}), canvas.Calls[0].Rect);
    EXPECT_EQ(kBack, canvas.Calls[0].Fill);
    EXPECT_EQ(TOp::Ellipse, canvas.Calls[1].Op);
    EXPECT_EQ(kCircle, canvas.Calls[1].Rect);
    EXPECT_EQ(kPie, canvas.Calls[1].Fill);
    EXPECT_EQ(kLine, canvas.Calls[1].Outline);
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls[2].Op);
    EXPECT_EQ(kCircle, canvas.Calls[2].Rect);
    EXPECT_EQ(kLine, canvas.Calls[2].Outline);
    EXPECT_EQ(-1, chart.SectionAt(199, 150));
    EXPECT_EQ(-1, chart.SectionAt(200, 20));
}

TEST_F(PieChartTest, WedgesRunFromPointToPointWithTheirRadii) {
    chart.AddSection("", kRed, 90);
    chart.AddSection("", kBlue, 90);
    Repaint();
    const auto pies = canvas.Of(TOp::Pie);
    ASSERT_EQ(2u, pies.size());
    EXPECT_EQ(kCircle, pies[0].Rect);
    EXPECT_EQ(kTop, pies[0].From);
    EXPECT_EQ((TPoint{70, 150}), pies[0].To);
    EXPECT_EQ(kRed, pies[0].Fill);
    EXPECT_EQ(kRed, pies[0].Outline);
    EXPECT_EQ((TPoint{70, 150}), pies[1].From);
    EXPECT_EQ((TPoint{200, 280}), pies[1].To);
    const auto lines = canvas.Of(TOp::Line);
    ASSERT_EQ(4u, lines.size());
    EXPECT_TRUE(SameLine(lines[0], kCentre, kTop));
    EXPECT_TRUE(SameLine(lines[1], kCentre, TPoint{70, 150}));
    EXPECT_TRUE(SameLine(lines[3], kCentre, TPoint{200, 280}));
    EXPECT_EQ(TOp::Pie, canvas.Calls[2].Op);  // no extra radius before a filled first wedge
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls.back().Op);

    chart.CloseCircle = true;  // the last wedge now ends at 12 o'clock
    Repaint();
    EXPECT_EQ(kTop, canvas.Of(TOp::Pie)[1].To);
    EXPECT_TRUE(SameLine(canvas.Of(TOp::Line)[3], kCentre, kTop));
}

TEST_F(PieChartTest, FirstSectionInPieColorGetsTheTwelveOClockRadius) {
    chart.AddSection("", kPie, 90);
    chart.AddSection("", kRed, 90);
    Repaint();
    ASSERT_GE(canvas.Calls.size(), 3u);
    EXPECT_TRUE(SameLine(canvas.Calls[2], kCentre, kTop));
    const auto pies = canvas.Of(TOp::Pie);
    ASSERT_EQ(1u, pies.size());  // sections in the disc colour are not filled again
    EXPECT_EQ(kRed, pies[0].Fill);
}

TEST_F(PieChartTest, WedgeBetweenCoincidentPointsIsNotFilled) {
    chart.AddSection("", kRed, 0.1);  // its end rounds onto 12 o'clock
    Repaint();
    EXPECT_TRUE(canvas.Of(TOp::Pie).empty());
    const auto lines = canvas.Of(TOp::Line);
    ASSERT_EQ(2u, lines.size());
    EXPECT_TRUE(SameLine(lines[0], kCentre, kTop));
    EXPECT_TRUE(SameLine(lines[1], kCentre, kTop));

    chart.GetSection(0)->Angle = 1;  // ends two pixels further left
    Repaint();
    ASSERT_EQ(1u, canvas.Of(TOp::Pie).size());
    EXPECT_EQ((TPoint{198, 20}), canvas.Of(TOp::Pie)[0].To);
}

TEST_F(PieChartTest, SingleFullCircleSectionFillsTheDiscAndHangsItsLabelBelow) {
    TPieSection* all = chart.AddSection("all", kRed, 360);
    Repaint();
    const auto pies = canvas.Of(TOp::Pie);
    ASSERT_EQ(1u, pies.size());
    EXPECT_EQ(kTop, pies[0].From);
    EXPECT_EQ(kTop, pies[0].To);
    EXPECT_EQ(200, all->LabelX);  // leader ends 10 pixels below the circle
    EXPECT_EQ(290, all->LabelY);
    EXPECT_TRUE(SameLine(canvas.Of(TOp::Line)[2], TPoint{200, 280}, TPoint{200, 290}));
}

TEST_F(PieChartTest, LabelsHangAwayFromTheCircleOnEachSide) {
    // "abc" measures 18 x 13; leader ends 140 pixels out at 45, 135, 225, 315.
    for (const char* caption : {"abc", "abc", "abc", "abc"}) chart.AddSection(caption, kPie, 90);
    Repaint();
    const TPoint ends[] = {{101, 51}, {101, 249}, {299, 249}, {299, 51}};
    const TPoint corners[] = {{101 - 18, 51 - 13}, {101 - 18, 249}, {299, 249}, {299, 51 - 13}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TPieSection& section = *chart.GetSection(i);
        EXPECT_EQ(corners[i], (TPoint{section.LabelX, section.LabelY}));
    }
    const auto lines = canvas.Of(TOp::Line);  // the 12 o'clock radius, then two radii and a leader each
    ASSERT_EQ(13u, lines.size());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ends[i], lines[3 + 3 * i].To);
    const auto texts = canvas.Of(TOp::Text);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ(corners[2], texts[2].From);
    EXPECT_EQ(kText, texts[2].Fill);
    const auto boxes = canvas.Of(TOp::Rectangle);
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ((TRect{299 - 4, 249 - 2, 299 + 18 + 4, 249 + 13 + 2}), boxes[2].Rect);
    EXPECT_EQ(kTextBack, boxes[2].Fill);
    EXPECT_EQ(kTextLine, boxes[2].Outline);
}

TEST_F(PieChartTest, LabelsNeedACaptionAndTheMinimumAngle) {
    chart.AddSection("exact", kPie, 5.0);
    chart.AddSection("small", kPie, 4.999);
    chart.AddSection("", kPie, 90);
    Repaint();
    EXPECT_EQ(std::vector<std::string>{"exact"}, TextsDrawn());
    EXPECT_EQ(8u, canvas.Of(TOp::Line).size());  // 1 + 2 radii each + one leader

    chart.MinTextAngle = 4.99;
    Repaint();
    EXPECT_EQ((std::vector<std::string>{"exact", "small"}), TextsDrawn());
}

TEST_F(PieChartTest, AnglesPastTheFullCircleStopAt360) {
    chart.AddSection("x", kRed, 200);
    chart.AddSection("y", kBlue, 200);
    chart.AddSection("z", kRed, 50);
    Repaint();
    const auto pies = canvas.Of(TOp::Pie);
    ASSERT_EQ(2u, pies.size());
    EXPECT_EQ(kTop, pies[1].To);
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), TextsDrawn());
    EXPECT_EQ(1, chart.SectionAt(300, 150));  // 270
    EXPECT_EQ(1, chart.SectionAt(200, 20));   // 360

    chart.HighlightIndex = 2;  // never laid out, so its label has no place
    Repaint();
    EXPECT_EQ((std::vector<std::string>{"x", "y"}), TextsDrawn());
}

TEST_F(PieChartTest, HighlightedLabelIsDrawnLastInItsColours) {
    chart.AddSection("one", kPie, 180);
    chart.AddSection("two", kPie, 180);
    chart.HighlightIndex = 0;
    Repaint();
    EXPECT_EQ((std::vector<std::string>{"one", "two", "one"}), TextsDrawn());
    EXPECT_EQ(kHiText, canvas.Of(TOp::Text)[2].Fill);
    EXPECT_EQ(kHiTextBack, canvas.Of(TOp::Rectangle)[2].Fill);
    EXPECT_EQ(kHiTextLine, canvas.Of(TOp::Rectangle)[2].Outline);
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls.back().Op);
}

TEST_F(PieChartTest, DrawSectionLabelIgnoresWhatHasNoLabel) {
    chart.AddSection("one", kPie, 180);
    chart.AddSection("", kPie, 180);
    Repaint();
    canvas.Clear();
    chart.DrawSectionLabel(-1, true);
    chart.DrawSectionLabel(1, true);
    chart.DrawSectionLabel(2, true);
    chart.BeginUpdate();
    chart.DrawSectionLabel(0, true);
    EXPECT_TRUE(canvas.Calls.empty());
}

TEST_F(PieChartTest, DrawSectionLabelCopiesItsBoxToTheTarget) {
    TRecordingCanvas screen;
    TPieSection* one = chart.AddSection("one", kPie, 180);
    Repaint();
    chart.Target = &screen;
    canvas.Clear();
    chart.DrawSectionLabel(0, true);
    const TRect box{one->LabelX - 4, one->LabelY - 2, one->LabelX + 18 + 4, one->LabelY + 13 + 2};
    ASSERT_EQ(3u, canvas.Calls.size());
    EXPECT_EQ(box, canvas.Calls[0].Rect);
    EXPECT_EQ(TOp::CopyRectTo, canvas.Calls[2].Op);
    EXPECT_EQ(box, canvas.Calls[2].Rect);
    EXPECT_EQ(&screen, canvas.Calls[2].Target);

    canvas.Clear();
    canvas.FailNextRectangle = true;
    EXPECT_THROW(chart.DrawSectionLabel(0, false), std::runtime_error);
    ASSERT_EQ(1u, canvas.Calls.size());
    EXPECT_EQ(TOp::CopyRectTo, canvas.Calls[0].Op);
    EXPECT_EQ(box, canvas.Calls[0].Rect);
}

TEST_F(PieChartTest, FailureMidPaintStillDrawsTheHighlightAndTheRim) {
    chart.AddSection("a", kPie, 90);
    chart.AddSection("b", kRed, 90);
    chart.AddSection("c", kBlue, 90);
    chart.HighlightIndex = 0;
    canvas.Clear();
    canvas.FailNextPie = true;
    EXPECT_THROW(chart.Paint(), std::runtime_error);
    EXPECT_EQ((std::vector<std::string>{"a", "a"}), TextsDrawn());
    EXPECT_EQ(kHiText, canvas.Of(TOp::Text)[1].Fill);
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls.back().Op);

    // A highlighted section the failed paint never reached keeps no stale label.
    chart.HighlightIndex = 2;
    canvas.Clear();
    canvas.FailNextPie = true;
    EXPECT_THROW(chart.Paint(), std::runtime_error);
    EXPECT_EQ(std::vector<std::string>{"a"}, TextsDrawn());
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls.back().Op);

    // A failing label box: the highlight and the rim are drawn all the same.
    chart.HighlightIndex = 0;
    canvas.FailNextRectangle = true;
    canvas.Clear();
    chart.BeginUpdate();
    EXPECT_THROW(chart.EndUpdate(), std::runtime_error);
    EXPECT_EQ(0, chart.UpdateCount);
    ASSERT_EQ(std::vector<std::string>{"a"}, TextsDrawn());
    EXPECT_EQ(kHiText, canvas.Of(TOp::Text)[0].Fill);
    EXPECT_EQ(TOp::EllipseOutline, canvas.Calls.back().Op);
}

TEST_F(PieChartTest, EndUpdatePaintsOnceAndCopiesTheBufferToTheTarget) {
    TRecordingCanvas screen;
    chart.Target = &screen;
    chart.Buffer = &canvas;
    chart.BeginUpdate();
    chart.BeginUpdate();
    chart.AddSection("a", kRed, 120);
    chart.AddSection("b", kBlue, 240);
    chart.SetColors(kBack, kLine, kPie);
    chart.SetLabelColors(kTextBack, kTextLine, kText, kHiTextBack, kHiTextLine, kHiText);
    chart.SetCanvas(&screen);
    chart.SetCanvas(&canvas);
    chart.Sort(true);
    chart.EndUpdate();
    EXPECT_TRUE(canvas.Calls.empty());
    EXPECT_EQ(240.0, chart.GetSection(0)->Angle);

    chart.EndUpdate();
    EXPECT_EQ(1u, canvas.Of(TOp::FillRect).size());
    ASSERT_EQ(TOp::CopyRectTo, canvas.Calls.back().Op);
    EXPECT_EQ((TRect{0, 0, 400, 300}), canvas.Calls.back().Rect);
    EXPECT_EQ(&screen, canvas.Calls.back().Target);
    EXPECT_TRUE(screen.Calls.empty());

    // With no pending update it still paints and copies, as after a resize.
    canvas.Clear();
    chart.EndUpdate();
    EXPECT_EQ(0, chart.UpdateCount);
    EXPECT_EQ(1u, canvas.Of(TOp::FillRect).size());
    EXPECT_EQ(TOp::CopyRectTo, canvas.Calls.back().Op);

    // A paint of its own copies only label boxes.
    canvas.Clear();
    chart.Paint();
    for (const auto& copy : canvas.Of(TOp::CopyRectTo)) EXPECT_FALSE(copy.Rect == (TRect{0, 0, 400, 300}));

    chart.Buffer = nullptr;
    canvas.Clear();
    chart.EndUpdate();
    EXPECT_EQ(2u, canvas.Of(TOp::CopyRectTo).size());  // the two label boxes
}

TEST_F(PieChartTest, ChangesPaintAtOnceOutsideAnUpdate) {
    chart.AddSection("a", kRed, 120);
    EXPECT_EQ(1u, canvas.Of(TOp::FillRect).size());
    canvas.Clear();
    chart.SetColors(kBlue, kLine, kPie);
    EXPECT_EQ(kBlue, canvas.Of(TOp::FillRect).at(0).Fill);

    TRecordingCanvas other;
    canvas.Clear();
    chart.SetCanvas(&canvas);  // unchanged: no paint
    EXPECT_TRUE(canvas.Calls.empty());
    chart.SetCanvas(&other);
    EXPECT_EQ(1u, other.Of(TOp::FillRect).size());
    EXPECT_TRUE(canvas.Calls.empty());
    other.Clear();
    chart.SetCanvas(nullptr);
    chart.Paint();
    chart.DrawSectionLabel(0, true);
    EXPECT_TRUE(other.Calls.empty());
    EXPECT_TRUE(canvas.Calls.empty());

    chart.SetCanvas(&canvas);
    canvas.Clear();
    chart.Clear();
    EXPECT_EQ(nullptr, chart.GetSection(0));
    EXPECT_EQ(1u, canvas.Of(TOp::FillRect).size());
}

TEST_F(PieChartTest, SortOrdersByAngleEitherWay) {
    for (double angle : {30.0, 90.0, 10.0, 60.0}) chart.AddSection("", kPie, angle);
    canvas.Clear();
    chart.Sort(false);
    EXPECT_EQ(1u, canvas.Of(TOp::FillRect).size());
    EXPECT_EQ((std::vector<double>{10, 30, 60, 90}), AnglesOf(chart));
    chart.Sort(true);
    EXPECT_EQ((std::vector<double>{90, 60, 30, 10}), AnglesOf(chart));

    // Not-a-number angles must not upset the sort or the paint; they go last.
    chart.BeginUpdate();
    for (int i = 0; i < 40; ++i) chart.AddSection("n", kRed, i % 3 ? double(i) : std::nan(""));
    chart.Sort(true);
    chart.EndUpdate();
    const std::vector<double> angles = AnglesOf(chart);
    ASSERT_EQ(44u, angles.size());
    for (size_t i = 1; i < 30; ++i) EXPECT_GE(angles[i - 1], angles[i]);
    for (size_t i = 30; i < 44; ++i) EXPECT_TRUE(std::isnan(angles[i]));
}

TEST_F(PieChartTest, AreaSmallerThanTheMarginsHasNoCircle) {
    chart.AddSection("a", kRed, 180);
    chart.HighlightIndex = 0;
    chart.SetSize(100, 40);
    canvas.Clear();
    chart.DrawSectionLabel(0, true);  // old label positions are gone
    EXPECT_TRUE(canvas.Calls.empty());
    chart.Paint();
    ASSERT_EQ(1u, canvas.Calls.size());
    EXPECT_EQ(TOp::FillRect, canvas.Calls[0].Op);
    EXPECT_EQ(-1, chart.SectionAt(50, 20));
    EXPECT_EQ(-1, chart.SectionAt(49, 20));
}

TEST_F(PieChartTest, DestroyingTheChartDrawsNothing) {
    TRecordingCanvas surface;
    {
        THPieChart doomed(&surface, 400, 300);
        doomed.AddSection("a", kRed, 90);
        surface.Clear();
    }
    EXPECT_TRUE(surface.Calls.empty());
}

}  // namespace
