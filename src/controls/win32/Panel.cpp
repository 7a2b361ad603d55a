#include "controls/win32/Panel.h"

#include <stdexcept>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const wchar_t kPanelClass[] = L"TQuarrymapPanel";

bool IsForwardedToTopLevel(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL: return true;
        default: return false;
    }
}

}  // namespace

TPanel::TPanel(HWND parent, int id, DWORD extraStyle) : Background(kSystemColorFlag | COLOR_BTNFACE) {
    CreateBound({kPanelClass, CS_HREDRAW | CS_VREDRAW}, 0,
                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle, 0, 0, 0, 0, parent,
                reinterpret_cast<HMENU>(INT_PTR(id)));
    if (!Window) throw std::runtime_error("panel window");
}

void TPanel::SetColor(TColor color) {
    Background = color;
    if (Window) InvalidateRect(Window, nullptr, TRUE);
}

void TPanel::SetBottomLine(bool on) {
    BottomLine = on;
    if (Window) InvalidateRect(Window, nullptr, TRUE);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
    if (IsForwardedToTopLevel(message)) {
        HWND topLevel = GetAncestor(Window, GA_ROOT);
        if (topLevel && topLevel != Window) return SendMessageW(topLevel, message, wParam, lParam);
    }
    switch (message) {
        // Labels and check boxes take the colour of the panel they sit on.
        case WM_CTLCOLORSTATIC: {
            SetBkColor(HDC(wParam), ToColorRef(Background));
            if (!Brush || BrushColor != Background) {
                Brush = std::make_unique<TGdiObject>(CreateSolidBrush(ToColorRef(Background)));
                BrushColor = Background;
            }
            return LRESULT(Brush->Get());
        }
        // Transparent children such as a flat toolbar have the panel erase
        // their background through this message, so it must really paint.
        case WM_ERASEBKGND: EraseBackground(HDC(wParam)); return 1;
        case WM_PRINTCLIENT: EraseBackground(HDC(wParam)); return 0;
        case WM_PAINT: Paint(); return 0;
        default: return DefaultHandling(message, wParam, lParam);
    }
}

void TPanel::EraseBackground(HDC dc) {
    RECT client;
    GetClientRect(Window, &client);
    TGdiObject brush(CreateSolidBrush(ToColorRef(Background)));
    FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
}

void TPanel::Paint() {
    const TPaintDc paint(Window);
    const HDC dc = paint.Get();
    if (paint.Erase()) EraseBackground(dc);
    RECT client;
    GetClientRect(Window, &client);
    if (BottomLine) {
        RECT line = client;
        line.top = line.bottom - 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_BOTTOM);
    }
    if (OnPaint) OnPaint(dc, client);
}
