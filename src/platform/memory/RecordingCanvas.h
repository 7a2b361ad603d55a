#pragma once
#include <string>
#include <vector>

#include "platform/Canvas.h"

// A canvas that draws nothing and remembers every call, for tests of the
// drawing code. Text is measured as a fixed number of pixels per byte.
class TRecordingCanvas : public ICanvas {
public:
    enum class TOp { FillRect, Ellipse, EllipseOutline, Pie, Line, Rectangle, Text, CopyRectTo };

    struct TCall {
        TOp Op;
        TRect Rect;          // FillRect, Ellipse, EllipseOutline, Pie, Rectangle, CopyRectTo
        TPoint From;         // Pie start, Line from, Text position
        TPoint To;           // Pie end, Line to
        TColor Fill = 0;     // FillRect, Ellipse, Pie, Rectangle; Line and Text colour
        TColor Outline = 0;  // Ellipse, EllipseOutline, Pie, Rectangle
        std::string Text;
        const ICanvas* Target = nullptr;  // CopyRectTo
    };

    void FillRect(const TRect& rect, TColor color) override;
    void Ellipse(const TRect& bounds, TColor fill, TColor outline) override;
    void EllipseOutline(const TRect& bounds, TColor outline) override;
    void Pie(const TRect& bounds, TPoint start, TPoint end, TColor fill, TColor outline) override;
    void Line(TPoint from, TPoint to, TColor color) override;
    void Rectangle(const TRect& rect, TColor fill, TColor outline) override;
    void Text(int32_t x, int32_t y, const std::string& text, TColor color) override;
    TTextSize TextExtent(const std::string& text) override;
    void CopyRectTo(ICanvas& target, const TRect& rect) override;

    // The calls of one kind, in order.
    std::vector<TCall> Of(TOp op) const;
    void Clear() { Calls.clear(); }

    std::vector<TCall> Calls;
    int32_t CharWidth = 6;
    int32_t LineHeight = 13;
    // When set, the next call of that kind throws, to test drawing that must
    // finish its last steps anyway.
    bool FailNextPie = false;
    bool FailNextRectangle = false;
};
