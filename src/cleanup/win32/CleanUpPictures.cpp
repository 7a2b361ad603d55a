#include "cleanup/win32/CleanUpPictures.h"

#include "controls/win32/PictureDrawing.h"

namespace {

void DrawArchive(HDC dc, int x) {
    // A box with a zipper down its middle.
    FillBox(dc, x + 2, 4, x + 14, 15, RGB(214, 176, 112), RGB(112, 80, 32));
    FillBox(dc, x + 1, 2, x + 15, 5, RGB(190, 150, 90), RGB(112, 80, 32));
    for (int y = 5; y < 14; y += 2) DrawLine(dc, x + 7, y, x + 9, y, kPictureDark);
}

void DrawMove(HDC dc, int x) {
    DrawFolder(dc, x - 1, 2);
    const POINT arrow[] = {{x + 5, 7}, {x + 10, 7}, {x + 10, 4}, {x + 15, 9}, {x + 10, 14}, {x + 10, 11}, {x + 5, 11}};
    FillPolygon(dc, arrow, 7, RGB(0, 160, 0), RGB(0, 80, 0));
}

void DrawRecycle(HDC dc, int x) {
    // A bin with its lid.
    const POINT bin[] = {{x + 3, 4}, {x + 13, 4}, {x + 12, 15}, {x + 4, 15}};
    FillPolygon(dc, bin, 4, RGB(176, 196, 222), RGB(48, 64, 96));
    FillBox(dc, x + 2, 2, x + 14, 4, RGB(120, 140, 170), RGB(48, 64, 96));
    for (int line = 6; line <= 10; line += 2) DrawLine(dc, x + line, 6, x + line, 14, RGB(48, 64, 96));
}

void DrawDelete(HDC dc, int x) {
    DrawLine(dc, x + 3, 3, x + 13, 13, RGB(200, 0, 0), 3);
    DrawLine(dc, x + 13, 3, x + 3, 13, RGB(200, 0, 0), 3);
}

}  // namespace

HIMAGELIST CreateCleanUpPictures(TPixelScale scale) {
    return DrawImageStrip(
        kCleanUpPictureSize, int(kCleanUpItems.size()),
        [](HDC dc, int index, int x) {
            switch (TCleanUpAction(index)) {
                case TCleanUpAction::Archive: DrawArchive(dc, x); break;
                case TCleanUpAction::Move: DrawMove(dc, x); break;
                case TCleanUpAction::Recycle: DrawRecycle(dc, x); break;
                case TCleanUpAction::Delete: DrawDelete(dc, x); break;
            }
        },
        scale);
}
