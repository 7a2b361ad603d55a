#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include "platform/win32/WideString.h"
#include "scan/PathUtils.h"

std::string FullPathName(const std::string& path) {
    if (path.size() == 2 && IsDriveRoot(path)) return path + "\\";
    // GetFullPathNameW would also drop a trailing dot or space ("Twin." would
    // become "Twin", another folder); a full path needs no resolving at all.
    if (IsFullPath(path)) return path;
    const std::wstring wide = Widen(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::string();
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr);
    if (written == 0 || written >= needed) return std::string();
    full.resize(written);
    return Narrow(full);
}

std::string SystemErrorText(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : Narrow(text);
}
