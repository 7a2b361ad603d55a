#include "platform/win32/Win32ShellInfo.h"

#include <shellapi.h>

#include <cwchar>

#include "platform/win32/WideString.h"

namespace {

// The shell fills fixed buffers; read no further than their size even when
// the terminator is missing.
std::string FromBuffer(const wchar_t* buffer, size_t capacity) {
    return Narrow(std::wstring(buffer, wcsnlen(buffer, capacity)));
}

std::wstring CurrentDirectory() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return std::wstring();
    std::wstring path(n, L'\0');
    const DWORD written = GetCurrentDirectoryW(n, &path[0]);
    if (written == 0 || written >= n) return std::wstring();
    path.resize(written);
    return path;
}

}  // namespace

std::string TWin32ShellInfo::GetShellDisplayName(const std::string& path) {
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) return std::string();
    return FromBuffer(info.szDisplayName, MAX_PATH);
}

std::string TWin32ShellInfo::GetShellTypeName(const std::string& path) {
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME)) return std::string();
    return FromBuffer(info.szTypeName, 80);
}

// Asking for the index rather than the icon itself leaves no icon handle to free.
int TWin32ShellInfo::GetShellIconIndex(const std::string& path, bool open) {
    SHFILEINFOW info = {};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (open) flags |= SHGFI_OPENICON;
    if (!SHGetFileInfoW(Widen(path).c_str(), 0, &info, sizeof(info), flags)) return -1;
    return info.iIcon < 0 ? -1 : info.iIcon;
}

HIMAGELIST GetSystemImageList(bool small) {
    SHFILEINFOW info = {};
    UINT flags = SHGFI_SYSICONINDEX;
    if (small) flags |= SHGFI_SMALLICON;
    const DWORD_PTR list = SHGetFileInfoW(CurrentDirectory().c_str(), 0, &info, sizeof(info), flags);
    return reinterpret_cast<HIMAGELIST>(list);
}
