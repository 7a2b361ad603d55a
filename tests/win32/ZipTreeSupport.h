#pragma once
// Trees of files for the ZIP tests: made with chosen contents, taken apart
// again, and read back whole so that two trees can be compared.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Owned.h"

struct TTreeItem {
    bool Folder = false;
    std::string Contents;
    uint64_t WriteTime = 0;  // FILETIME units
    DWORD Attributes = 0;
};
// Relative path (with "\") -> what is there.
using TTreeSnapshot = std::map<std::string, TTreeItem>;

inline bool WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    TWin32Handle file(
        CreateFileW(Win32PathOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file.IsValid()) return false;
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size());
}

inline std::string ReadBytes(const std::string& path) {
    TWin32Handle file(
        CreateFileW(Win32PathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    if (!file.IsValid()) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    return bytes;
}

inline bool PathIsThere(const std::string& path) {
    return GetFileAttributesW(Win32PathOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Deletes a folder with everything in it (read-only and hidden files too).
inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAW found;
    TFindHandle search(FindFirstFileW(Win32PathOf(path + "\\*").c_str(), &found));
    if (search.IsValid()) {
        do {
            const std::string name = Narrow(found.cFileName);
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesW(Win32PathOf(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Win32PathOf(child).c_str());
        } while (FindNextFileW(search.Get(), &found));
    }
    RemoveDirectoryW(Win32PathOf(path).c_str());
}

inline void TakeSnapshot(const std::string& folder, const std::string& prefix, TTreeSnapshot& into) {
    WIN32_FIND_DATAW found;
    TFindHandle search(FindFirstFileW(Win32PathOf(folder + "\\*").c_str(), &found));
    if (!search.IsValid()) return;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        TTreeItem item;
        item.Folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.Attributes =
            found.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        const std::string path = folder + "\\" + name;
        if (item.Folder) {
            TakeSnapshot(path, prefix + name + "\\", into);
        } else {
            item.Contents = ReadBytes(path);
            item.WriteTime = uint64_t(found.ftLastWriteTime.dwHighDateTime) << 32 | found.ftLastWriteTime.dwLowDateTime;
        }
        into[prefix + name] = std::move(item);
    } while (FindNextFileW(search.Get(), &found));
}

inline TTreeSnapshot Snapshot(const std::string& folder) {
    TTreeSnapshot snapshot;
    TakeSnapshot(folder, "", snapshot);
    return snapshot;
}
