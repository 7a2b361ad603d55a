#include "platform/win32/Win32WindowPlacement.h"

TWindowState TWin32WindowPlacement::GetWindowState() const {
    if (IsIconic(Window)) return TWindowState::Minimized;
    if (IsZoomed(Window)) return TWindowState::Maximized;
    return TWindowState::Normal;
}

RECT TWin32WindowPlacement::Bounds() const {
    RECT bounds = {};
    if (GetWindowState() == TWindowState::Normal) {
        GetWindowRect(Window, &bounds);
        return bounds;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(Window, &placement);
    return placement.rcNormalPosition;
}

void TWin32WindowPlacement::SetBounds(const RECT& bounds) {
    if (GetWindowState() == TWindowState::Normal) {
        SetWindowPos(Window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(Window, &placement);
    placement.rcNormalPosition = bounds;
    SetWindowPlacement(Window, &placement);
}

void TWin32WindowPlacement::SetLeft(int32_t left) {
    RECT bounds = Bounds();
    OffsetRect(&bounds, left - bounds.left, 0);
    SetBounds(bounds);
}

void TWin32WindowPlacement::SetTop(int32_t top) {
    RECT bounds = Bounds();
    OffsetRect(&bounds, 0, top - bounds.top);
    SetBounds(bounds);
}

void TWin32WindowPlacement::SetWidth(int32_t width) {
    RECT bounds = Bounds();
    bounds.right = bounds.left + width;
    SetBounds(bounds);
}

void TWin32WindowPlacement::SetHeight(int32_t height) {
    RECT bounds = Bounds();
    bounds.bottom = bounds.top + height;
    SetBounds(bounds);
}

void TWin32WindowPlacement::SetWindowState(TWindowState state) {
    switch (state) {
        case TWindowState::Normal: ShowWindow(Window, SW_RESTORE); break;
        case TWindowState::Minimized: ShowWindow(Window, SW_MINIMIZE); break;
        case TWindowState::Maximized: ShowWindow(Window, SW_MAXIMIZE); break;
    }
}
