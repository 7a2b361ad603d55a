#include "controls/win32/SensitivePanel.h"

#include <stdexcept>

#include "platform/win32/WindowClass.h"
#include "platform/win32/WideString.h"

namespace {

const wchar_t kPanelClassName[] = L"QuarrymapSensitivePanel";

UINT AlignmentFlag(TPanelAlignment alignment) {
    switch (alignment) {
        case TPanelAlignment::Left: return DT_LEFT;
        case TPanelAlignment::Center: return DT_CENTER;
        case TPanelAlignment::Right: return DT_RIGHT;
    }
    return DT_CENTER;
}

}  // namespace

TSensitivePanel::TSensitivePanel(HWND parent, int left, int top, int width, int height)
    : BackColor(GetSysColor(COLOR_BTNFACE)),
      TextColor(GetSysColor(COLOR_WINDOWTEXT)),
      BackBrush(std::make_unique<TGdiObject>(CreateSolidBrush(BackColor))) {
    // The caption's place depends on the width.
    CreateBound({kPanelClassName, CS_HREDRAW | CS_VREDRAW}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, left, top,
                width, height, parent);
    if (!Window) throw std::runtime_error("Cannot create the panel window");
    TextFont = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
}

TSensitivePanel::~TSensitivePanel() = default;

void TSensitivePanel::SetColor(COLORREF color) {
    if (color == BackColor) return;
    BackColor = color;
    BackBrush = std::make_unique<TGdiObject>(CreateSolidBrush(color));
    Repaint();
}

void TSensitivePanel::SetFontColor(COLORREF color) {
    if (color == TextColor) return;
    TextColor = color;
    Repaint();
}

void TSensitivePanel::SetCaption(const std::string& caption) {
    if (caption == CaptionText) return;
    CaptionText = caption;
    if (Window) SetWindowTextW(Window, Widen(caption).c_str());
    Repaint();
}

void TSensitivePanel::SetAlignment(TPanelAlignment alignment) {
    if (alignment == CaptionAlignment) return;
    CaptionAlignment = alignment;
    Repaint();
}

void TSensitivePanel::PaintTo(HDC dc) const {
    if (!Window) return;
    RECT client = {};
    GetClientRect(Window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(BackBrush->Get()));
    if (CaptionText.empty()) return;
    const std::wstring caption = Widen(CaptionText);
    TSelection useFont(dc, TextFont ? TextFont : GetStockObject(SYSTEM_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, TextColor);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &client,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS | AlignmentFlag(CaptionAlignment));
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void TSensitivePanel::Repaint() {
    if (Window) RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TSensitivePanel::MouseMoved(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(Window, message, wParam, lParam);
    if (Inside) return result;
    // Windows says when the pointer has left only if asked, once per entry.
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = Window;
    TrackMouseEvent(&track);
    Inside = true;
    TPanelMessage notification = {message, wParam, lParam, result};
    if (OnSensitiveActivate) OnSensitiveActivate(*this, notification);
    return notification.Result;
}

LRESULT TSensitivePanel::MouseLeft(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProcW(Window, message, wParam, lParam);
    Inside = false;
    Pressed = false;
    TPanelMessage notification = {message, wParam, lParam, result};
    if (OnSensitiveDeactivate) OnSensitiveDeactivate(*this, notification);
    return notification.Result;
}

LRESULT TSensitivePanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: return MouseMoved(message, wParam, lParam);
        case WM_MOUSELEAVE: return MouseLeft(message, wParam, lParam);
        case WM_NCDESTROY: Inside = false; return DefWindowProcW(Window, message, wParam, lParam);
        case WM_LBUTTONDOWN: Pressed = true; return 0;
        case WM_LBUTTONUP:
            if (Pressed) {
                Pressed = false;
                if (OnClick) OnClick(*this);
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            // Labels and icons on the panel are drawn in its colours.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, TextColor);
            SetBkColor(dc, BackColor);
            return reinterpret_cast<LRESULT>(BackBrush->Get());
        }
        case WM_COMMAND:
        case WM_NOTIFY: return SendMessageW(GetParent(Window), message, wParam, lParam);
        default: return TPaintedWindow::HandleMessage(message, wParam, lParam);
    }
}
