#include "main/win32/ToolbarImages.h"

#include "main/MainCommands.h"
#include "controls/win32/Fonts.h"
#include "controls/win32/PictureDrawing.h"
#include "platform/win32/GdiObjects.h"

namespace {

const COLORREF kDark = kPictureDark;

void Magnifier(HDC dc, int x, int y) {
    TGdiObject pen(CreatePen(PS_SOLID, 2, kDark));
    TGdiObject brush(CreateSolidBrush(RGB(200, 230, 255)));
    {
        TSelection usePen(dc, pen.Get());
        TSelection useBrush(dc, brush.Get());
        Ellipse(dc, x + 1, y + 1, x + 11, y + 11);
    }
    DrawLine(dc, x + 10, y + 10, x + 15, y + 15, kDark, 3);
}

void CurvedArrow(HDC dc, int x, int y, COLORREF color) {
    TGdiObject pen(CreatePen(PS_SOLID, 2, color));
    TSelection usePen(dc, pen.Get());
    Arc(dc, x, y, x + 10, y + 10, x + 10, y + 5, x + 5, y);
    const POINT head[] = {{x + 7, y + 5}, {x + 11, y + 9}, {x + 13, y + 4}};
    FillPolygon(dc, head, 3, color, color);
}

void Text(HDC dc, int x, int y, const wchar_t* text, int height, COLORREF color) {
    TFontLook look(L"Arial", TFontSize::Pixels(height), FW_BOLD);
    look.Quality = NONANTIALIASED_QUALITY;
    look.PitchAndFamily = DEFAULT_PITCH;
    const TFont font = MakeFont(look, TPixelScale());
    TSelection useFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    TextOutW(dc, x, y, text, lstrlenW(text));
}

void DrawImage(HDC dc, int image, int x) {
    switch (image) {
        case kImageScan:
            FillBox(dc, x + 1, 9, x + 15, 15, RGB(192, 192, 192), kDark);
            Magnifier(dc, x, 0);
            break;
        case kImageRescanFolder:
            DrawFolder(dc, x, 1);
            CurvedArrow(dc, x + 3, 4, RGB(0, 128, 0));
            break;
        case kImageStop: {
            const POINT octagon[] = {{x + 5, 1},   {x + 10, 1}, {x + 14, 5}, {x + 14, 10},
                                     {x + 10, 14}, {x + 5, 14}, {x + 1, 10}, {x + 1, 5}};
            FillPolygon(dc, octagon, 8, RGB(208, 0, 0), RGB(96, 0, 0));
            DrawLine(dc, x + 4, 7, x + 11, 7, RGB(255, 255, 255), 2);
            break;
        }
        case kImageExplore:
            DrawFolder(dc, x, 1);
            FillBox(dc, x + 6, 7, x + 15, 15, RGB(255, 255, 255), RGB(0, 0, 160));
            FillBox(dc, x + 6, 7, x + 15, 9, RGB(0, 0, 160), RGB(0, 0, 160));
            break;
        case kImageShowWasted: {
            TGdiObject pen(CreatePen(PS_SOLID, 1, kDark));
            TGdiObject green(CreateSolidBrush(RGB(0, 255, 0)));
            TGdiObject red(CreateSolidBrush(RGB(255, 0, 0)));
            TSelection usePen(dc, pen.Get());
            {
                TSelection useBrush(dc, green.Get());
                Ellipse(dc, x + 1, 1, x + 15, 15);
            }
            TSelection useBrush(dc, red.Get());
            Pie(dc, x + 1, 1, x + 15, 15, x + 8, 0, x + 16, 8);
            break;
        }
        case kImageLevelUp: {
            DrawFolder(dc, x, 1);
            const POINT arrow[] = {{x + 8, 3},  {x + 13, 8}, {x + 10, 8}, {x + 10, 13},
                                   {x + 6, 13}, {x + 6, 8},  {x + 3, 8}};
            FillPolygon(dc, arrow, 7, RGB(0, 128, 0), RGB(0, 64, 0));
            break;
        }
        case kImageShowFiles: {
            const POINT page[] = {{x + 3, 1}, {x + 10, 1}, {x + 13, 4}, {x + 13, 15}, {x + 3, 15}};
            FillPolygon(dc, page, 5, RGB(255, 255, 255), kDark);
            for (int line = 5; line <= 12; line += 2) DrawLine(dc, x + 5, line, x + 11, line, RGB(96, 96, 96));
            break;
        }
        case kImagePercent: Text(dc, x + 1, 1, L"%", 14, RGB(0, 0, 160)); break;
        case kImageMegabytes: Text(dc, x, 3, L"MB", 10, RGB(0, 0, 160)); break;
        default: break;
    }
}

}  // namespace

HIMAGELIST CreateToolbarImages(TPixelScale scale) {
    return DrawImageStrip(
        kToolImageSize, kToolImageCount, [](HDC dc, int image, int x) { DrawImage(dc, image, x); }, scale);
}
