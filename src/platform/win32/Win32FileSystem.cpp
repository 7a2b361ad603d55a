#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/Win32FileTime.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/WideString.h"
#include "scan/PathUtils.h"

namespace {

// Below this length every Win32 file call accepts a plain path; above it
// (CreateDirectory stops at 248) the extended-length form is used.
constexpr size_t kPlainPathLimit = 240;

class TWin32Listing : public IDirListing {
public:
    explicit TWin32Listing(const std::wstring& pattern) : Handle(FindFirstFileW(pattern.c_str(), &Data)) {
        HavePending = Handle.IsValid();
    }
    bool IsOpen() const { return Handle.IsValid(); }

    bool Next(TDirEntry& entry) override {
        if (!HavePending && !FindNextFileW(Handle.Get(), &Data)) return false;
        HavePending = false;
        NarrowInto(Data.cFileName, entry.Name);
        NarrowInto(Data.cAlternateFileName, entry.ShortName);
        entry.Attributes = Data.dwFileAttributes;
        entry.Length = int64_t((uint64_t(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow);
        entry.CreationTime = FromFiletime(Data.ftCreationTime);
        entry.LastAccessTime = FromFiletime(Data.ftLastAccessTime);
        entry.LastWriteTime = FromFiletime(Data.ftLastWriteTime);
        return true;
    }

private:
    WIN32_FIND_DATAW Data = {};
    TFindHandle Handle;
    bool HavePending = false;
};

}  // namespace

std::wstring Win32PathOf(const std::string& path) {
    std::wstring wide = Widen(path);
    if (wide.size() < kPlainPathLimit || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    if (wide.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
    return wide;  // relative paths cannot take the prefix
}

std::unique_ptr<IDirListing> TWin32FileSystem::OpenListing(const std::string& pattern) {
    auto listing = std::make_unique<TWin32Listing>(Win32PathOf(pattern));
    if (!listing->IsOpen()) return nullptr;
    return listing;
}

bool TWin32FileSystem::PathExists(const std::string& path) {
    const std::string plain = IsDriveRoot(path) ? AddBackslash(path) : RemoveBackslash(path);
    return GetFileAttributesW(Win32PathOf(plain).c_str()) != INVALID_FILE_ATTRIBUTES;
}
