#include "UnzipPassword.h"

#include <windows.h>

#include "zipdll/win32/common/PasswordPrompt.h"

const std::string& TUnzipPassword::Get() {
    if (!Asked) {
        Asked = true;
        std::string typed;
        if (AskZipPassword(static_cast<HWND>(OwnerWindow), false, typed)) Password = typed;
    }
    return Password;
}
