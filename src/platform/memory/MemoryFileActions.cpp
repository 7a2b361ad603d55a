#include "platform/memory/MemoryFileActions.h"

#include "platform/memory/MemoryFileSystem.h"
#include "scan/PathUtils.h"
#include "scan/TextUtils.h"

bool TMemoryFileActions::Find(const std::string& path, TDirEntry& found) {
    const std::string name = AsciiUpper(path.substr(path.find_last_of('\\') + 1));
    auto listing = Files.OpenListing(AddBackslash(ParentFolderPath(path)) + "*.*");
    while (listing && listing->Next(found))
        if (AsciiUpper(found.Name) == name) return true;
    return false;
}

bool TMemoryFileActions::RemoveFile(const std::string& path) {
    TDirEntry entry;
    if (Refused.count(path) || !Find(path, entry) || (entry.Attributes & kAttrDirectory)) return false;
    Files.Remove(path);
    return true;
}

bool TMemoryFileActions::RemoveEmptyFolder(const std::string& path) {
    TDirEntry entry;
    if (Refused.count(path) || !Find(path, entry) || !(entry.Attributes & kAttrDirectory)) return false;
    auto listing = Files.OpenListing(AddBackslash(path) + "*.*");
    for (TDirEntry inside; listing && listing->Next(inside);)
        if (inside.Name != "." && inside.Name != "..") return false;
    Files.Remove(path);
    return true;
}

bool TMemoryFileActions::CreateHiddenFolder(const std::string& path) {
    if (Refused.count(path) || Files.PathExists(path) || !Files.PathExists(ParentFolderPath(path))) return false;
    Files.AddFolder(path, kAttrHidden);
    return true;
}

int64_t TMemoryFileActions::FileSize(const std::string& path) {
    TDirEntry entry;
    if (!Find(path, entry) || (entry.Attributes & kAttrDirectory)) return -1;
    return entry.Length;
}
