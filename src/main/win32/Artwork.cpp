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
        const POINT face[] = {
            {left + layer * step, y}, {left + width, y}, {left + width, y + unit}, {left + layer * step - overhang, y + unit}};
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

// Designed 65 pixels high; a lower banner (the letter's) shrinks it all and
// keeps only what fits: the tag line needs the room below the title, the
// address the width beside the tag line.
void PaintSponsorBanner(HDC dc, const RECT& area) {
    const int height = area.bottom - area.top;
    if (height <= 0 || area.right <= area.left) return;
    PaintGradient(dc, area);
    HRGN clip = CreateRectRgnIndirect(&area);
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);

    const bool full = height >= 56;
    const int titleHeight = full ? 24 : height * 24 / 37;
    const int markUnit = full ? 12 : height * 9 / 37;
    const int markTop = area.top + (full ? 10 : (height - 3 * markUnit - markUnit / 3) / 2);
    PaintQuarryMark(dc, area.left + 14, markTop, markUnit);
    const int textLeft = area.left + 14 + markUnit * 44 / 12 + 14;
    TGdiObject title(MakeFont(titleHeight, FW_BOLD));
    const int titleTop = full ? area.top + 8 : area.top + (height - titleHeight * 5 / 4) / 2;
    DrawTextLine(dc, textLeft, titleTop, L"Quarrymap 2000", static_cast<HFONT>(title.Get()), RGB(255, 255, 255));

    TGdiObject line(MakeFont(13, FW_NORMAL, true));
    const HFONT lineFont = static_cast<HFONT>(line.Get());
    const wchar_t* const tagLine = L"See where your disk space goes - and win it back.";
    const wchar_t* const address = L"www.tollvane.example";
    const int addressLeft = area.right - TextWidth(dc, lineFont, address) - 14;
    if (full) {
        DrawTextLine(dc, textLeft + 2, area.top + 38, tagLine, lineFont, RGB(210, 230, 255));
        if (addressLeft > textLeft + 2 + TextWidth(dc, lineFont, tagLine) + 24)
            DrawTextLine(dc, addressLeft, area.top + 46, address, lineFont, RGB(255, 230, 150));
    } else if (addressLeft > textLeft + TextWidth(dc, static_cast<HFONT>(title.Get()), L"Quarrymap 2000") + 24) {
        DrawTextLine(dc, addressLeft, area.top + (height - 16) / 2, address, lineFont, RGB(255, 230, 150));
    }
    RestoreDC(dc, saved);
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
