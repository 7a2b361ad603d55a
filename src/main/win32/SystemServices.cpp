#include "main/win32/SystemServices.h"

#include "platform/win32/WideString.h"

std::string ProgramPath() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(sizeof(path) / sizeof(path[0])));
    return length ? Narrow(path) : std::string();
}
