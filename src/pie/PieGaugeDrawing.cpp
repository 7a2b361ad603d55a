#include "pie/PieGaugeDrawing.h"

#include <cmath>
#include <cstdlib>

namespace {

const double kPi = 3.14159265358979323846;

// Nearest integer, halves to the even neighbour (the default rounding mode).
int32_t RoundHalfEven(double v) { return int32_t(std::nearbyint(v)); }

}  // namespace

TRect GaugeInnerRect(const TPieGaugeModel& gauge, int32_t width, int32_t height) {
    TRect inner{0, 0, width, height};
    if (gauge.BorderStyle() == TGaugeBorderStyle::Single) inner = TRect{1, 1, width - 1, height - 1};
    return inner;
}

void DrawGaugePie(ICanvas& canvas, const TPieGaugeModel& gauge, const TRect& inner) {
    // The disc's far corner is the size itself, not Left + size: with a
    // border that is (width - 1, height - 1), so the disc stays inside it.
    int32_t w = inner.Right - inner.Left;
    int32_t h = inner.Bottom - inner.Top;
    if (gauge.BorderStyle() == TGaugeBorderStyle::Single) {
        ++w;
        ++h;
    }
    const TRect disc{inner.Left, inner.Top, w, h};

    canvas.FillRect(inner, gauge.Color());
    canvas.Ellipse(disc, gauge.BackColor(), gauge.BorderColor());

    const int percent = gauge.PercentDone();
    if (percent > 0) {
        // The wedge runs counter-clockwise from the point p x 3.6 degrees
        // clockwise from the top back to the top; at 100 percent the two
        // points meet and the whole disc is filled.
        const int32_t hw = w / 2;
        const int32_t hh = h / 2;
        const double theta = (percent * 0.02 + 0.5) * kPi;
        const TPoint start{RoundHalfEven((1 - std::cos(theta)) * hw), RoundHalfEven((1 - std::sin(theta)) * hh)};
        const TPoint top{hw, 0};
        // On a small disc a few percent round to a point next to the top,
        // which the system may take for a full turn and fill the whole disc.
        // Such a sliver is drawn as the radius it is.
        const bool sliver = percent < 100 && std::abs(start.X - top.X) <= 1 && std::abs(start.Y - top.Y) <= 1;
        if (sliver)
            canvas.Line(TPoint{hw, hh}, top, gauge.ForeColor());
        else
            canvas.Pie(disc, start, top, gauge.ForeColor(), gauge.ForeColor());
    }

    // The wedge's own outline covers part of the rim; draw the rim again.
    canvas.EllipseOutline(disc, gauge.BorderColor());
}

std::string GaugeText(const TPieGaugeModel& gauge) { return std::to_string(gauge.PercentDone()) + "%"; }

TPoint GaugeTextPosition(const TRect& inner, TTextSize size) {
    return TPoint{(inner.Right - inner.Left + 1 - size.Width) / 2, (inner.Bottom - inner.Top + 1 - size.Height) / 2};
}

void DrawGaugeText(ICanvas& canvas, const TPieGaugeModel& gauge, const TRect& inner) {
    const std::string text = GaugeText(gauge);
    const TPoint at = GaugeTextPosition(inner, canvas.TextExtent(text));
    canvas.Text(at.X, at.Y, text, kWhite);
}
