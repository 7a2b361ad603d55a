#pragma once
#include <windows.h>

#include "controls/win32/PaintedWindow.h"

#include <cstdint>

#include "pie/PieGauge.h"
#include "platform/win32/GdiObjects.h"

// Paints a gauge of the given size into `dc` at (0, 0), building the picture
// off-screen and copying it once. `font` null means the default GUI font.
void PaintPieGauge(HDC dc, const TPieGaugeModel& gauge, int width, int height, HFONT font);

// A pie gauge as a small child window that paints itself. It lets the mouse
// through to the window below, as a label would, so the parent's cursor,
// hints and menus work over it. The window is destroyed with this object or
// with its parent, whichever comes first.
class TSimplePieGauge : public TPaintedWindow {
public:
    // Throws std::runtime_error when the window cannot be created.
    TSimplePieGauge(HWND parent, int left, int top, int width = kDefaultGaugeSize, int height = kDefaultGaugeSize);
    ~TSimplePieGauge() override;
    TSimplePieGauge(const TSimplePieGauge&) = delete;
    TSimplePieGauge& operator=(const TSimplePieGauge&) = delete;

    const TPieGaugeModel& Model() const { return Gauge; }

    int32_t MinValue() const { return Gauge.MinValue(); }
    int32_t MaxValue() const { return Gauge.MaxValue(); }
    int32_t Progress() const { return Gauge.Progress(); }
    int PercentDone() const { return Gauge.PercentDone(); }
    bool ShowText() const { return Gauge.ShowText(); }
    TGaugeBorderStyle BorderStyle() const { return Gauge.BorderStyle(); }
    TColor ForeColor() const { return Gauge.ForeColor(); }
    TColor BackColor() const { return Gauge.BackColor(); }
    TColor BorderColor() const { return Gauge.BorderColor(); }
    TColor Color() const { return Gauge.Color(); }

    // The range setters throw EInvalidOperation as the model's do.
    void SetMinValue(int32_t value);
    void SetMaxValue(int32_t value);
    void SetProgress(int32_t value);
    void SetShowText(bool value);
    void SetBorderStyle(TGaugeBorderStyle value);
    void SetForeColor(TColor value);
    void SetBackColor(TColor value);
    void SetBorderColor(TColor value);
    void SetColor(TColor value);
    // Range values may be set in any order between these; ending repaints.
    void BeginLoading();
    void EndLoading();

    // In the default GUI font when it has none of its own.
    void PaintTo(HDC dc) const override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Repaints at once when the model asks for it.
    void RepaintIf(bool due);
    HFONT OwnFontForDpi() const;

    TPieGaugeModel Gauge;
    mutable TFont OwnFont;  // made on first use when TextFont is none
    mutable int OwnFontDpi = 0;
};
