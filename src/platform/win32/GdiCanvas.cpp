#include "platform/win32/GdiCanvas.h"

#include "platform/win32/WideString.h"

COLORREF ToColorRef(TColor color) {
    if (color & kSystemColorFlag) return GetSysColor(int(color & 0xFF));
    return COLORREF(color & 0x00FFFFFF);
}

namespace {

HPEN MakePen(TColor color) { return CreatePen(PS_SOLID, 1, ToColorRef(color)); }
HBRUSH MakeBrush(TColor color) { return CreateSolidBrush(ToColorRef(color)); }

}  // namespace

void TGdiCanvas::FillRect(const TRect& rect, TColor color) {
    const RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    TGdiObject brush(MakeBrush(color));
    ::FillRect(Dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void TGdiCanvas::Ellipse(const TRect& bounds, TColor fill, TColor outline) {
    TGdiObject pen(MakePen(outline)), brush(MakeBrush(fill));
    TSelection usePen(Dc, pen.Get()), useBrush(Dc, brush.Get());
    ::Ellipse(Dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
}

void TGdiCanvas::EllipseOutline(const TRect& bounds, TColor outline) {
    TGdiObject pen(MakePen(outline));
    TSelection usePen(Dc, pen.Get()), useBrush(Dc, GetStockObject(NULL_BRUSH));
    ::Ellipse(Dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
}

void TGdiCanvas::Pie(const TRect& bounds, TPoint start, TPoint end, TColor fill, TColor outline) {
    TGdiObject pen(MakePen(outline)), brush(MakeBrush(fill));
    TSelection usePen(Dc, pen.Get()), useBrush(Dc, brush.Get());
    SetArcDirection(Dc, AD_COUNTERCLOCKWISE);
    ::Pie(Dc, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, start.X, start.Y, end.X, end.Y);
}

void TGdiCanvas::Line(TPoint from, TPoint to, TColor color) {
    TGdiObject pen(MakePen(color));
    TSelection usePen(Dc, pen.Get());
    MoveToEx(Dc, from.X, from.Y, nullptr);
    LineTo(Dc, to.X, to.Y);
}

void TGdiCanvas::Rectangle(const TRect& rect, TColor fill, TColor outline) {
    TGdiObject pen(MakePen(outline)), brush(MakeBrush(fill));
    TSelection usePen(Dc, pen.Get()), useBrush(Dc, brush.Get());
    ::Rectangle(Dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TGdiCanvas::Text(int32_t x, int32_t y, const std::string& text, TColor color) {
    const std::wstring wide = Widen(text);
    const int previousMode = SetBkMode(Dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(Dc, ToColorRef(color));
    TextOutW(Dc, x, y, wide.c_str(), int(wide.size()));
    SetTextColor(Dc, previousColor);
    SetBkMode(Dc, previousMode);
}

TTextSize TGdiCanvas::TextExtent(const std::string& text) {
    const std::wstring wide = Widen(text);
    SIZE size = {};
    if (!GetTextExtentPoint32W(Dc, wide.c_str(), int(wide.size()), &size)) return TTextSize();
    return TTextSize{size.cx, size.cy};
}

void TGdiCanvas::CopyRectTo(ICanvas& target, const TRect& rect) {
    auto* gdiTarget = dynamic_cast<TGdiCanvas*>(&target);
    if (!gdiTarget) return;
    BitBlt(gdiTarget->Dc, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, Dc, rect.Left, rect.Top,
           SRCCOPY);
}

namespace {

// A top-down 32-bit DIB section; `pixels` receives its memory, or null.
HBITMAP CreateDib(HDC dc, int width, int height, void** pixels) {
    *pixels = nullptr;
    if (!dc || width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
    if (!bitmap) *pixels = nullptr;
    return bitmap;
}

}  // namespace

TGdiBitmap::TGdiBitmap(int width, int height)
    : BitmapWidth(width),
      BitmapHeight(height),
      MemoryDc(MakeMemoryDc()),
      Bitmap(CreateDib(MemoryDc.Get(), width, height, &Pixels)),
      Surface(MemoryDc.Get()) {
    if (Bitmap.Get()) {
        PreviousBitmap = SelectObject(MemoryDc.Get(), Bitmap.Get());
        PreviousFont = SelectObject(MemoryDc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    }
}

TGdiBitmap::~TGdiBitmap() {
    // Put the originals back so the bitmap can be deleted.
    if (PreviousFont) SelectObject(MemoryDc.Get(), PreviousFont);
    if (PreviousBitmap) SelectObject(MemoryDc.Get(), PreviousBitmap);
}

void TGdiBitmap::UseFont(HFONT font) {
    if (Bitmap.Get() && font) SelectObject(MemoryDc.Get(), font);
}

const uint32_t* TGdiBitmap::FinishedPixels() const {
    GdiFlush();
    return static_cast<const uint32_t*>(Pixels);
}

TColor TGdiBitmap::Pixel(int x, int y) const {
    if (!Pixels || x < 0 || y < 0 || x >= BitmapWidth || y >= BitmapHeight) return 0;
    GdiFlush();
    const uint32_t bgra = static_cast<const uint32_t*>(Pixels)[size_t(y) * size_t(BitmapWidth) + size_t(x)];
    // DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
    return ((bgra & 0xFF) << 16) | (bgra & 0xFF00) | ((bgra >> 16) & 0xFF);
}
