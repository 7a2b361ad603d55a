#include "pie/win32/SimplePieGauge.h"

#include <memory>
#include <stdexcept>

#include "controls/win32/Fonts.h"
#include "pie/PieGaugeDrawing.h"
#include "platform/win32/WindowClass.h"
#include "platform/win32/WindowDpi.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const wchar_t kGaugeClassName[] = L"QuarrymapPieGauge";

// A bitmap of the gauge's size, entirely black, or null when GDI has no room.
std::unique_ptr<TGdiBitmap> BlackBitmap(int width, int height) {
    auto bitmap = std::make_unique<TGdiBitmap>(width, height);
    if (!bitmap->IsValid()) return nullptr;
    bitmap->Canvas().FillRect(TRect{0, 0, width, height}, kBlack);
    return bitmap;
}

// Exclusive-or of `source` into `target`: black leaves a pixel as it is,
// white inverts it.
void XorInto(const TGdiBitmap& target, const TGdiBitmap& source) {
    BitBlt(target.Dc(), 0, 0, target.Width(), target.Height(), source.Dc(), 0, 0, SRCINVERT);
}

}  // namespace

void PaintPieGauge(HDC dc, const TPieGaugeModel& gauge, int width, int height, HFONT font) {
    if (width <= 0 || height <= 0) return;
    std::unique_ptr<TGdiBitmap> image = BlackBitmap(width, height);
    std::unique_ptr<TGdiBitmap> overlay = BlackBitmap(width, height);
    if (!image || !overlay) {
        // Without scratch bitmaps, at least leave no stale pixels behind.
        TGdiCanvas(dc).FillRect(TRect{0, 0, width, height}, gauge.Color());
        return;
    }
    const TRect inner = GaugeInnerRect(gauge, width, height);
    DrawGaugePie(overlay->Canvas(), gauge, inner);
    XorInto(*image, *overlay);
    overlay.reset();

    if (gauge.ShowText()) {
        // White letters on black, so the exclusive-or inverts the pie under
        // them and the text reads on fore and back colour alike.
        if (std::unique_ptr<TGdiBitmap> letters = BlackBitmap(width, height)) {
            TSelection useFont(letters->Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
            IntersectClipRect(letters->Dc(), inner.Left, inner.Top, inner.Right, inner.Bottom);
            DrawGaugeText(letters->Canvas(), gauge, inner);
            XorInto(*image, *letters);
        }
    }
    BitBlt(dc, 0, 0, width, height, image->Dc(), 0, 0, SRCCOPY);
}

TSimplePieGauge::TSimplePieGauge(HWND parent, int left, int top, int width, int height) {
    // The disc scales with the window, so any resize repaints it all.
    CreateBound({kGaugeClassName, CS_HREDRAW | CS_VREDRAW}, 0, WS_CHILD | WS_VISIBLE, left, top, width, height, parent);
    if (!Window) throw std::runtime_error("Cannot create the pie gauge window");
}

TSimplePieGauge::~TSimplePieGauge() = default;

void TSimplePieGauge::SetMinValue(int32_t value) { RepaintIf(Gauge.SetMinValue(value)); }
void TSimplePieGauge::SetMaxValue(int32_t value) { RepaintIf(Gauge.SetMaxValue(value)); }
void TSimplePieGauge::SetProgress(int32_t value) { RepaintIf(Gauge.SetProgress(value)); }
void TSimplePieGauge::SetShowText(bool value) { RepaintIf(Gauge.SetShowText(value)); }
void TSimplePieGauge::SetBorderStyle(TGaugeBorderStyle value) { RepaintIf(Gauge.SetBorderStyle(value)); }
void TSimplePieGauge::SetForeColor(TColor value) { RepaintIf(Gauge.SetForeColor(value)); }
void TSimplePieGauge::SetBackColor(TColor value) { RepaintIf(Gauge.SetBackColor(value)); }
void TSimplePieGauge::SetBorderColor(TColor value) { RepaintIf(Gauge.SetBorderColor(value)); }
void TSimplePieGauge::SetColor(TColor value) { RepaintIf(Gauge.SetColor(value)); }

void TSimplePieGauge::BeginLoading() { Gauge.SetLoading(true); }

void TSimplePieGauge::EndLoading() {
    Gauge.SetLoading(false);
    RepaintIf(true);
}

void TSimplePieGauge::PaintTo(HDC dc) const {
    if (!Window) return;
    RECT client = {};
    GetClientRect(Window, &client);
    PaintPieGauge(dc, Gauge, client.right, client.bottom, TextFont ? TextFont : OwnFontForDpi());
}

// Without a font of its own the gauge writes in the user-interface font
// made for its window's resolution, not the primary screen's.
HFONT TSimplePieGauge::OwnFontForDpi() const {
    const int dpi = WindowDpi(Window);
    if (!OwnFont.Get() || OwnFontDpi != dpi) {
        OwnFont = MakeGuiFont(dpi);
        OwnFontDpi = dpi;
    }
    return static_cast<HFONT>(OwnFont.Get());
}

void TSimplePieGauge::RepaintIf(bool due) {
    if (due) Repaint();
}

LRESULT TSimplePieGauge::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        default: return TPaintedWindow::HandleMessage(message, wParam, lParam);
    }
}
