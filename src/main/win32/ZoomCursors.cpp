#include "main/win32/ZoomCursors.h"

#include "platform/win32/GdiObjects.h"

namespace {

// The cursor's size at 96 DPI; the shapes below are laid out for it.
const int kSize = 32;

// Draws in the 96-DPI measures of the cursor whose top edge is at `top`
// pixels of the mask bitmap.
void UseCursorScale(HDC dc, TPixelScale scale, int top) {
    const XFORM transform = {scale.Factor(), 0, 0, scale.Factor(), 0, float(top)};
    SetWorldTransform(dc, &transform);
}

// Monochrome cursor masks: AND mask 1 and XOR mask 0 is transparent,
// AND 0 / XOR 0 black, AND 0 / XOR 1 white.
HCURSOR MakeMagnifierCursor(bool plus, TPixelScale scale) {
    const int size = scale(kSize);
    const TMemoryDcHandle dc = MakeMemoryDc(TWindowDc().Get());
    // Both masks in one monochrome bitmap twice as high as wide: AND on top, XOR below.
    TGdiObject masks(CreateBitmap(size, size * 2, 1, 1, nullptr));
    if (!dc.Get() || !masks.Get()) return nullptr;
    {
        TSelection use(dc.Get(), masks.Get());
        const RECT andMask = {0, 0, size, size};
        const RECT xorMask = {0, size, size, size * 2};
        FillRect(dc.Get(), &andMask, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(dc.Get(), &xorMask, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetGraphicsMode(dc.Get(), GM_ADVANCED);

        // The lens, its rim and the handle are opaque in the AND mask.
        UseCursorScale(dc.Get(), scale, 0);
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
        UseCursorScale(dc.Get(), scale, size);
        {
            TSelection white(dc.Get(), GetStockObject(WHITE_BRUSH));
            TSelection whitePen(dc.Get(), GetStockObject(WHITE_PEN));
            Ellipse(dc.Get(), 2, 2, 18, 18);
        }
        // The sign, black again on the lens: bars two units thick.
        Rectangle(dc.Get(), 5, 9, 15, 11);
        if (plus) Rectangle(dc.Get(), 9, 5, 11, 15);
        ModifyWorldTransform(dc.Get(), nullptr, MWT_IDENTITY);
    }
    ICONINFO info = {};
    info.fIcon = FALSE;
    info.xHotspot = DWORD(scale(10));
    info.yHotspot = DWORD(scale(10));
    info.hbmMask = static_cast<HBITMAP>(masks.Get());
    return reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));
}

}  // namespace

TZoomCursors::TZoomCursors(TPixelScale scale)
    : ZoomIn(MakeMagnifierCursor(true, scale)), ZoomOut(MakeMagnifierCursor(false, scale)) {}
