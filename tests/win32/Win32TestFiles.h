#pragma once
// Folders and files made through the Win32 calls, for tests on a real drive.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32FileSystem.h"

// True when the folder exists afterwards, made now or before.
inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Win32PathOf(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// A file of `length` bytes, replacing any file of that name.
inline bool MakeFile(const std::string& path, DWORD length, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileW(Win32PathOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<char> bytes(length, 'x');
    DWORD written = 0;
    const bool ok = length == 0 || (WriteFile(file, bytes.data(), length, &written, nullptr) && written == length);
    CloseHandle(file);
    return ok;
}
