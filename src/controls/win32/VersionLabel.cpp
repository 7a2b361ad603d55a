#include "controls/win32/VersionLabel.h"

#include <stdexcept>

#include "platform/win32/GdiObjects.h"
#include "platform/win32/WideString.h"

TVersionLabel::TVersionLabel(HWND parent, int left, int top, IVersionInfo& info) : Text(info) {
    const HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, left,
                                       top, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Subclassed to size itself to its text whenever its font changes.
    if (!BindControl(label, true)) {
        if (label) DestroyWindow(label);
        throw std::runtime_error("Cannot create the version label");
    }
    SendMessageW(Window, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    ShowCaption();
}

void TVersionLabel::SetVersionResource(TVersionResource field) {
    Text.SetVersionResource(field);
    ShowCaption();
}

void TVersionLabel::SetVersionResourceKey(const std::string& key) {
    Text.SetVersionResourceKey(key);
    ShowCaption();
}

void TVersionLabel::SetInfoPrefix(const std::string& prefix) {
    Text.SetInfoPrefix(prefix);
    ShowCaption();
}

void TVersionLabel::SetShowInfoPrefix(bool show) {
    Text.SetShowInfoPrefix(show);
    ShowCaption();
}

void TVersionLabel::SetLangCharset(const std::string& langCharset) {
    Text.SetLangCharset(langCharset);
    ShowCaption();
}

void TVersionLabel::ShowCaption() {
    if (!Window) return;
    SetWindowTextW(Window, Widen(Text.Caption()).c_str());
    FitToText();
}

void TVersionLabel::FitToText() {
    const std::wstring text = Widen(Text.Caption());
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(Window, WM_GETFONT, 0, 0));
    // Measured as the static control draws it: no wrapping, only line breaks start new lines.
    RECT size = {0, 0, 0, 0};
    {
        const TWindowDc dc(Window);
        TSelection useFont(dc.Get(), font ? font : GetStockObject(SYSTEM_FONT));
        DrawTextW(dc.Get(), text.c_str(), int(text.size()), &size, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    }
    SetWindowPos(Window, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TVersionLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (message == WM_SETFONT) FitToText();
    return result;
}
