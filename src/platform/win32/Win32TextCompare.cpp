#include "platform/win32/Win32TextCompare.h"

#include <windows.h>

#include "platform/win32/WideString.h"

int TWin32TextCompare::Compare(const std::string& a, const std::string& b, bool ignoreCase) const {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, wideA.c_str(),
                                      int(wideA.size()), wideB.c_str(), int(wideB.size()));
    // 0 means the call failed; fall back on the characters' order.
    if (result == 0) return wideA.compare(wideB);
    return result - CSTR_EQUAL;
}
