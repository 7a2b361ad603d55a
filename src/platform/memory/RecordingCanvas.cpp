#include "platform/memory/RecordingCanvas.h"

#include <stdexcept>

namespace {

TRecordingCanvas::TCall MakeCall(TRecordingCanvas::TOp op) {
    TRecordingCanvas::TCall call;
    call.Op = op;
    return call;
}

}  // namespace

void TRecordingCanvas::FillRect(const TRect& rect, TColor color) {
    TCall call = MakeCall(TOp::FillRect);
    call.Rect = rect;
    call.Fill = color;
    Calls.push_back(call);
}

void TRecordingCanvas::Ellipse(const TRect& bounds, TColor fill, TColor outline) {
    TCall call = MakeCall(TOp::Ellipse);
    call.Rect = bounds;
    call.Fill = fill;
    call.Outline = outline;
    Calls.push_back(call);
}

void TRecordingCanvas::EllipseOutline(const TRect& bounds, TColor outline) {
    TCall call = MakeCall(TOp::EllipseOutline);
    call.Rect = bounds;
    call.Outline = outline;
    Calls.push_back(call);
}

void TRecordingCanvas::Pie(const TRect& bounds, TPoint start, TPoint end, TColor fill, TColor outline) {
    if (FailNextPie) {
        FailNextPie = false;
        throw std::runtime_error("pie failed");
    }
    TCall call = MakeCall(TOp::Pie);
    call.Rect = bounds;
    call.From = start;
    call.To = end;
    call.Fill = fill;
    call.Outline = outline;
    Calls.push_back(call);
}

void TRecordingCanvas::Line(TPoint from, TPoint to, TColor color) {
    TCall call = MakeCall(TOp::Line);
    call.From = from;
    call.To = to;
    call.Fill = color;
    Calls.push_back(call);
}

void TRecordingCanvas::Rectangle(const TRect& rect, TColor fill, TColor outline) {
    if (FailNextRectangle) {
        FailNextRectangle = false;
        throw std::runtime_error("rectangle failed");
    }
    TCall call = MakeCall(TOp::Rectangle);
    call.Rect = rect;
    call.Fill = fill;
    call.Outline = outline;
    Calls.push_back(call);
}

void TRecordingCanvas::Text(int32_t x, int32_t y, const std::string& text, TColor color) {
    TCall call = MakeCall(TOp::Text);
    call.From = TPoint{x, y};
    call.Text = text;
    call.Fill = color;
    Calls.push_back(call);
}

TTextSize TRecordingCanvas::TextExtent(const std::string& text) {
    return TTextSize{int32_t(text.size()) * CharWidth, LineHeight};
}

void TRecordingCanvas::CopyRectTo(ICanvas& target, const TRect& rect) {
    TCall call = MakeCall(TOp::CopyRectTo);
    call.Rect = rect;
    call.Target = &target;
    Calls.push_back(call);
}

std::vector<TRecordingCanvas::TCall> TRecordingCanvas::Of(TOp op) const {
    std::vector<TCall> found;
    for (const TCall& call : Calls)
        if (call.Op == op) found.push_back(call);
    return found;
}
