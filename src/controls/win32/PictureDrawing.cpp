#include "controls/win32/PictureDrawing.h"

#include <commctrl.h>

#include "platform/win32/GdiObjects.h"

namespace {

const COLORREF kFolderYellow = RGB(240, 200, 64);
const COLORREF kFolderEdge = RGB(128, 96, 0);

}  // namespace

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge) {
    TGdiObject brush(CreateSolidBrush(fill));
    TGdiObject pen(CreatePen(PS_SOLID, 1, edge));
    TSelection useBrush(dc, brush.Get());
    TSelection usePen(dc, pen.Get());
    Rectangle(dc, left, top, right, bottom);
}

void FillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge) {
    TGdiObject brush(CreateSolidBrush(fill));
    TGdiObject pen(CreatePen(PS_SOLID, 1, edge));
    TSelection useBrush(dc, brush.Get());
    TSelection usePen(dc, pen.Get());
    Polygon(dc, points, count);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width) {
    TGdiObject pen(CreatePen(PS_SOLID, width, color));
    TSelection usePen(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawFolder(HDC dc, int x, int y) {
    const POINT tab[] = {{x + 1, y + 4}, {x + 5, y + 4}, {x + 6, y + 3}, {x + 1, y + 3}};
    FillPolygon(dc, tab, 4, kFolderYellow, kFolderEdge);
    FillBox(dc, x + 1, y + 4, x + 15, y + 14, kFolderYellow, kFolderEdge);
}

HIMAGELIST DrawImageStrip(int size, int count, const std::function<void(HDC dc, int index, int x)>& draw,
                          TPixelScale scale) {
    const int scaledSize = scale(size);
    const int width = scaledSize * count;
    const TWindowDc screen;
    const TMemoryDcHandle dc = MakeMemoryDc(screen.Get());
    TGdiObject strip(CreateCompatibleBitmap(screen.Get(), width, scaledSize));
    if (!dc.Get() || !strip.Get()) return nullptr;
    {
        TSelection useStrip(dc.Get(), strip.Get());
        TGdiObject mask(CreateSolidBrush(kPictureMaskColor));
        const RECT all = {0, 0, width, scaledSize};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(mask.Get()));
        const bool scaled = scaledSize != size && SetGraphicsMode(dc.Get(), GM_ADVANCED) != 0;
        const float factor = scale.Factor();
        for (int index = 0; index < count; ++index) {
            if (scaled) {
                // Each cell starts at a whole pixel, whatever the factor.
                const XFORM cell = {factor, 0, 0, factor, float(index * scaledSize) - float(index * size) * factor, 0};
                SetWorldTransform(dc.Get(), &cell);
            }
            draw(dc.Get(), index, index * size);
        }
        if (scaled) ModifyWorldTransform(dc.Get(), nullptr, MWT_IDENTITY);
    }
    HIMAGELIST list = ImageList_Create(scaledSize, scaledSize, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list) return nullptr;
    // The bitmap must not be selected into a device context while it is added.
    if (ImageList_AddMasked(list, static_cast<HBITMAP>(strip.Get()), kPictureMaskColor) < 0) {
        ImageList_Destroy(list);
        return nullptr;
    }
    return list;
}
