#include "controls/win32/DriveListControl.h"

#include <stdexcept>
#include <string>

TDriveListControl::TDriveListControl(IDriveEnumerator& drives, IShellInfo& shell, UINT ownerDrawType)
    : Drives(drives, shell), OwnerDrawType(ownerDrawType) {}

void TDriveListControl::CreateControl(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width,
                                      int height, HWND parent, int id, const char* what) {
    DestroyBound();
    HWND control = CreateWindowExW(exStyle, className, L"", style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) throw std::runtime_error(std::string("Cannot create the ") + what);
    const HFONT parentFont = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
    SendMessageW(control, WM_SETFONT, WPARAM(parentFont ? HGDIOBJ(parentFont) : GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    if (!BindControl(control, true)) {
        DestroyWindow(control);
        throw std::runtime_error(std::string("Cannot create the ") + what);
    }
    FontChanged();
}

bool TDriveListControl::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (!Window || item.CtlType != OwnerDrawType || item.hwndItem != Window) return false;
    PaintItem(item);
    return true;
}

LRESULT TDriveListControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETFONT) return DefaultHandling(message, wParam, lParam);
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    FontChanged();
    return result;
}

bool TDriveListControl::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM || !DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
    result = TRUE;
    return true;
}
