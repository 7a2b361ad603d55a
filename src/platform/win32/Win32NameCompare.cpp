#include "platform/win32/Win32NameCompare.h"

#include <windows.h>

#include "platform/win32/WideString.h"

int Win32CompareNames(const std::string& a, const std::string& b) {
    return lstrcmpW(Widen(a).c_str(), Widen(b).c_str());
}
