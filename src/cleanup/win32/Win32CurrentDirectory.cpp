#include "cleanup/win32/Win32CurrentDirectory.h"

#include <windows.h>

#include "platform/win32/WideString.h"

bool TWin32CurrentDirectory::Change(const std::string& path) {
    // An empty floppy or CD drive would otherwise bring up the system's own
    // "insert a disk" box before the program's Retry/Cancel prompt.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(previousMode | SEM_FAILCRITICALERRORS);
    const bool entered = SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
    SetErrorMode(previousMode);
    return entered;
}

std::string TWin32CurrentDirectory::Path() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return std::string();
    std::wstring folder(needed, L'\0');
    const DWORD written = GetCurrentDirectoryW(needed, &folder[0]);
    if (written == 0 || written >= needed) return std::string();
    folder.resize(written);
    return Narrow(folder);
}
