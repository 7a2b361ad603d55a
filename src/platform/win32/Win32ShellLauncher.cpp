#include "platform/win32/Win32ShellLauncher.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WideString.h"

bool TWin32ShellLauncher::Open(const std::string& file, const std::string& parameters) {
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", wideFile.c_str(),
                                           parameters.empty() ? nullptr : wideParameters.c_str(), nullptr,
                                           SW_SHOWNORMAL);
    // Values above 32 mean success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
