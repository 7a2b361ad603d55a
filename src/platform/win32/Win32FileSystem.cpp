#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/Win32FileTime.h"
#include "platform/win32/Owned.h"
#include "platform/win32/WideString.h"
#include "scan/PathUtils.h"

namespace {

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

std::wstring Win32PathOf(const std::string& path) { return Widen(LiteralPathForm(path)); }

std::unique_ptr<IDirListing> TWin32FileSystem::OpenListing(const std::string& pattern) {
    auto listing = std::make_unique<TWin32Listing>(Win32PathOf(pattern));
    if (!listing->IsOpen()) return nullptr;
    return listing;
}

bool TWin32FileSystem::PathExists(const std::string& path) {
    const std::string plain = IsDriveRoot(path) ? AddBackslash(path) : RemoveBackslash(path);
    return GetFileAttributesW(Win32PathOf(plain).c_str()) != INVALID_FILE_ATTRIBUTES;
}
