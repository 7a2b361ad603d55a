#include "platform/memory/MemoryFileSystem.h"

#include <algorithm>

#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"
#include "scan/TextUtils.h"

namespace {

// Lists a folder's entries in place; the folder must outlive the listing.
class TMemoryListing : public IDirListing {
public:
    TMemoryListing(const std::vector<TDirEntry>& entries, bool withDots, int& openCount,
                   const std::function<void(const TDirEntry&)>& onEntry)
        : Entries(entries), DotsLeft(withDots ? 2 : 0), OpenCount(openCount), OnEntry(onEntry) {
        ++OpenCount;
    }
    ~TMemoryListing() override { --OpenCount; }
    bool Next(TDirEntry& entry) override {
        if (DotsLeft > 0) {
            entry = TDirEntry();
            entry.Name = DotsLeft-- == 2 ? "." : "..";
            entry.Attributes = kAttrDirectory;
            return true;
        }
        if (Position >= Entries.size()) return false;
        entry = Entries[Position++];
        if (OnEntry) OnEntry(entry);
        return true;
    }

private:
    const std::vector<TDirEntry>& Entries;
    int DotsLeft;
    int& OpenCount;
    const std::function<void(const TDirEntry&)>& OnEntry;
    size_t Position = 0;
};

std::string LastComponent(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string TMemoryFileSystem::Key(const std::string& path) const {
    std::string key = RemoveBackslash(path);
    return CaseSensitive ? key : AsciiUpper(key);
}

TMemoryFileSystem::TFolder& TMemoryFileSystem::EnsureFolder(const std::string& path) {
    const std::string key = Key(path);
    auto found = Folders.find(key);
    if (found != Folders.end()) return found->second;
    if (!IsDriveRoot(path)) {
        TDirEntry entry;
        entry.Name = LastComponent(RemoveBackslash(path));
        entry.Attributes = kAttrDirectory;
        AddEntry(RemoveBackslash(path), entry);
    }
    return Folders[key];
}

TDirEntry& TMemoryFileSystem::AddEntry(const std::string& path, const TDirEntry& entry) {
    TFolder& parent = EnsureFolder(ParentFolderPath(path));
    parent.Entries.push_back(entry);
    return parent.Entries.back();
}

void TMemoryFileSystem::AddFolder(const std::string& path, uint32_t attributes, const std::string& shortName) {
    const std::string key = Key(path);
    if (Folders.count(key)) return;
    TDirEntry entry;
    entry.Name = LastComponent(RemoveBackslash(path));
    entry.ShortName = shortName;
    entry.Attributes = kAttrDirectory | attributes;
    if (!IsDriveRoot(path)) AddEntry(RemoveBackslash(path), entry);
    Folders[key];
}

TDirEntry& TMemoryFileSystem::AddFile(const std::string& path, int64_t length, uint32_t attributes,
                                      const std::string& shortName) {
    TDirEntry entry;
    entry.Name = LastComponent(path);
    entry.ShortName = shortName;
    entry.Attributes = attributes & ~uint32_t(kAttrDirectory);
    entry.Length = length;
    return AddEntry(path, entry);
}

void TMemoryFileSystem::Remove(const std::string& path) {
    const std::string key = Key(path);
    auto parent = Folders.find(Key(ParentFolderPath(path)));
    if (parent != Folders.end()) {
        auto& entries = parent->second.Entries;
        const std::string name = Key(LastComponent(RemoveBackslash(path)));
        entries.erase(
            std::remove_if(entries.begin(), entries.end(), [&](const TDirEntry& e) { return Key(e.Name) == name; }),
            entries.end());
    }
    const std::string below = key + '\\';
    for (auto it = Folders.begin(); it != Folders.end();) {
        if (it->first == key || it->first.compare(0, below.size(), below) == 0)
            it = Folders.erase(it);
        else
            ++it;
    }
}

void TMemoryFileSystem::DenyListing(const std::string& folderPath) { Denied.insert(Key(folderPath)); }

void TMemoryFileSystem::SetDriveReady(char letter, bool ready) {
    const char upper = UpperDriveLetter(letter);
    if (ready)
        UnreadyDrives.erase(upper);
    else
        UnreadyDrives.insert(upper);
}

bool TMemoryFileSystem::OnUnreadyDrive(const std::string& path) const {
    return !path.empty() && UnreadyDrives.count(UpperDriveLetter(path[0])) != 0;
}

std::unique_ptr<IDirListing> TMemoryFileSystem::OpenListing(const std::string& pattern) {
    const std::string folder = ParentFolderPath(pattern);  // the pattern ends with "\*.*"
    if (OnListing) OnListing(AddBackslash(folder));
    const std::string key = Key(folder);
    auto found = Folders.find(key);
    if (found == Folders.end() || Denied.count(key) || OnUnreadyDrive(folder)) return nullptr;
    ++ListingsOpened;
    // Drive roots have no "." and ".." entries, like on Windows.
    return std::make_unique<TMemoryListing>(found->second.Entries, !IsDriveRoot(folder), ListingsOpen, OnEntry);
}

bool TMemoryFileSystem::PathExists(const std::string& path) {
    if (OnUnreadyDrive(path)) return false;
    if (Folders.count(Key(path))) return true;
    auto parent = Folders.find(Key(ParentFolderPath(path)));
    if (parent == Folders.end()) return false;
    const std::string name = Key(LastComponent(RemoveBackslash(path)));
    for (const TDirEntry& e : parent->second.Entries)
        if (Key(e.Name) == name) return true;
    return false;
}
