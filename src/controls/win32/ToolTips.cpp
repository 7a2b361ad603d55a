#include "controls/win32/ToolTips.h"

#include <commctrl.h>

#include <cwchar>
#include <stdexcept>

#include "platform/win32/WideString.h"

namespace {

TOOLINFOW ToolOf(HWND control) {
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = UINT_PTR(control);
    return tool;
}

}  // namespace

TToolTips::TToolTips(HWND owner) {
    Window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!Window) throw std::runtime_error("tooltips");
    SendMessageW(Window, TTM_SETMAXTIPWIDTH, 0, 400);
}

TToolTips::~TToolTips() {
    if (Window && IsWindow(Window)) DestroyWindow(Window);
}

void TToolTips::SetTip(HWND control, const std::string& text) {
    std::wstring wide = Widen(text);
    TOOLINFOW tool = ToolOf(control);
    TOOLINFOW existing = ToolOf(control);
    const bool known = SendMessageW(Window, TTM_GETTOOLINFOW, 0, LPARAM(&existing)) != 0;
    tool.lpszText = wide.data();
    SendMessageW(Window, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, LPARAM(&tool));
}

std::string TToolTips::Tip(HWND control) const {
    // The message answers nothing; the buffer holds the text, or stays empty.
    wchar_t buffer[512] = {};
    TOOLINFOW tool = ToolOf(control);
    tool.lpszText = buffer;
    SendMessageW(Window, TTM_GETTEXTW, WPARAM(512), LPARAM(&tool));
    return Narrow(std::wstring(buffer, wcsnlen(buffer, 511)));
}
