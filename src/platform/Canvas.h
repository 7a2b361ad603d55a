#pragma once
#include <cstdint>
#include <string>

// A Windows colour value: 0x00BBGGRR, or 0x80000000 plus a system colour index.
using TColor = uint32_t;

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kSystemColorFlag = 0x80000000;

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

inline bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
inline bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }

// Right and bottom are exclusive, as in GDI.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

inline bool operator==(const TRect& a, const TRect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

struct TTextSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// A drawing surface: the few GDI operations the charts need. Pens are one
// pixel wide; outlines and fills take their colour per call.
class ICanvas {
public:
    virtual ~ICanvas() = default;
    virtual void FillRect(const TRect& rect, TColor color) = 0;
    // The ellipse inscribed in `bounds`, filled and outlined.
    virtual void Ellipse(const TRect& bounds, TColor fill, TColor outline) = 0;
    // The same ellipse's outline only; the inside is left as it is.
    virtual void EllipseOutline(const TRect& bounds, TColor outline) = 0;
    // The wedge of the ellipse running counter-clockwise from the radial
    // through `start` to the radial through `end` (GDI Pie); when the two
    // points coincide the whole ellipse is filled.
    virtual void Pie(const TRect& bounds, TPoint start, TPoint end, TColor fill, TColor outline) = 0;
    virtual void Line(TPoint from, TPoint to, TColor color) = 0;
    // A rectangle filled and outlined.
    virtual void Rectangle(const TRect& rect, TColor fill, TColor outline) = 0;
    // Text with its top-left corner at (x, y), background left untouched.
    virtual void Text(int32_t x, int32_t y, const std::string& text, TColor color) = 0;
    // Size of the text in the surface's current font.
    virtual TTextSize TextExtent(const std::string& text) = 0;
    // Copies `rect` of this surface to the same place on `target`.
    virtual void CopyRectTo(ICanvas& target, const TRect& rect) = 0;
};
