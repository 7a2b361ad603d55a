#include "pie/win32/SimplePieGauge.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const TColor kLime = 0x00FF00;
const TColor kPaper = 0xFFFFFF;
const TColor kBlue = 0xFF0000;
const TColor kSilver = 0xC0C0C0;
const int kSize = 32;

TPieGaugeModel GaugeAt(int percent, TGaugeBorderStyle border, bool showText) {
    TPieGaugeModel gauge;
    gauge.SetProgress(percent);
    gauge.SetBorderStyle(border);
    gauge.SetShowText(showText);
    gauge.SetForeColor(kLime);
    gauge.SetBackColor(kPaper);
    gauge.SetBorderColor(kBlue);
    gauge.SetColor(kSilver);
    return gauge;
}

std::unique_ptr<TGdiBitmap> Painted(const TPieGaugeModel& gauge, int width = kSize, int height = kSize,
                                    HFONT font = nullptr) {
    auto bitmap = std::make_unique<TGdiBitmap>(width, height);
    EXPECT_TRUE(bitmap->IsValid());
    bitmap->Canvas().FillRect(TRect{0, 0, width, height}, 0x123456);  // not a colour the gauge uses
    PaintPieGauge(bitmap->Dc(), gauge, width, height, font);
    return bitmap;
}

TColor Inverse(TColor color) { return color ^ 0xFFFFFF; }

int CountDifferences(const TGdiBitmap& a, const TGdiBitmap& b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) ++count;
    return count;
}

class SimplePieGaugePictureTest : public ::testing::TestWithParam<TGaugeBorderStyle> {};

TEST_P(SimplePieGaugePictureTest, FullGaugeFillsTheWholeDisc) {
    const auto bitmap = Painted(GaugeAt(100, GetParam(), false));
    const POINT inside[] = {{16, 3}, {16, 28}, {3, 16}, {28, 16}, {9, 9}, {23, 9}, {9, 23}, {23, 23}, {16, 16}};
    for (const POINT& p : inside) EXPECT_EQ(kLime, bitmap->Pixel(p.x, p.y)) << p.x << "," << p.y;
}

TEST_P(SimplePieGaugePictureTest, WedgeRunsClockwiseFromTheTopThrough162Degrees) {
    const auto bitmap = Painted(GaugeAt(45, GetParam(), false));
    EXPECT_EQ(kLime, bitmap->Pixel(24, 8));    // upper right, about 45 degrees
    EXPECT_EQ(kLime, bitmap->Pixel(25, 21));   // about 120 degrees
    EXPECT_EQ(kLime, bitmap->Pixel(21, 25));   // about 150 degrees
    EXPECT_EQ(kPaper, bitmap->Pixel(17, 28));  // about 175 degrees, past the wedge
    EXPECT_EQ(kPaper, bitmap->Pixel(8, 24));   // lower left
    EXPECT_EQ(kPaper, bitmap->Pixel(8, 8));    // upper left
}

TEST_P(SimplePieGaugePictureTest, CornersOutsideTheDiscShowTheControlColour) {
    const auto bitmap = Painted(GaugeAt(100, GetParam(), false));
    // Just inside the frame, if there is one.
    EXPECT_EQ(kSilver, bitmap->Pixel(1, 1));
    EXPECT_EQ(kSilver, bitmap->Pixel(kSize - 2, 1));
    EXPECT_EQ(kSilver, bitmap->Pixel(1, kSize - 2));
    EXPECT_EQ(kSilver, bitmap->Pixel(kSize - 2, kSize - 2));
}

TEST_P(SimplePieGaugePictureTest, RimIsDrawnInTheBorderColour) {
    const auto bitmap = Painted(GaugeAt(100, GetParam(), false));
    // The leftmost column the disc reaches, at mid height.
    const int rim = GetParam() == TGaugeBorderStyle::Single ? 1 : 0;
    EXPECT_EQ(kBlue, bitmap->Pixel(rim, 16));
    EXPECT_EQ(kBlue, bitmap->Pixel(16, rim));
}

