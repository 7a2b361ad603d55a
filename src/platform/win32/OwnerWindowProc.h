#pragma once
#include <windows.h>

// The window procedure of a window owned by a C++ object. The owner passes
// itself as the creation parameter of CreateWindowEx; from WM_NCCREATE on,
// every message goes to its HandleMessage, and its Window member follows the
// window's life (set at WM_NCCREATE, cleared after WM_NCDESTROY), so the
// owner may outlive its window. Owners declare this template a friend.
template <typename TOwner>
LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TOwner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!created) return FALSE;  // only the owner creates these windows
        created->Window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* owner = reinterpret_cast<TOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        const LRESULT result = owner->HandleMessage(message, wParam, lParam);
        owner->Window = nullptr;
        return result;
    }
    return owner->HandleMessage(message, wParam, lParam);
}
