#include "controls/win32/Dialog.h"

#include "platform/win32/ProgramIcon.h"
#include "platform/win32/WindowDpi.h"

TDialog::~TDialog() {
    if (Window && Modeless) DestroyWindow(Window);
}

void TDialog::Close(INT_PTR result) {
    ModalResult = result;
    if (!Window) return;
    if (Modeless)
        DestroyWindow(Window);
    else
        EndDialog(Window, result);
}

bool TDialog::OnCommand(int id, int, HWND) {
    if (id != IDOK && id != IDCANCEL) return false;
    Close(id);
    return true;
}

bool TDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK TDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, LONG_PTR(dialog));
        dialog->Window = window;
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) SetProgramIcon(window);
        return dialog->OnInitDialog() ? TRUE : FALSE;
    }
    auto* dialog = reinterpret_cast<TDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        dialog->Window = nullptr;
        return FALSE;
    }
    if (message == WM_COMMAND) return dialog->OnCommand(LOWORD(wParam), HIWORD(wParam), HWND(lParam)) ? TRUE : FALSE;
    INT_PTR result = 0;
    if (!dialog->OnMessage(message, wParam, lParam, result)) return FALSE;
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR TSystemModalRunner::Run(TDialog& dialog, HWND owner) {
    dialog.SetModeless(false);
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog.Template()), owner,
                                           TDialog::DialogProc, LPARAM(&dialog));
    return result == -1 ? IDCANCEL : result;
}

void SetDialogClientSize(HWND dialog, int width, int height) {
    const RECT frame = WindowRectForClient({0, 0, width, height}, DWORD(GetWindowLongPtrW(dialog, GWL_STYLE)),
                                           DWORD(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), WindowDpi(dialog));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
