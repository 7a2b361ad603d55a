#include "main/win32/Artwork.h"

#include "platform/win32/GdiObjects.h"

namespace {

HFONT MakeFont(int height, int weight, bool italic = false) {
    return CreateFontW(-height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

void DrawTextLine(HDC dc, int x, int y, const wchar_t* text, HFONT font, COLORREF color) {
    TSelection useFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text, lstrlenW(text));
}

// Left to right from deep blue to teal, in bands.
void PaintGradient(HDC dc, const RECT& area) {
    const int width = area.right - area.left;
    const int bands = 64;
    for (int band = 0; band < bands; ++band) {
        RECT strip = area;
        strip.left = area.left + width * band / bands;
        strip.right = area.left + width * (band + 1) / bands;
        const COLORREF color = RGB(16, 40 + band * 90 / bands, 96 + band * 40 / bands);
        TGdiObject brush(CreateSolidBrush(color));
        FillRect(dc, &strip, static_cast<HBRUSH>(brush.Get()));
    }
}

// Three stacked strata, like a quarry face, at the banner's left.
void PaintQuarryMark(HDC dc, int left, int top) {
    const COLORREF layers[] = {RGB(200, 170, 110), RGB(160, 130, 80), RGB(120, 95, 60)};
    for (int layer = 0; layer < 3; ++layer) {
        const int y = top + layer * 14;
        const POINT step[] = {{left + layer * 8, y}, {left + 44, y}, {left + 44, y + 12}, {left + layer * 8 - 6, y + 12}};
        TGdiObject brush(CreateSolidBrush(layers[layer]));
        TGdiObject pen(CreatePen(PS_SOLID, 1, RGB(60, 45, 25)));
        TSelection useBrush(dc, brush.Get());
        TSelection usePen(dc, pen.Get());
        Polygon(dc, step, 4);
    }
}

}  // namespace

void PaintSponsorBanner(HDC dc, const RECT& area) {
    PaintGradient(dc, area);
    PaintQuarryMark(dc, area.left + 14, area.top + 10);
    TGdiObject title(MakeFont(24, FW_BOLD));
    TGdiObject line(MakeFont(13, FW_NORMAL, true));
    DrawTextLine(dc, area.left + 72, area.top + 8, L"Quarrymap 2000", static_cast<HFONT>(title.Get()),
                 RGB(255, 255, 255));
    DrawTextLine(dc, area.left + 74, area.top + 38, L"See where your disk space goes - and win it back.",
                 static_cast<HFONT>(line.Get()), RGB(210, 230, 255));
    DrawTextLine(dc, area.right - 170, area.top + 46, L"www.tollvane.example", static_cast<HFONT>(line.Get()),
                 RGB(255, 230, 150));
}

void PaintNotScannedPicture(HDC dc, const RECT& area) {
    const int left = area.left + (area.right - area.left - 64) / 2;
    const int top = area.top + 12;
    TGdiObject edge(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    TGdiObject yellow(CreateSolidBrush(RGB(240, 200, 64)));
    {
        TSelection usePen(dc, edge.Get());
        TSelection useBrush(dc, yellow.Get());
        const POINT tab[] = {{left, top + 8}, {left + 22, top + 8}, {left + 28, top}, {left, top}};
        Polygon(dc, tab, 4);
        Rectangle(dc, left, top + 8, left + 64, top + 52);
    }
    TGdiObject mark(MakeFont(36, FW_BOLD));
    TSelection useFont(dc, static_cast<HFONT>(mark.Get()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 0, 0));
    RECT sign = {left, top + 10, left + 64, top + 52};
    DrawTextW(dc, L"?", 1, &sign, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
