#include "main/win32/ZoomCursors.h"

#include "platform/win32/GdiObjects.h"

namespace {

const int kSize = 32;

// Monochrome cursor masks: AND mask 1 and XOR mask 0 is transparent,
// AND 0 / XOR 0 black, AND 0 / XOR 1 white.
HCURSOR MakeMagnifierCursor(bool plus) {
    HDC screen = GetDC(nullptr);
    TMemoryDc dc(screen);
    ReleaseDC(nullptr, screen);
    // Both masks in one 32 x 64 monochrome bitmap: AND on top, XOR below.
    TGdiObject masks(CreateBitmap(kSize, kSize * 2, 1, 1, nullptr));
    if (!dc.Get() || !masks.Get()) return nullptr;
    {
        TSelection use(dc.Get(), masks.Get());
        const RECT andMask = {0, 0, kSize, kSize};
        const RECT xorMask = {0, kSize, kSize, kSize * 2};
        FillRect(dc.Get(), &andMask, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(dc.Get(), &xorMask, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

        // The lens, its rim and the handle are opaque in the AND mask.
        TSelection black(dc.Get(), GetStockObject(BLACK_BRUSH));
        TSelection noPen(dc.Get(), GetStockObject(BLACK_PEN));
        Ellipse(dc.Get(), 0, 0, 20, 20);
        TGdiObject thick(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
        {
            TSelection usePen(dc.Get(), thick.Get());
            MoveToEx(dc.Get(), 17, 17, nullptr);
            LineTo(dc.Get(), 27, 27);
        }
        // White lens inside the black rim, in the XOR mask.
        TSelection white(dc.Get(), GetStockObject(WHITE_BRUSH));
        TSelection whitePen(dc.Get(), GetStockObject(WHITE_PEN));
        Ellipse(dc.Get(), 2, kSize + 2, 18, kSize + 18);
        // The sign, black again on the lens.
        TSelection signPen(dc.Get(), GetStockObject(BLACK_PEN));
        for (int row = 9; row <= 10; ++row) {
            MoveToEx(dc.Get(), 5, kSize + row, nullptr);
            LineTo(dc.Get(), 15, kSize + row);
        }
        if (plus)
            for (int column = 9; column <= 10; ++column) {
                MoveToEx(dc.Get(), column, kSize + 5, nullptr);
                LineTo(dc.Get(), column, kSize + 15);
            }
    }
    ICONINFO info = {};
    info.fIcon = FALSE;
    info.xHotspot = 10;
    info.yHotspot = 10;
    info.hbmMask = static_cast<HBITMAP>(masks.Get());
    return reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));
}

}  // namespace

TZoomCursors::TZoomCursors() : ZoomIn(MakeMagnifierCursor(true)), ZoomOut(MakeMagnifierCursor(false)) {}

TZoomCursors::~TZoomCursors() {
    if (ZoomIn) DestroyCursor(ZoomIn);
    if (ZoomOut) DestroyCursor(ZoomOut);
}
