#include "controls/win32/WindowRescale.h"

#include <commctrl.h>

#include <cwchar>

#include "controls/win32/Dialog.h"
#include "platform/win32/WindowDpi.h"

namespace {

bool IsOwnContainer(HWND window, HWND root) {
    if (window == root) return true;
    wchar_t name[64] = {};
    if (!GetClassNameW(window, name, 64)) return false;
    // The panels the pages are built of, and the main window.
    return std::wcsstr(name, L"Quarrymap") != nullptr;
}

struct TRescale {
    HWND Root;
    int From;
    int To;
};

BOOL CALLBACK RescaleOne(HWND window, LPARAM context) {
    const TRescale& rescale = *reinterpret_cast<const TRescale*>(context);
    const HWND parent = GetParent(window);
    if (!parent || !IsOwnContainer(parent, rescale.Root)) return TRUE;
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    const auto scaled = [&](LONG value) { return MulDiv(int(value), rescale.To, rescale.From); };
    const int left = scaled(bounds.left);
    const int top = scaled(bounds.top);
    SetWindowPos(window, nullptr, left, top, scaled(bounds.right) - left, scaled(bounds.bottom) - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    wchar_t name[32] = {};
    if (GetClassNameW(window, name, 32) && std::wcscmp(name, WC_LISTVIEWW) == 0)
        RescaleListColumns(window, rescale.From, rescale.To);
    return TRUE;
}

BOOL CALLBACK ReplaceFontOf(HWND window, LPARAM context) {
    const auto& replacements = *reinterpret_cast<const std::vector<std::pair<HFONT, HFONT>>*>(context);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font) return TRUE;
    for (const auto& [from, to] : replacements)
        if (font == from) {
            SendMessageW(window, WM_SETFONT, WPARAM(to), TRUE);
            break;
        }
    return TRUE;
}

}  // namespace

void ReplaceFonts(HWND root, const std::vector<std::pair<HFONT, HFONT>>& replacements) {
    EnumChildWindows(root, &ReplaceFontOf, reinterpret_cast<LPARAM>(&replacements));
}

void RescaleChildWindows(HWND root, int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
    TRescale rescale{root, fromDpi, toDpi};
    EnumChildWindows(root, &RescaleOne, reinterpret_cast<LPARAM>(&rescale));
}

void RescaleDialog(HWND dialog, int fromDpi, int toDpi, const std::vector<std::pair<HFONT, HFONT>>& fonts,
                   LPARAM suggested, SIZE client) {
    // Places first: a control that fits itself to its text (the version
    // label) does so when its new font arrives, and keeps that size.
    RescaleChildWindows(dialog, fromDpi, toDpi);
    ReplaceFonts(dialog, fonts);
    MoveToSuggestedRect(dialog, suggested);
    // The suggestion scales the whole window; the frame need not grow in step.
    SetDialogClientSize(dialog, client.cx, client.cy);
    InvalidateRect(dialog, nullptr, TRUE);
}

void RescaleListColumns(HWND list, int fromDpi, int toDpi) {
    if ((GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) != LVS_REPORT) return;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < columns; ++column) {
        const int width = int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(column), MAKELPARAM(MulDiv(width, toDpi, fromDpi), 0));
    }
}
