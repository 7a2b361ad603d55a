#pragma once
#include <string>

#include "platform/FileSystem.h"

// The file system through FindFirstFileW/FindNextFileW. Paths longer than
// the classic limit are passed with the \\?\ prefix, so deep trees list too.
class TWin32FileSystem : public IFileSystem {
public:
    std::unique_ptr<IDirListing> OpenListing(const std::string& pattern) override;
    bool PathExists(const std::string& path) override;
};

// The UTF-16 form of an absolute path, with the \\?\ (or \\?\UNC\) prefix
// when it is too long for the plain Win32 calls.
std::wstring Win32PathOf(const std::string& path);
