#include "platform/win32/Win32FolderCreator.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/WideString.h"

bool TWin32FolderCreator::CreateFolder(const std::string& path) {
    const std::wstring wide = Widen(path);
    const int result = SHCreateDirectoryExW(nullptr, wide.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) return false;
    // ERROR_ALREADY_EXISTS also answers for a file of that name.
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
