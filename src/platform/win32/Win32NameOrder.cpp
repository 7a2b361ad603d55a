#include "platform/win32/Win32NameOrder.h"

#include <windows.h>

#include "platform/win32/WideString.h"

// Sort keys from LCMapString compare byte for byte like CompareString with
// the same locale and flags, which is what lstrcmp calls.
std::string TWin32NameOrder::SortKey(const std::string& name) const {
    thread_local std::wstring wide;
    WidenInto(name, wide);
    const int length = int(wide.size());
    const int needed = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide.c_str(), length, nullptr, 0);
    if (needed <= 0) return std::string();
    std::string key(size_t(needed), '\0');
    LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, wide.c_str(), length, reinterpret_cast<LPWSTR>(&key[0]), needed);
    // The key ends with a zero byte that is not part of the order.
    if (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}
