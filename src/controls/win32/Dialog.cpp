#include "controls/win32/Dialog.h"

#include "controls/HelpOpener.h"
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

INT_PTR TDialog::RunModal(HWND owner) {
    Modeless = false;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TemplateId), owner,
                                           &TDialog::DialogProc, LPARAM(this));
    return result == -1 ? IDCANCEL : result;
}

bool TDialog::CreateModeless(HWND owner) {
    Modeless = true;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TemplateId), owner, &TDialog::DialogProc,
                              LPARAM(this)) != nullptr;
}

void TDialog::OnHelp() {
    if (Help && HelpContext()) Help->OpenHelp(HelpContext());
}

bool TDialog::RoutineCommand(int id) {
    switch (id) {
        case IDOK: OnOk(); return true;
        case IDCANCEL: OnCancel(); return true;
        case IDHELP: OnHelp(); return true;
        default: return false;
    }
}

INT_PTR CALLBACK TDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<TDialog*>(lParam);
        dialog->BindWindow(window);
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) SetProgramIcon(window);
        return dialog->OnInitDialog() ? TRUE : FALSE;
    }
    // Only dialogs are bound to windows of this procedure.
    auto* dialog = static_cast<TDialog*>(FromHandle(window));
    if (!dialog) return FALSE;
    LRESULT reflected = 0;
    if (ReflectToControl(message, wParam, lParam, reflected)) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, reflected);
        return TRUE;
    }
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (dialog->OnCommand(id, HIWORD(wParam), HWND(lParam))) return TRUE;
            return dialog->RoutineCommand(id) ? TRUE : FALSE;
        }
        case kDpiChangedMessage:
            if (!dialog->OnDpiChanged(HIWORD(wParam), lParam)) return FALSE;
            SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_HELP:
            dialog->OnHelp();
            SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_NCDESTROY: {
            INT_PTR ignored = 0;
            dialog->OnMessage(message, wParam, lParam, ignored);
            dialog->Detach();
            return FALSE;
        }
        default: {
            INT_PTR result = 0;
            if (!dialog->OnMessage(message, wParam, lParam, result)) return FALSE;
            SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

void SetDialogClientSize(HWND dialog, int width, int height) {
    const RECT frame = WindowRectForClient({0, 0, width, height}, DWORD(GetWindowLongPtrW(dialog, GWL_STYLE)),
                                           DWORD(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), WindowDpi(dialog));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
