#pragma once
#include <string>

#include "platform/FileSystem.h"

// The file system through FindFirstFileW/FindNextFileW, with every full
// path in its literal form (see Win32PathOf).
class TWin32FileSystem : public IFileSystem {
public:
    std::unique_ptr<IDirListing> OpenListing(const std::string& pattern) override;
    bool PathExists(const std::string& path) override;
};

// The UTF-16 path for the Win32 file calls. A full path always goes in
// the \\?\ form (\\?\UNC\ for a share), whatever its length, so that it
// names exactly the entry a listing returned: ordinary parsing would turn
// "Twin." or "Twin " into "Twin", another folder, and stops at MAX_PATH.
// Other paths stay as they are; callers resolve what the user typed first.
std::wstring Win32PathOf(const std::string& path);
