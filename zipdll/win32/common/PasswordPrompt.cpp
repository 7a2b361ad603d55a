#include "PasswordPrompt.h"

#include <vector>

#include "platform/win32/WideString.h"

namespace {

constexpr WORD kFirstEdit = kZipPasswordFirstEdit;
constexpr WORD kSecondEdit = kZipPasswordSecondEdit;
constexpr WORD kNotice = kZipPasswordNotice;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;
constexpr int kMaxPasswordChars = 80;

// A dialog template assembled word by word, as DialogBoxIndirectParamW takes it.
class TDialogTemplate {
public:
    void Header(DWORD style, WORD items, short cx, short cy, const wchar_t* title) {
        PutDword(style | DS_SETFONT);
        PutDword(0);
        Words.push_back(items);
        for (short v : {short(0), short(0), cx, cy}) Words.push_back(WORD(v));
        Words.push_back(0);  // no menu
        Words.push_back(0);  // the standard dialog class
        PutString(title);
        Words.push_back(8);
        PutString(L"MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const wchar_t* text) {
        if (Words.size() % 2) Words.push_back(0);  // items start on a DWORD boundary
        PutDword(style | WS_CHILD | WS_VISIBLE);
        PutDword(0);
        for (short v : {x, y, cx, cy}) Words.push_back(WORD(v));
        Words.push_back(id);
        Words.push_back(0xFFFF);
        Words.push_back(classAtom);
        PutString(text);
        Words.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(Words.data()); }

private:
    void PutDword(DWORD value) {
        Words.push_back(WORD(value & 0xFFFF));
        Words.push_back(WORD(value >> 16));
    }
    void PutString(const wchar_t* text) {
        for (; *text; ++text) Words.push_back(WORD(*text));
        Words.push_back(0);
    }
    std::vector<WORD> Words;
};

struct TPromptState {
    bool Confirm = false;
    std::wstring Password;
};

std::wstring ItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::wstring text(size_t(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(item, &text[0], int(text.size()))));
    return text;
}

void Wipe(std::wstring& text) {
    if (!text.empty()) SecureZeroMemory(&text[0], text.size() * sizeof(wchar_t));
    text.clear();
}

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<TPromptState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SendDlgItemMessageW(dialog, kFirstEdit, EM_LIMITTEXT, kMaxPasswordChars, 0);
            SendDlgItemMessageW(dialog, kSecondEdit, EM_LIMITTEXT, kMaxPasswordChars, 0);
            SetFocus(GetDlgItem(dialog, kFirstEdit));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                std::wstring first = ItemText(dialog, kFirstEdit);
                std::wstring second = state->Confirm ? ItemText(dialog, kSecondEdit) : first;
                const wchar_t* problem = nullptr;
                if (first.empty())
                    problem = L"Please enter a password.";
                else if (first != second)
                    problem = L"The two passwords do not match. Please enter them again.";
                Wipe(second);
                if (problem) {
                    Wipe(first);
                    SetDlgItemTextW(dialog, kNotice, problem);
                    SetDlgItemTextW(dialog, kFirstEdit, L"");
                    SetDlgItemTextW(dialog, kSecondEdit, L"");
                    SetFocus(GetDlgItem(dialog, kFirstEdit));
                    return TRUE;
                }
                state->Password = std::move(first);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&PromptProc), &module);
    return module;
}

}  // namespace

bool AskZipPassword(HWND owner, bool confirm, std::string& password) {
    const short width = 200;
    const short editTop = 20, rowHeight = 26;
    const short rows = confirm ? 2 : 1;
    const short noticeTop = short(editTop + rows * rowHeight - 6);
    const short buttonTop = short(noticeTop + 18);
    TDialogTemplate dialog;
    dialog.Header(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND,
                  WORD(confirm ? 7 : 5), width, short(buttonTop + 22), kZipPasswordCaption);
    dialog.Item(SS_LEFT, 7, 7, width - 14, 9, WORD(-1), kStaticClass,
                confirm ? L"Enter a password for the archive:" : L"Enter the archive's password:");
    dialog.Item(ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, editTop - 2, width - 14, 12, kFirstEdit,
                kEditClass, L"");
    if (confirm) {
        dialog.Item(SS_LEFT, 7, editTop + 15, width - 14, 9, WORD(-1), kStaticClass, L"Enter it again to confirm:");
        dialog.Item(ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, editTop + rowHeight, width - 14, 12,
                    kSecondEdit, kEditClass, L"");
    }
    dialog.Item(SS_LEFT, 7, noticeTop, width - 14, 16, kNotice, kStaticClass, L"");
    dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, width - 110, buttonTop, 50, 14, IDOK, kButtonClass, L"OK");
    dialog.Item(BS_PUSHBUTTON | WS_TABSTOP, width - 57, buttonTop, 50, 14, IDCANCEL, kButtonClass, L"Cancel");

    TPromptState state;
    state.Confirm = confirm;
    const INT_PTR result = DialogBoxIndirectParamW(ThisModule(), dialog.Get(), IsWindow(owner) ? owner : nullptr,
                                                   PromptProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return false;
    password = Narrow(state.Password);
    Wipe(state.Password);
    return true;
}