TEST_P(SimplePieGaugePictureTest, TextInvertsTheColoursUnderIt) {
    const auto plain = Painted(GaugeAt(45, GetParam(), false));
    const auto lettered = Painted(GaugeAt(45, GetParam(), true));
    int invertedOnWedge = 0, invertedOnPaper = 0, otherwiseChanged = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const TColor before = plain->Pixel(x, y), after = lettered->Pixel(x, y);
            if (before == after) continue;
            if (after == Inverse(before) && before == kLime)
                ++invertedOnWedge;
            else if (after == Inverse(before) && before == kPaper)
                ++invertedOnPaper;
            else if (after != Inverse(before))
                ++otherwiseChanged;  // smoothed letter edges
        }
    // "45%" crosses the wedge's edge at the centre.
    EXPECT_GT(invertedOnWedge, 0);
    EXPECT_GT(invertedOnPaper, 0);
    EXPECT_LT(otherwiseChanged, invertedOnWedge + invertedOnPaper);
}

INSTANTIATE_TEST_SUITE_P(SimplePieGauge, SimplePieGaugePictureTest,
                         ::testing::Values(TGaugeBorderStyle::None, TGaugeBorderStyle::Single),
                         [](const ::testing::TestParamInfo<TGaugeBorderStyle>& info) {
                             return info.param == TGaugeBorderStyle::Single ? "WithBorder" : "NoBorder";
                         });

TEST(SimplePieGaugePaintTest, BorderIsABlackFrame) {
    const auto bitmap = Painted(GaugeAt(100, TGaugeBorderStyle::Single, false));
    for (int i = 0; i < kSize; ++i) {
        EXPECT_EQ(kBlack, bitmap->Pixel(i, 0)) << i;
        EXPECT_EQ(kBlack, bitmap->Pixel(i, kSize - 1)) << i;
        EXPECT_EQ(kBlack, bitmap->Pixel(0, i)) << i;
        EXPECT_EQ(kBlack, bitmap->Pixel(kSize - 1, i)) << i;
    }
}

TEST(SimplePieGaugePaintTest, TextStaysInsideTheFrame) {
    // "100%" is wider than a 14-pixel gauge: it must not reach the frame.
    const int size = 14;
    const auto bitmap = Painted(GaugeAt(100, TGaugeBorderStyle::Single, true), size, size);
    for (int i = 0; i < size; ++i) {
        EXPECT_EQ(kBlack, bitmap->Pixel(0, i)) << i;
        EXPECT_EQ(kBlack, bitmap->Pixel(size - 1, i)) << i;
    }
    const auto plain = Painted(GaugeAt(100, TGaugeBorderStyle::Single, false), size, size);
    EXPECT_GT(CountDifferences(*plain, *bitmap), 0);
}

TEST(SimplePieGaugePaintTest, TextUsesTheGivenFont) {
    const TPieGaugeModel gauge = GaugeAt(45, TGaugeBorderStyle::None, true);
    TFont bigFont(CreateFontW(-22, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial"));
    ASSERT_NE(nullptr, bigFont.Get());
    const auto plain = Painted(GaugeAt(45, TGaugeBorderStyle::None, false));
    const auto small = Painted(gauge);
    const auto big = Painted(gauge, kSize, kSize, static_cast<HFONT>(bigFont.Get()));
    EXPECT_GT(CountDifferences(*plain, *big), CountDifferences(*plain, *small));
}

// --- The child window ----------------------------------------------------

// A plain top-level window to put gauges on, shown without activation.
class SimplePieGaugeWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 200, 150, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, Parent);
        ShowWindow(Parent, SW_SHOWNOACTIVATE);
        UpdateWindow(Parent);
    }
    void TearDown() override {
        if (Parent) DestroyWindow(Parent);
    }

    HWND Parent = nullptr;
};

TEST_F(SimplePieGaugeWindowTest, IsAChildOfItsParentAtTheGivenPlace) {
    TSimplePieGauge gauge(Parent, 10, 20, 32, 40);
    ASSERT_NE(nullptr, gauge.Handle());
    EXPECT_EQ(Parent, GetParent(gauge.Handle()));
    EXPECT_TRUE(IsWindowVisible(gauge.Handle()));
    RECT r = {};
    GetWindowRect(gauge.Handle(), &r);
    MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(42, r.right);
    EXPECT_EQ(60, r.bottom);

    TSimplePieGauge standard(Parent, 0, 0);
    GetClientRect(standard.Handle(), &r);
    EXPECT_EQ(100, r.right);
    EXPECT_EQ(100, r.bottom);
}

