#include "platform/win32/Win32FileActions.h"

#include <windows.h>

#include "platform/win32/Win32FileSystem.h"

bool TWin32FileActions::RemoveFile(const std::string& path) { return DeleteFileW(Win32PathOf(path).c_str()) != FALSE; }

bool TWin32FileActions::RemoveEmptyFolder(const std::string& path) {
    return RemoveDirectoryW(Win32PathOf(path).c_str()) != FALSE;
}

bool TWin32FileActions::CreateHiddenFolder(const std::string& path) {
    const std::wstring wide = Win32PathOf(path);
    if (!CreateDirectoryW(wide.c_str(), nullptr)) return false;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    // The folder is there either way; hiding it only keeps it out of sight.
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(wide.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
    return true;
}

int64_t TWin32FileActions::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(Win32PathOf(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return int64_t((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}
