#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

struct TFolderNode;

// One wedge of the pie. Angles are in degrees.
struct TPieSection {
    double Angle = 0.0;
    std::string Caption;  // empty: no label
    TColor Color = 0;
    TFolderNode* Node = nullptr;  // the owner's tag: the folder the wedge stands for
    int32_t InfoIndex = 0;        // the owner's tag: its entry in the section information list
    int32_t LabelX = 0;           // top-left corner of the label text, from the last paint
    int32_t LabelY = 0;
};

// A pie of sections inside a rectangular drawing area: draws wedges, radius
// lines and boxed labels, keeps one label highlighted and maps points back to
// sections. Angle 0 is 12 o'clock and angles grow counter-clockwise.
//
// Drawing operations do their closing steps (the highlighted label and the
// rim after a full paint, the copy to Target after a label box) even when the
// canvas fails midway; the failure then leaves the operation afterwards.
class THPieChart {
public:
    THPieChart(ICanvas* canvas, int32_t width, int32_t height);
    ~THPieChart();
    THPieChart(const THPieChart&) = delete;
    THPieChart& operator=(const THPieChart&) = delete;

    void BeginUpdate();
    // The outermost call paints and then copies Buffer onto Target; also
    // when no update was pending, which is how the owner repaints.
    void EndUpdate();
    void SetCanvas(ICanvas* canvas);
    // Applies the geometry rule; does not draw.
    void SetSize(int32_t width, int32_t height);
    void SetColors(TColor back, TColor line, TColor pie);
    void SetLabelColors(TColor textBack, TColor textLine, TColor text, TColor hiTextBack, TColor hiTextLine,
                        TColor hiText);
    TPieSection* AddSection(const std::string& caption, TColor color, double angle);
    void Clear();
    // By angle only; the order among equal angles is not defined.
    void Sort(bool descending);
    TPieSection* GetSection(int32_t index) const;
    // The index of the section under the point, or -1. Points on the rim
    // count as inside; a boundary belongs to the earlier section.
    int32_t SectionAt(int32_t x, int32_t y) const;
    // Full redraw onto Canvas; never copies to Target as a whole.
    void Paint();
    // Redraws one label box and copies it to Target.
    void DrawSectionLabel(int32_t index, bool highlighted);

    // (Cx - [r sin a], Cy - [r cos a]), rounded half to even.
    TPoint PolarPoint(int32_t radius, long double angle) const;
    // The whole degree, 0 to 360, of the direction from the centre to the
    // point; none at the exact centre.
    std::optional<int32_t> AngleOfPoint(int32_t x, int32_t y) const;

    int32_t UpdateCount = 0;
    std::vector<std::unique_ptr<TPieSection>> Sections;
    ICanvas* Canvas;  // not owned
    int32_t Width;
    int32_t Height;
    int32_t MarginX = 50;
    int32_t MarginY = 20;
    ICanvas* Target = nullptr;  // the on-screen surface receiving copies; not owned
    ICanvas* Buffer = nullptr;  // the image copied onto Target by EndUpdate; not owned
    TColor BackColor = 0;
    TColor LineColor = 0;
    TColor PieColor = 0;
    TColor TextBackColor = 0;
    TColor TextLineColor = 0;
    TColor TextColor = 0;
    TColor HiTextBackColor = 0;
    TColor HiTextLineColor = 0;
    TColor HiTextColor = 0;
    bool CloseCircle = false;
    double MinTextAngle = 5.0;
    int32_t HighlightIndex = -1;
    int32_t PieLeft = 0;
    int32_t PieTop = 0;
    int32_t PieWidth = 0;
    int32_t PieHeight = 0;
    int32_t Radius = 0;

private:
    void ApplyGeometry();
    // A drawing area smaller than the margins has no circle: nothing but
    // the background is drawn and nothing is hit.
    bool HasCircle() const { return PieWidth > 0; }
    TRect PieBounds() const;
    TPoint Centre() const { return TPoint{PieLeft + Radius, PieTop + Radius}; }
    TPoint Top() const { return TPoint{PieLeft + Radius, PieTop}; }
    bool HasLabel(const TPieSection& section) const;
    void PaintSections();
    void PlaceLabel(TPieSection& section, long double mid);
    void CopyToTarget(const TRect& rect);

    // How many leading sections the last paint laid out. Labels of the
    // others have no valid position and are never drawn.
    int32_t LaidOutCount = 0;
};
