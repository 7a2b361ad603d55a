#pragma once
#include <windows.h>

#include <functional>

// The one way an object of this program is bound to a window: one table of
// the thread's windows names each window's object. The window may be of one of the program's own
// classes (CreateBound: every message reaches HandleMessage from
// WM_NCCREATE on), a control of a system class the object made or was
// given (BindControl, which subclasses it when the object wants its
// messages), or a window with a procedure of its own, such as a dialog
// (BindWindow). Handle() follows the window's life, so the object may
// outlive its window.
//
// A control's WM_COMMAND, WM_NOTIFY and WM_DRAWITEM go to its parent; the
// parents here offer them first to the object bound to the control that
// raised them (OnReflected), so no parent forwards them by hand.
class TBoundWindow {
public:
    // Unbinds, then destroys a window it created or subclassed; no message
    // reaches the object while it goes. An object that wants its handlers
    // to see the window go calls DestroyBound() in its own destructor.
    virtual ~TBoundWindow();
    TBoundWindow(const TBoundWindow&) = delete;
    TBoundWindow& operator=(const TBoundWindow&) = delete;

    // Null before the window exists and once it is destroyed.
    HWND Handle() const { return Window; }
    // The object bound to a window, or none.
    static TBoundWindow* FromHandle(HWND window);

    // Position and size in the parent's client area; a negative size is none.
    void SetBounds(int left, int top, int width, int height);
    // Shows or hides the window without activating it.
    void SetVisible(bool visible);
    bool Visible() const;

protected:
    TBoundWindow() = default;

    // Registers the class on its first use and creates a window of it bound
    // to this object; null when either fails.
    struct TClassLook {
        const wchar_t* Name;
        UINT Style = 0;
        HBRUSH Background = nullptr;
        HICON Icon = nullptr;
    };
    HWND CreateBound(const TClassLook& look, DWORD exStyle, DWORD style, int left, int top, int width, int height,
                     HWND parent, HMENU menuOrId = nullptr, const wchar_t* text = L"");
    // Binds a control made elsewhere. With `seeMessages` its messages reach
    // HandleMessage first; with `owned` it is destroyed with this object.
    bool BindControl(HWND control, bool seeMessages, bool owned = true);
    // Binds a window that has a procedure of its own (a dialog, at
    // WM_INITDIALOG). It is not destroyed with the object.
    void BindWindow(HWND window);
    // Destroys the window now, while the derived object still handles its
    // last messages.
    void DestroyBound();

    // Every message of the window (own class or subclassed control). The
    // default is the window's own handling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification this control raised, offered before its parent's own
    // handling; true when handled, with the parent's answer in `result`.
    virtual bool OnReflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

    // Lets go of the window (at its WM_NCDESTROY, for a window whose
    // procedure is its own).
    void Detach();

    HWND Window = nullptr;

private:
    enum class TKind { None, OwnClass, Subclassed, Bound };

    void Attach(HWND window, TKind kind, bool owned);
    static LRESULT CALLBACK ClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR data);
    static LRESULT Dispatch(TBoundWindow& object, UINT message, WPARAM wParam, LPARAM lParam);
    friend bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    TKind Kind = TKind::None;
    bool Owned = false;
};

// The helper for seeing the messages of a control that has no object of
// its own (a dialog's memo or button): the handler sees each message before
// the control, for the life of this object; true when it answered it.
class TControlHook : public TBoundWindow {
public:
    using THandler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    TControlHook() = default;
    // False when the control could not be subclassed. Its owner keeps it.
    bool Hook(HWND control, THandler handler);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    THandler Handler;
};

// For a parent's procedure: offers WM_COMMAND, WM_NOTIFY and WM_DRAWITEM
// to the object bound to the control that raised them. True when that
// object handled it, with the answer in `result`.
bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
