#pragma once
#include <windows.h>

#include <memory>

#include "platform/Canvas.h"
#include "platform/win32/GdiObjects.h"

// Resolves system colours (0x80000000 + index) to their present RGB value.
COLORREF ToColorRef(TColor color);

// ICanvas over a device context the caller owns.
class TGdiCanvas : public ICanvas {
public:
    explicit TGdiCanvas(HDC dc) : Dc(dc) {}

    HDC Handle() const { return Dc; }

    void FillRect(const TRect& rect, TColor color) override;
    void Ellipse(const TRect& bounds, TColor fill, TColor outline) override;
    void EllipseOutline(const TRect& bounds, TColor outline) override;
    void Pie(const TRect& bounds, TPoint start, TPoint end, TColor fill, TColor outline) override;
    void Line(TPoint from, TPoint to, TColor color) override;
    void Rectangle(const TRect& rect, TColor fill, TColor outline) override;
    void Text(int32_t x, int32_t y, const std::string& text, TColor color) override;
    TTextSize TextExtent(const std::string& text) override;
    // The target must be another GDI canvas; other targets are left alone.
    void CopyRectTo(ICanvas& target, const TRect& rect) override;

private:
    HDC Dc;
};

// An off-screen 32-bit bitmap selected into its own memory device context,
// with the default user-interface font. Its pixels can be read directly.
class TGdiBitmap {
public:
    TGdiBitmap(int width, int height);
    ~TGdiBitmap();
    TGdiBitmap(const TGdiBitmap&) = delete;
    TGdiBitmap& operator=(const TGdiBitmap&) = delete;

    bool IsValid() const { return Pixels != nullptr; }
    int Width() const { return BitmapWidth; }
    int Height() const { return BitmapHeight; }
    HDC Dc() const { return MemoryDc.Get(); }
    HBITMAP Handle() const { return static_cast<HBITMAP>(Bitmap.Get()); }
    TGdiCanvas& Canvas() { return Surface; }
    // The colour of one pixel as 0x00BBGGRR; 0 outside the bitmap.
    TColor Pixel(int x, int y) const;
    // The font texts are drawn in; the caller keeps it alive while selected.
    void UseFont(HFONT font);
    // Every pixel, top row first, as 0x??RRGGBB, once GDI has finished
    // drawing; none for an invalid bitmap.
    const uint32_t* FinishedPixels() const;

private:
    int BitmapWidth;
    int BitmapHeight;
    TMemoryDcHandle MemoryDc;  // before the bitmap and the canvas, which use it
    void* Pixels = nullptr;
    TGdiObject Bitmap;
    HGDIOBJ PreviousBitmap = nullptr;
    HGDIOBJ PreviousFont = nullptr;
    TGdiCanvas Surface;
};
