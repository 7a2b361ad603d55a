#include "platform/win32/Win32ShellOpen.h"

#include <shellapi.h>

#include "platform/win32/WideString.h"

intptr_t TWin32ShellOpen::Open(const std::string& target, const std::string& parameters, int showMode) {
    const std::wstring wideTarget = Widen(target);
    const std::wstring wideParameters = Widen(parameters);
    const HINSTANCE result = ShellExecuteW(Owner, nullptr, wideTarget.c_str(),
                                           parameters.empty() ? nullptr : wideParameters.c_str(), nullptr, showMode);
    // Not a real instance handle: the shell's result code in handle form.
    return reinterpret_cast<intptr_t>(result);
}
