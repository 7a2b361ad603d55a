#include "platform/win32/Win32ShellOpen.h"

#include <shellapi.h>

#include "platform/win32/WideString.h"

intptr_t TWin32ShellOpen::OpenWithDefaultAction(const std::string& target, int showMode) {
    const HINSTANCE result = ShellExecuteW(Owner, nullptr, Widen(target).c_str(), nullptr, nullptr, showMode);
    // Not a real instance handle: the shell's result code in handle form.
    return reinterpret_cast<intptr_t>(result);
}
