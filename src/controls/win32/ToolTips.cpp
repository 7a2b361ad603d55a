#include "controls/win32/ToolTips.h"

#include <commctrl.h>

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
    tool.lpszText = wide.data();
    if (SendMessageW(Window, TTM_GETTOOLCOUNT, 0, 0) == 0 || Tip(control).empty()) {
        TOOLINFOW existing = ToolOf(control);
        if (!SendMessageW(Window, TTM_GETTOOLINFOW, 0, LPARAM(&existing))) {
            SendMessageW(Window, TTM_ADDTOOLW, 0, LPARAM(&tool));
            return;
        }
    }
    SendMessageW(Window, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
}

std::string TToolTips::Tip(HWND control) const {
    wchar_t buffer[512] = {};
    TOOLINFOW tool = ToolOf(control);
    tool.lpszText = buffer;
    if (!SendMessageW(Window, TTM_GETTEXTW, WPARAM(512), LPARAM(&tool))) return std::string();
    return Narrow(buffer);
}
