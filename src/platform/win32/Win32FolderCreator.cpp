#include "platform/win32/Win32FolderCreator.h"

#include <windows.h>

#include "platform/win32/Win32FileSystem.h"
#include "scan/PathUtils.h"

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Win32PathOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// SHCreateDirectoryExW parses the path the ordinary way, so the missing
// folders are made one at a time, each under its literal name. A path that
// is not full names no one place. The folder is made for the shell or the
// ZIP libraries to fill, and they parse paths the ordinary way: "Data."
// would be a folder they never reach (they go into "Data"), so such a name
// is refused rather than made.
bool TWin32FolderCreator::CreateFolder(const std::string& path) {
    if (!IsFullPath(path) || HasNameWindowsRewrites(path)) return false;
    for (const std::string& folder : FolderChainBelowRoot(path)) {
        if (IsFolder(folder)) continue;
        // Failing because someone else made it just now is no failure; a file of that name is.
        if (!CreateDirectoryW(Win32PathOf(folder).c_str(), nullptr) && !IsFolder(folder)) return false;
    }
    return IsFolder(path);
}
