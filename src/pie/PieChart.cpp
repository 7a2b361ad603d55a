#include "pie/PieChart.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace {

const long double kPi = 3.141592653589793238462643383279502884L;
const int32_t kLeaderLength = 10;
const int32_t kBoxPaddingX = 4;
const int32_t kBoxPaddingY = 2;

// Nearest integer, halves to even (the default rounding mode). Values that
// are not numbers or out of range cannot come from sane angles; they are
// mapped into range rather than converted blindly.
int32_t RoundHalfEven(long double value) {
    if (std::isnan(value)) return 0;
    const long double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (rounded > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return int32_t(rounded);
}

// Not-a-number angles sort as the smallest, so the order stays strict.
double SortKey(const TPieSection& section) {
    return std::isnan(section.Angle) ? -std::numeric_limits<double>::infinity() : section.Angle;
}

}  // namespace

THPieChart::THPieChart(ICanvas* canvas, int32_t width, int32_t height) : Canvas(canvas), Width(width), Height(height) {
    ApplyGeometry();
}

THPieChart::~THPieChart() {
    BeginUpdate();
    Clear();
}

void THPieChart::BeginUpdate() { ++UpdateCount; }

void THPieChart::EndUpdate() {
    if (UpdateCount > 0) --UpdateCount;
    if (UpdateCount != 0) return;
    Paint();
    if (Target && Buffer) Buffer->CopyRectTo(*Target, TRect{0, 0, Width, Height});
}

void THPieChart::SetCanvas(ICanvas* canvas) {
    if (canvas == Canvas) return;
    Canvas = canvas;
    Paint();
}

void THPieChart::SetSize(int32_t width, int32_t height) {
    Width = width;
    Height = height;
    ApplyGeometry();
    // Label positions belong to the old geometry until the next paint.
    LaidOutCount = 0;
}

void THPieChart::SetColors(TColor back, TColor line, TColor pie) {
    BackColor = back;
    LineColor = line;
    PieColor = pie;
    Paint();
}

void THPieChart::SetLabelColors(TColor textBack, TColor textLine, TColor text, TColor hiTextBack, TColor hiTextLine,
                                TColor hiText) {
    TextBackColor = textBack;
    TextLineColor = textLine;
    TextColor = text;
    HiTextBackColor = hiTextBack;
    HiTextLineColor = hiTextLine;
    HiTextColor = hiText;
    Paint();
}

TPieSection* THPieChart::AddSection(const std::string& caption, TColor color, double angle) {
    auto section = std::make_unique<TPieSection>();
    section->Angle = angle;
    section->Caption = caption;
    section->Color = color;
    TPieSection* added = section.get();
    Sections.push_back(std::move(section));
    Paint();
    return added;
}

void THPieChart::Clear() {
    BeginUpdate();
    Sections.clear();
    LaidOutCount = 0;
    EndUpdate();
}

void THPieChart::Sort(bool descending) {
    BeginUpdate();
    std::sort(Sections.begin(), Sections.end(),
              [descending](const std::unique_ptr<TPieSection>& a, const std::unique_ptr<TPieSection>& b) {
                  return descending ? SortKey(*a) > SortKey(*b) : SortKey(*a) < SortKey(*b);
              });
    EndUpdate();
}

TPieSection* THPieChart::GetSection(int32_t index) const {
    if (index < 0 || size_t(index) >= Sections.size()) return nullptr;
    return Sections[size_t(index)].get();
}

int32_t THPieChart::SectionAt(int32_t x, int32_t y) const {
    if (!HasCircle()) return -1;
    const TPoint centre = Centre();
    const double ux = double(x) - centre.X;
    const double uy = double(y) - centre.Y;
    if (ux * ux + uy * uy > double(Radius) * Radius) return -1;
    const std::optional<int32_t> angle = AngleOfPoint(x, y);
    if (!angle) return -1;
    long double acc = 0;
    for (size_t i = 0; i < Sections.size(); ++i) {
        if (CloseCircle && i + 1 == Sections.size())
            acc = 360;
        else
            acc += Sections[i]->Angle;
        if (*angle <= acc) return int32_t(i);
    }
    return -1;
}

