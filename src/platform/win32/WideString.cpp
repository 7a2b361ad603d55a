#include "platform/win32/WideString.h"

#include <windows.h>

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring result(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &result[0], n);
    return result;
}

std::string Narrow(const wchar_t* utf16) {
    if (!utf16 || !*utf16) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string result(size_t(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, -1, &result[0], n, nullptr, nullptr);
    return result;
}

std::string Narrow(const std::wstring& utf16) { return Narrow(utf16.c_str()); }