TEST_F(SimplePieGaugeWindowTest, PrintsWhatThePaintHelperPaints) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    gauge.SetProgress(45);
    gauge.SetBorderStyle(TGaugeBorderStyle::None);
    gauge.SetForeColor(kLime);
    gauge.SetColor(kSilver);
    TGdiBitmap printed(kSize, kSize);
    SendMessageW(gauge.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed.Dc()), PRF_CLIENT);
    EXPECT_EQ(kLime, printed.Pixel(24, 8));
    EXPECT_EQ(kSilver, printed.Pixel(0, 0));
    EXPECT_EQ(0, CountDifferences(printed, *Painted(gauge.Model())));
}

TEST_F(SimplePieGaugeWindowTest, PaintsItsWindowOnScreen) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    gauge.SetProgress(100);
    gauge.SetShowText(false);
    gauge.SetForeColor(kLime);
    gauge.SetColor(kSilver);
    RedrawWindow(gauge.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    TGdiBitmap copy(kSize, kSize);
    const HDC windowDc = GetDC(gauge.Handle());
    BitBlt(copy.Dc(), 0, 0, kSize, kSize, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(gauge.Handle(), windowDc);
    EXPECT_EQ(kLime, copy.Pixel(16, 16));
    EXPECT_EQ(kBlack, copy.Pixel(0, 0));  // the frame of the default border
    EXPECT_EQ(kSilver, copy.Pixel(1, 1));
}

// Counts the WM_PAINT messages a window receives.
struct TPaintCounter {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) ++Count;
        return CallWindowProcW(Original, window, message, wParam, lParam);
    }
    static WNDPROC Original;
    static int Count;
};
WNDPROC TPaintCounter::Original = nullptr;
int TPaintCounter::Count = 0;

TEST_F(SimplePieGaugeWindowTest, RepaintsAtOnceAndOnlyWhenThePictureChanges) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    gauge.SetMaxValue(1000);
    UpdateWindow(gauge.Handle());
    TPaintCounter::Count = 0;
    TPaintCounter::Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(gauge.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPaintCounter::Proc)));

    gauge.SetProgress(452);
    EXPECT_EQ(1, TPaintCounter::Count);
    gauge.SetProgress(457);  // still 45 percent
    gauge.SetForeColor(gauge.ForeColor());
    gauge.SetShowText(true);
    EXPECT_EQ(1, TPaintCounter::Count);
    gauge.SetBackColor(0x00FFFF);
    EXPECT_EQ(2, TPaintCounter::Count);

    SetWindowLongPtrW(gauge.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TPaintCounter::Original));
}

TEST_F(SimplePieGaugeWindowTest, RangeErrorsReachTheCaller) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    EXPECT_THROW(gauge.SetMaxValue(-1), EInvalidOperation);
    EXPECT_EQ(100, gauge.MaxValue());
    gauge.BeginLoading();
    gauge.SetMinValue(500);
    gauge.SetMaxValue(600);
    gauge.EndLoading();
    EXPECT_EQ(500, gauge.Progress());
}

TEST_F(SimplePieGaugeWindowTest, KeepsTheFontItIsGivenAndLetsTheMouseThrough) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    EXPECT_EQ(0, SendMessageW(gauge.Handle(), WM_GETFONT, 0, 0));
    const HGDIOBJ font = GetStockObject(ANSI_VAR_FONT);
    SendMessageW(gauge.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(font, gauge.Font());
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageW(gauge.Handle(), WM_GETFONT, 0, 0));
    EXPECT_EQ(HTTRANSPARENT, SendMessageW(gauge.Handle(), WM_NCHITTEST, 0, MAKELPARAM(10, 10)));
    EXPECT_NE(0, SendMessageW(gauge.Handle(), WM_ERASEBKGND, 0, 0));
}

TEST_F(SimplePieGaugeWindowTest, OutlivesItsWindowWhenTheParentGoesFirst) {
    TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
    const HWND window = gauge.Handle();
    DestroyWindow(Parent);
    Parent = nullptr;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, gauge.Handle());
    gauge.SetProgress(50);  // the model still works
    EXPECT_EQ(50, gauge.PercentDone());
}

TEST_F(SimplePieGaugeWindowTest, DestroysItsWindowWithItself) {
    HWND window = nullptr;
    {
        TSimplePieGauge gauge(Parent, 5, 5, kSize, kSize);
        window = gauge.Handle();
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
