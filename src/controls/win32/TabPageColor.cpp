#include "controls/win32/TabPageColor.h"

#include <commctrl.h>

#include "platform/win32/GdiObjects.h"

COLORREF TabPageColor(HWND tabs) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client = {};
    if (!tabs || !GetClientRect(tabs, &client) || client.right <= 0 || client.bottom <= 0) return face;
    RECT page = client;
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, LPARAM(&page));
    if (page.right <= page.left || page.bottom <= page.top) return face;

    const TWindowDc screen(tabs);
    const TMemoryDcHandle memory = MakeMemoryDc(screen.Get());
    TGdiObject bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!memory.Get() || !bitmap.Get()) return face;
    TSelection selected(memory.Get(), bitmap.Get());
    SendMessageW(tabs, WM_PRINTCLIENT, WPARAM(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    // A few pixels inside the page's corner: clear of the border and of any tab.
    const COLORREF color = GetPixel(memory.Get(), page.left + 4, page.top + 4);
    return color == CLR_INVALID ? face : color;
}