void THPieChart::Paint() {
    if (UpdateCount != 0 || !Canvas) return;
    LaidOutCount = 0;
    std::exception_ptr failure;
    try {
        Canvas->FillRect(TRect{0, 0, Width, Height}, BackColor);
        if (HasCircle()) {
            Canvas->Ellipse(PieBounds(), PieColor, LineColor);
            PaintSections();
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // The highlighted label and the rim go on top of whatever got drawn.
    try {
        DrawSectionLabel(HighlightIndex, true);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (HasCircle()) Canvas->EllipseOutline(PieBounds(), LineColor);
    if (failure) std::rethrow_exception(failure);
}

void THPieChart::DrawSectionLabel(int32_t index, bool highlighted) {
    TPieSection* section = GetSection(index);
    if (!section || !Canvas || UpdateCount != 0) return;
    if (!HasLabel(*section) || index >= LaidOutCount) return;
    const TTextSize size = Canvas->TextExtent(section->Caption);
    const int32_t x = section->LabelX;
    const int32_t y = section->LabelY;
    const TRect box{x - kBoxPaddingX, y - kBoxPaddingY, x + size.Width + kBoxPaddingX, y + size.Height + kBoxPaddingY};
    try {
        if (highlighted) {
            Canvas->Rectangle(box, HiTextBackColor, HiTextLineColor);
            Canvas->Text(x, y, section->Caption, HiTextColor);
        } else {
            Canvas->Rectangle(box, TextBackColor, TextLineColor);
            Canvas->Text(x, y, section->Caption, TextColor);
        }
    } catch (...) {
        CopyToTarget(box);
        throw;
    }
    CopyToTarget(box);
}

TPoint THPieChart::PolarPoint(int32_t radius, long double angle) const {
    const long double radians = angle * kPi / 180;
    const TPoint centre = Centre();
    return TPoint{centre.X - RoundHalfEven(radius * std::sin(radians)),
                  centre.Y - RoundHalfEven(radius * std::cos(radians))};
}

std::optional<int32_t> THPieChart::AngleOfPoint(int32_t x, int32_t y) const {
    const TPoint centre = Centre();
    const double ux = double(x) - centre.X;
    const double uy = double(y) - centre.Y;
    const double d = std::sqrt(ux * ux + uy * uy);
    if (d == 0) return std::nullopt;
    // Angle from the horizontal axis, 0 to 90 whole degrees.
    const int32_t a = RoundHalfEven(std::acos(std::min(1.0, std::fabs(ux) / d)) * 180 / kPi);
    if (ux < 0) return uy < 0 ? 90 - a : 90 + a;
    return uy < 0 ? 270 + a : 270 - a;
}

void THPieChart::ApplyGeometry() {
    const int32_t d = std::min(Width - 2 * MarginX, Height - 2 * MarginY);
    PieLeft = (Width - d) / 2;
    PieTop = (Height - d) / 2;
    PieWidth = d;
    PieHeight = d;
    Radius = d / 2;
}

TRect THPieChart::PieBounds() const { return TRect{PieLeft, PieTop, PieLeft + PieWidth, PieTop + PieHeight}; }

bool THPieChart::HasLabel(const TPieSection& section) const {
    return !section.Caption.empty() && section.Angle >= MinTextAngle;
}

void THPieChart::PaintSections() {
    const TPoint centre = Centre();
    const TRect bounds = PieBounds();
    if (!Sections.empty() && Sections.front()->Color == PieColor) Canvas->Line(centre, Top(), LineColor);
    long double prev = 0;
    long double acc = 0;
    TPoint p = Top();
    for (size_t i = 0; i < Sections.size(); ++i) {
        TPieSection& section = *Sections[i];
        acc += section.Angle;
        if (acc > 360) acc = 360;
        const bool closesCircle = CloseCircle && i + 1 == Sections.size();
        const TPoint q = closesCircle ? Top() : PolarPoint(Radius, acc);
        // GDI fills the whole ellipse between coincident points, which is
        // right only for a section of more than half the circle.
        if (section.Color != PieColor && (q != p || section.Angle > 180))
            Canvas->Pie(bounds, p, q, section.Color, section.Color);
        Canvas->Line(centre, p, LineColor);
        Canvas->Line(centre, q, LineColor);
        const bool labelled = HasLabel(section);
        if (labelled) PlaceLabel(section, prev + (acc - prev) * 0.5L);
        LaidOutCount = int32_t(i) + 1;
        if (labelled) DrawSectionLabel(int32_t(i), false);
        prev = acc;
        p = q;
        if (acc >= 360) break;
    }
}

void THPieChart::PlaceLabel(TPieSection& section, long double mid) {
    const TPoint rim = PolarPoint(Radius, mid);
    const TPoint leaderEnd = PolarPoint(Radius + kLeaderLength, mid);
    Canvas->Line(rim, leaderEnd, LineColor);
    const TTextSize size = Canvas->TextExtent(section.Caption);
    // The text hangs away from the circle: leftwards on the left half,
    // upwards on the upper half.
    section.LabelX = mid < 180 ? leaderEnd.X - size.Width : leaderEnd.X;
    section.LabelY = (mid < 90 || mid > 270) ? leaderEnd.Y - size.Height : leaderEnd.Y;
}

void THPieChart::CopyToTarget(const TRect& rect) {
    if (Target && Canvas) Canvas->CopyRectTo(*Target, rect);
}
