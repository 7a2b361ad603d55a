#include "platform/win32/Win32MessageBoxes.h"

#include "platform/win32/WideString.h"

namespace {

UINT ButtonFlags(TMsgButtons buttons) {
    switch (buttons) {
        case TMsgButtons::Ok: return MB_OK;
        case TMsgButtons::OkCancel: return MB_OKCANCEL;
        case TMsgButtons::YesNo: return MB_YESNO;
        case TMsgButtons::YesNoCancel: return MB_YESNOCANCEL;
        case TMsgButtons::RetryCancel: return MB_RETRYCANCEL;
        case TMsgButtons::AbortRetryIgnore: return MB_ABORTRETRYIGNORE;
        case TMsgButtons::YesNoDefaultNo: return MB_YESNO | MB_DEFBUTTON2;
    }
    return MB_OK;
}

UINT IconFlags(TMsgIcon icon) {
    switch (icon) {
        case TMsgIcon::None: return 0;
        case TMsgIcon::Information: return MB_ICONINFORMATION;
        case TMsgIcon::Warning: return MB_ICONWARNING;
        case TMsgIcon::Error: return MB_ICONERROR;
        case TMsgIcon::Question: return MB_ICONQUESTION;
    }
    return 0;
}

}  // namespace

TMsgResult TWin32MessageBoxes::Show(const std::string& caption, const std::string& text, TMsgButtons buttons,
                                    TMsgIcon icon) {
    const int result =
        MessageBoxW(Owner, Widen(text).c_str(), Widen(caption).c_str(), ButtonFlags(buttons) | IconFlags(icon));
    // IDOK..IDNO share their values with TMsgResult; a failed box reads as Cancel.
    return result >= IDOK && result <= IDNO ? TMsgResult(result) : TMsgResult::Cancel;
}
