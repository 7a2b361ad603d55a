#include "platform/win32/BoundWindow.h"

#include <commctrl.h>

#include <unordered_map>
#include <utility>

#include "platform/win32/WindowClass.h"

namespace {

// The objects bound to the windows of this thread. A window's messages
// always arrive on the thread that made it, so the table needs no lock.
// Kept in the process rather than as a window property: under Wine every
// property lookup is a server round trip, and a parent looks up the control
// of every notification (a tree of many folders sends one as each item goes).
std::unordered_map<HWND, TBoundWindow*>& BoundWindows() {
    thread_local std::unordered_map<HWND, TBoundWindow*> table;
    return table;
}

constexpr UINT_PTR kSubclassId = 1;

// The control that raised a parent's notification, or none.
HWND RaisingControl(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY: return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
        case WM_DRAWITEM: return lParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        default: return nullptr;
    }
}

}  // namespace

TBoundWindow::~TBoundWindow() {
    // Only a window still bound to this object: a handle whose window went
    // with its parent may since name another one.
    const HWND window = Window;
    const bool destroy = Owned && window && IsWindow(window) && FromHandle(window) == this;
    Detach();
    if (destroy) DestroyWindow(window);
}

TBoundWindow* TBoundWindow::FromHandle(HWND window) {
    if (!window) return nullptr;
    const auto bound = BoundWindows().find(window);
    return bound == BoundWindows().end() ? nullptr : bound->second;
}

void TBoundWindow::SetBounds(int left, int top, int width, int height) {
    if (Window) MoveWindow(Window, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
}

void TBoundWindow::SetVisible(bool visible) {
    if (Window) ShowWindow(Window, visible ? SW_SHOWNA : SW_HIDE);
}

bool TBoundWindow::Visible() const { return Window && (GetWindowLongW(Window, GWL_STYLE) & WS_VISIBLE) != 0; }

HWND TBoundWindow::CreateBound(const TClassLook& look, DWORD exStyle, DWORD style, int left, int top, int width,
                               int height, HWND parent, HMENU menuOrId, const wchar_t* text) {
    if (!RegisterWindowClass(look.Name, &TBoundWindow::ClassProcedure, look.Style, look.Background, look.Icon))
        return nullptr;
    // WM_NCCREATE binds the window to this object.
    CreateWindowExW(exStyle, look.Name, text, style, left, top, width, height, parent, menuOrId,
                    GetModuleHandleW(nullptr), this);
    return Window;
}

bool TBoundWindow::BindControl(HWND control, bool seeMessages, bool owned) {
    if (!control) return false;
    if (seeMessages && !SetWindowSubclass(control, &TBoundWindow::SubclassProcedure, kSubclassId, DWORD_PTR(this)))
        return false;
    Attach(control, seeMessages ? TKind::Subclassed : TKind::Bound, owned);
    return true;
}

void TBoundWindow::BindWindow(HWND window) { Attach(window, TKind::Bound, false); }

void TBoundWindow::DestroyBound() {
    const HWND window = Window;
    if (window && IsWindow(window) && FromHandle(window) == this) DestroyWindow(window);
    // A control this object does not subclass hears nothing of its end.
    if (Window && Window == window) Detach();
}

void TBoundWindow::Attach(HWND window, TKind kind, bool owned) {
    Window = window;
    Kind = kind;
    Owned = owned;
    BoundWindows()[window] = this;
    // The class procedure finds its object in the window's own memory, the
    // quickest look-up of all, on every message.
    if (kind == TKind::OwnClass) SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(this));
}

void TBoundWindow::Detach() {
    const auto bound = Window ? BoundWindows().find(Window) : BoundWindows().end();
    if (bound != BoundWindows().end() && bound->second == this) BoundWindows().erase(bound);
    if (Window && IsWindow(Window)) {
        if (Kind == TKind::OwnClass) SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
        if (Kind == TKind::Subclassed) RemoveWindowSubclass(Window, &TBoundWindow::SubclassProcedure, kSubclassId);
    }
    Window = nullptr;
    Kind = TKind::None;
}

LRESULT TBoundWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TBoundWindow::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Kind == TKind::Subclassed) return DefSubclassProc(Window, message, wParam, lParam);
    return DefWindowProcW(Window, message, wParam, lParam);
}

LRESULT TBoundWindow::Dispatch(TBoundWindow& object, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (ReflectToControl(message, wParam, lParam, reflected)) return reflected;
    if (message != WM_NCDESTROY) return object.HandleMessage(message, wParam, lParam);
    // The last message: the object hears it, then lets go of the window.
    const LRESULT result = object.HandleMessage(message, wParam, lParam);
    object.Detach();
    return result;
}

LRESULT CALLBACK TBoundWindow::ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TBoundWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!created) return FALSE;  // only their objects create these windows
        created->Attach(window, TKind::OwnClass, true);
    }
    auto* object = reinterpret_cast<TBoundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object) return DefWindowProcW(window, message, wParam, lParam);
    return Dispatch(*object, message, wParam, lParam);
}

LRESULT CALLBACK TBoundWindow::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* object = reinterpret_cast<TBoundWindow*>(data);
    if (!object || object->Window != window) return DefSubclassProc(window, message, wParam, lParam);
    return Dispatch(*object, message, wParam, lParam);
}

bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    TBoundWindow* control = TBoundWindow::FromHandle(RaisingControl(message, wParam, lParam));
    return control && control->OnReflected(message, wParam, lParam, result);
}

bool TControlHook::Hook(HWND control, THandler handler) {
    Handler = std::move(handler);
    return BindControl(control, true, false);
}

LRESULT TControlHook::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Handler && Handler(message, wParam, lParam, result)) return result;
    return DefaultHandling(message, wParam, lParam);
}
