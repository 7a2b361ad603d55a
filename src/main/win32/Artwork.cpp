#include "main/win32/Artwork.h"

#include "controls/win32/Fonts.h"
#include "platform/win32/GdiObjects.h"

namespace {

// Arial at a height in pixels already scaled.
TFont ArialFont(int height, int weight, bool italic = false) {
    TFontLook look(L"Arial", TFontSize::Pixels(height), weight);
    look.Italic = italic;
    return MakeFont(look, TPixelScale());
}

void DrawTextLine(HDC dc, int x, int y, const wchar_t* text, HFONT font, COLORREF color) {
    TSelection useFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text, lstrlenW(text));
}

// Left to right from deep blue to teal, in bands narrow enough at any width
// that no step shows.
void PaintGradient(HDC dc, const RECT& area) {
    const int width = area.right - area.left;
    const int bands = width / 3 > 64 ? width / 3 : 64;
    for (int band = 0; band < bands; ++band) {
        RECT strip = area;
        strip.left = area.left + width * band / bands;
        strip.right = area.left + width * (band + 1) / bands;
        if (strip.right <= strip.left) continue;
        const COLORREF color = RGB(16, 40 + band * 90 / bands, 96 + band * 40 / bands);
        TGdiObject brush(CreateSolidBrush(color));
        FillRect(dc, &strip, static_cast<HBRUSH>(brush.Get()));
    }
}

// Three stacked strata, like a quarry face, at the banner's left; `unit`
// is the height of one stratum.
void PaintQuarryMark(HDC dc, int left, int top, int unit) {
    const COLORREF layers[] = {RGB(200, 170, 110), RGB(160, 130, 80), RGB(120, 95, 60)};
    const int width = unit * 44 / 12;
    const int step = unit * 8 / 12;
    const int overhang = unit / 2;
    TGdiObject pen(CreatePen(PS_SOLID, 1, RGB(60, 45, 25)));
    TSelection usePen(dc, pen.Get());
    for (int layer = 0; layer < 3; ++layer) {
        const int y = top + layer * (unit + unit / 6);
        const POINT face[] = {{left + layer * step, y},
                              {left + width, y},
                              {left + width, y + unit},
                              {left + layer * step - overhang, y + unit}};
        TGdiObject brush(CreateSolidBrush(layers[layer]));
        TSelection useBrush(dc, brush.Get());
        Polygon(dc, face, 4);
    }
}

int TextWidth(HDC dc, HFONT font, const wchar_t* text) {
    TSelection useFont(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

}  // namespace

// Designed 65 pixels high at 96 DPI; a lower banner (the letter's) shrinks
// it all and keeps only what fits: the tag line needs the room below the
// title, the address the width beside the tag line.
void PaintSponsorBanner(HDC dc, const RECT& area, TPixelScale scale) {
    const int height = area.bottom - area.top;
    if (height <= 0 || area.right <= area.left) return;
    PaintGradient(dc, area);
    HRGN clip = CreateRectRgnIndirect(&area);
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);

    const int shrunk = height * 96 / scale.DotsPerInch();  // the height in 96-DPI pixels
    const bool full = shrunk >= 56;
    const int titleHeight = full ? scale(24) : height * 24 / 37;
    const int markUnit = full ? scale(12) : height * 9 / 37;
    const int markTop = area.top + (full ? scale(10) : (height - 3 * markUnit - markUnit / 3) / 2);
    const int margin = scale(14);
    PaintQuarryMark(dc, area.left + margin, markTop, markUnit);
    const int textLeft = area.left + margin + markUnit * 44 / 12 + margin;
    const TFont title = ArialFont(titleHeight, FW_BOLD);
    const int titleTop = full ? area.top + scale(8) : area.top + (height - titleHeight * 5 / 4) / 2;
    DrawTextLine(dc, textLeft, titleTop, L"Quarrymap 2000", static_cast<HFONT>(title.Get()), RGB(255, 255, 255));

    const TFont line = ArialFont(scale(13), FW_NORMAL, true);
    const HFONT lineFont = static_cast<HFONT>(line.Get());
    const wchar_t* const tagLine = L"See where your disk space goes - and win it back.";
    const wchar_t* const address = L"www.tollvane.example";
    const int addressLeft = area.right - TextWidth(dc, lineFont, address) - margin;
    if (full) {
        DrawTextLine(dc, textLeft + scale(2), area.top + scale(38), tagLine, lineFont, RGB(210, 230, 255));
        if (addressLeft > textLeft + scale(2) + TextWidth(dc, lineFont, tagLine) + scale(24))
            DrawTextLine(dc, addressLeft, area.top + scale(46), address, lineFont, RGB(255, 230, 150));
    } else if (addressLeft > textLeft + TextWidth(dc, static_cast<HFONT>(title.Get()), L"Quarrymap 2000") + scale(24)) {
        DrawTextLine(dc, addressLeft, area.top + (height - scale(16)) / 2, address, lineFont, RGB(255, 230, 150));
    }
    RestoreDC(dc, saved);
}

void PaintNotScannedPicture(HDC dc, const RECT& area, TPixelScale scale) {
    const int left = area.left + (area.right - area.left - scale(64)) / 2;
    const int top = area.top + scale(12);
    TGdiObject edge(CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    TGdiObject yellow(CreateSolidBrush(RGB(240, 200, 64)));
    {
        TSelection usePen(dc, edge.Get());
        TSelection useBrush(dc, yellow.Get());
        const POINT tab[] = {
            {left, top + scale(8)}, {left + scale(22), top + scale(8)}, {left + scale(28), top}, {left, top}};
        Polygon(dc, tab, 4);
        Rectangle(dc, left, top + scale(8), left + scale(64), top + scale(52));
    }
    const TFont mark = ArialFont(scale(36), FW_BOLD);
    TSelection useFont(dc, static_cast<HFONT>(mark.Get()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 0, 0));
    RECT sign = {left, top + scale(10), left + scale(64), top + scale(52)};
    DrawTextW(dc, L"?", 1, &sign, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
