#include "controls/win32/Label.h"

#include <stdexcept>

#include "controls/PathEllipsis.h"
#include "controls/win32/Fonts.h"
#include "platform/win32/WideString.h"

TLabel::TLabel(HWND parent, int left, int top, int width, int height, HFONT font, TAlign align, bool notify) {
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | (notify ? SS_NOTIFY : 0);
    style |= align == Centre ? SS_CENTER : align == Right ? SS_RIGHT : SS_LEFTNOWORDWRAP;
    if (!BindControl(CreateWindowExW(0, L"STATIC", L"", style, left, top, width, height, parent, nullptr,
                                     GetModuleHandleW(nullptr), nullptr),
                     false))
        throw std::runtime_error("label");
    SendMessageW(Window, WM_SETFONT, WPARAM(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void TLabel::SetText(const std::string& text) {
    std::wstring wide = Widen(text);
    if (wide == Shown) return;
    Shown = std::move(wide);
    // The control itself would repaint at once; labels that follow the
    // mouse are better drawn once the queue is idle, with the rest.
    DefWindowProcW(Window, WM_SETTEXT, 0, LPARAM(Shown.c_str()));
    InvalidateRect(Window, nullptr, TRUE);
}

std::string TLabel::Text() const { return Narrow(Shown); }

void TLabel::SetWordWrap(bool wrap) {
    LONG_PTR style = GetWindowLongPtrW(Window, GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK);
    style |= wrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    SetWindowLongPtrW(Window, GWL_STYLE, style);
    InvalidateRect(Window, nullptr, TRUE);
}

int TLabel::TextWidth(const std::string& text) const {
    return int(TextExtent(reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0)), Widen(text)).cx);
}

void TLabel::SetPath(const std::string& path, int maxWidth) {
    SetText(MinimizePath(path, maxWidth, [this](const std::string& text) { return TextWidth(text); }));
}
