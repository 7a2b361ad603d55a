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
