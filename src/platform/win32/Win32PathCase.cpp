#include "platform/win32/Win32PathCase.h"

#include <windows.h>

#include "platform/win32/WideString.h"

std::string TWin32PathCase::Upper(const std::string& utf8) const {
    std::wstring wide = Widen(utf8);
    if (wide.empty()) return utf8;
    // Without LCMAP_LINGUISTIC_CASING the mapping is the file system's own,
    // the same for every user locale.
    std::wstring upper(wide.size(), L'\0');
    const int written = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(), int(wide.size()), &upper[0],
                                      int(upper.size()), nullptr, nullptr, 0);
    if (written <= 0) {
        CharUpperBuffW(&wide[0], DWORD(wide.size()));
        return Narrow(wide);
    }
    upper.resize(size_t(written));
    return Narrow(upper);
}
