#include "pie/win32/GroupPictures.h"

#include "platform/win32/GdiObjects.h"

namespace {

// One shape of the picture in a 32-unit grid scaled to the area.
struct TGrid {
    RECT Area;
    int X(int unit) const { return Area.left + MulDiv(unit, Area.right - Area.left, 32); }
    int Y(int unit) const { return Area.top + MulDiv(unit, Area.bottom - Area.top, 32); }
};

void Shape(HDC dc, const TGrid& grid, const POINT* units, int count, COLORREF fill) {
    POINT points[8];
    for (int i = 0; i < count && i < 8; ++i) points[i] = POINT{grid.X(units[i].x), grid.Y(units[i].y)};
    TGdiObject brush(CreateSolidBrush(fill));
    TGdiObject pen(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
    TSelection useBrush(dc, brush.Get());
    TSelection usePen(dc, pen.Get());
    Polygon(dc, points, count);
}

void Folder(HDC dc, const TGrid& grid, int dx, int dy) {
    const POINT tab[] = {{2 + dx, 6 + dy},  {9 + dx, 6 + dy},   {11 + dx, 9 + dy},
                         {22 + dx, 9 + dy}, {22 + dx, 24 + dy}, {2 + dx, 24 + dy}};
    Shape(dc, grid, tab, 6, RGB(240, 200, 80));
    const POINT front[] = {{2 + dx, 12 + dy}, {22 + dx, 12 + dy}, {22 + dx, 24 + dy}, {2 + dx, 24 + dy}};
    Shape(dc, grid, front, 4, RGB(255, 222, 120));
}

void Page(HDC dc, const TGrid& grid, int dx, int dy) {
    const POINT sheet[] = {
        {4 + dx, 2 + dy}, {15 + dx, 2 + dy}, {20 + dx, 7 + dy}, {20 + dx, 24 + dy}, {4 + dx, 24 + dy}};
    Shape(dc, grid, sheet, 5, RGB(255, 255, 255));
    const POINT corner[] = {{15 + dx, 2 + dy}, {15 + dx, 7 + dy}, {20 + dx, 7 + dy}};
    Shape(dc, grid, corner, 3, RGB(200, 200, 200));
}

}  // namespace

void PaintGroupPicture(HDC dc, const RECT& area, bool folders) {
    const TGrid grid{area};
    for (int layer = 0; layer < 3; ++layer) {
        const int offset = layer * 4;
        if (folders)
            Folder(dc, grid, offset + 1, offset);
        else
            Page(dc, grid, offset + 1, offset);
    }
}
