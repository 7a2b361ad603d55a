#include "config/win32/OptionsBoxColorPanel.h"

#include <stdexcept>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/WindowClass.h"

namespace {

const wchar_t kColorPanelClass[] = L"QuarrymapColorPanel";

}  // namespace

TColorPanel::~TColorPanel() = default;

void TColorPanel::Create(HWND parent, const RECT& place, int id, HWND after) {
    CreateBound({kColorPanelClass, CS_HREDRAW | CS_VREDRAW}, 0, WS_CHILD | WS_VISIBLE, place.left, place.top,
                place.right - place.left, place.bottom - place.top, parent, reinterpret_cast<HMENU>(INT_PTR(id)));
    if (!Window) throw std::runtime_error("colour panel");
    SetWindowPos(Window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TColorPanel::SetColor(TColor color) {
    Shown = color;
    if (Window) InvalidateRect(Window, nullptr, FALSE);
}

LRESULT TColorPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Down = true;
            SetCapture(Window);
            InvalidateRect(Window, nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: Release(lParam); return 0;
        case WM_CAPTURECHANGED:
            if (Down) {
                Down = false;
                InvalidateRect(Window, nullptr, FALSE);
            }
            return 0;
        default: return DefWindowProcW(Window, message, wParam, lParam);
    }
}

// Raised again first, so that whatever the click opens sees the panel up.
void TColorPanel::Release(LPARAM point) {
    if (!Down) return;
    Down = false;
    if (GetCapture() == Window) ReleaseCapture();
    InvalidateRect(Window, nullptr, FALSE);
    RECT client;
    GetClientRect(Window, &client);
    const POINT at = {short(LOWORD(point)), short(HIWORD(point))};
    if (!PtInRect(&client, at)) return;
    const int id = GetDlgCtrlID(Window);
    SendMessageW(GetParent(Window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(Window));
}

void TColorPanel::Paint() {
    const TPaintDc paint(Window);
    const HDC dc = paint.Get();
    RECT client;
    GetClientRect(Window, &client);
    const TGdiObject brush(CreateSolidBrush(ToColorRef(Shown)));
    FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
    DrawEdge(dc, &client, Down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}
