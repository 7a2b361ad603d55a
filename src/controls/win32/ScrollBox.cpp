#include "controls/win32/ScrollBox.h"

#include <algorithm>

namespace {

constexpr int kLineStep = 16;  // pixels per arrow click

}  // namespace

TScrollBox::TScrollBox(HWND parent) {
    Outer = std::make_unique<TPanel>(parent, 0, WS_HSCROLL | WS_VSCROLL);
    Inner = std::make_unique<TPanel>(Outer->Handle(), 0);
    Outer->OnMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        return OnMessage(message, wParam, result);
    };
    ShowScrollBar(Outer->Handle(), SB_BOTH, FALSE);
}

void TScrollBox::SetColor(TColor color) {
    Outer->SetColor(color);
    Inner->SetColor(color);
}

void TScrollBox::SetBounds(int left, int top, int width, int height) {
    Outer->SetBounds(left, top, width, height);
    UpdateBars();
}

void TScrollBox::SetContentSize(int width, int height) {
    Wanted = SIZE{width, height};
    UpdateBars();
}

SIZE TScrollBox::ClientSize() const {
    RECT client;
    GetClientRect(Outer->Handle(), &client);
    return SIZE{client.right, client.bottom};
}

// Showing one bar narrows the area and may call for the other; two rounds settle it.
void TScrollBox::UpdateBars() {
    // Showing a bar resizes the frame, which comes back here.
    if (Updating) return;
    Updating = true;
    for (int round = 0; round < 2; ++round) {
        const SIZE area = ClientSize();
        const bool horizontal = Wanted.cx > area.cx;
        const bool vertical = Wanted.cy > area.cy;
        ShowScrollBar(Outer->Handle(), SB_HORZ, horizontal);
        ShowScrollBar(Outer->Handle(), SB_VERT, vertical);
    }
    const SIZE area = ClientSize();
    const int bars[2] = {SB_HORZ, SB_VERT};
    const int wanted[2] = {int(Wanted.cx), int(Wanted.cy)};
    const int visible[2] = {int(area.cx), int(area.cy)};
    LONG* position[2] = {&Position.x, &Position.y};
    for (int i = 0; i < 2; ++i) {
        *position[i] = std::max(0, std::min<int>(*position[i], wanted[i] - visible[i]));
        SCROLLINFO info = {sizeof(info),
                           SIF_RANGE | SIF_PAGE | SIF_POS,
                           0,
                           std::max(wanted[i] - 1, 0),
                           UINT(std::max(visible[i], 0)),
                           int(*position[i]),
                           0};
        SetScrollInfo(Outer->Handle(), bars[i], &info, TRUE);
    }
    PlaceContent();
    Updating = false;
}

SIZE TScrollBox::ContentSize() const {
    const SIZE area = ClientSize();
    return SIZE{std::max(Wanted.cx, area.cx), std::max(Wanted.cy, area.cy)};
}

void TScrollBox::PlaceContent() {
    const SIZE area = ClientSize();
    Inner->SetBounds(-Position.x, -Position.y, std::max<int>(Wanted.cx, area.cx), std::max<int>(Wanted.cy, area.cy));
}

bool TScrollBox::OnMessage(UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); break;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); break;
        case WM_MOUSEWHEEL: Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN); break;
        case WM_SIZE: UpdateBars(); return false;
        default: return false;
    }
    result = 0;
    return true;
}

void TScrollBox::Scroll(int bar, int code) {
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Outer->Handle(), bar, &info);
    int position = info.nPos;
    switch (code) {
        case SB_LINEUP: position -= kLineStep; break;
        case SB_LINEDOWN: position += kLineStep; break;
        case SB_PAGEUP: position -= int(info.nPage); break;
        case SB_PAGEDOWN: position += int(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = info.nMin; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: return;
    }
    position = std::max(info.nMin, std::min(position, info.nMax - int(info.nPage) + 1));
    (bar == SB_HORZ ? Position.x : Position.y) = std::max(position, 0);
    SetScrollPos(Outer->Handle(), bar, position, TRUE);
    PlaceContent();
}
