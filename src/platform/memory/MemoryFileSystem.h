#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

// An in-memory file system for tests and benchmarks. Paths look like
// Windows paths ("C:\Data\a.txt"); folders are created on demand and list
// their entries in the order they were added, after "." and "..".
class TMemoryFileSystem : public IFileSystem {
public:
    explicit TMemoryFileSystem(bool caseSensitive = false) : CaseSensitive(caseSensitive) {}

    // Adds a folder (and any missing parents). Extra attributes are ORed
    // with the directory bit.
    void AddFolder(const std::string& path, uint32_t attributes = 0, const std::string& shortName = "");
    TDirEntry& AddFile(const std::string& path, int64_t length, uint32_t attributes = kAttrArchive,
                       const std::string& shortName = "");
    // Removes a file or folder with everything below it.
    void Remove(const std::string& path);
    // Makes the folder refuse to be listed, like a folder without access.
    void DenyListing(const std::string& folderPath);
    // A drive that is not ready (no disc, network down) keeps its files but
    // shows none of them, its root included.
    void SetDriveReady(char letter, bool ready);

    std::unique_ptr<IDirListing> OpenListing(const std::string& pattern) override;
    bool PathExists(const std::string& path) override;

    int ListingsOpened = 0;  // listings handed out so far
    int ListingsOpen = 0;    // of those, not yet closed
    // Told of every folder about to be listed and every entry handed out, so
    // that a test can act in the middle of a scan.
    std::function<void(const std::string& folder)> OnListing;
    std::function<void(const TDirEntry& entry)> OnEntry;

private:
    struct TFolder {
        std::vector<TDirEntry> Entries;
    };

    std::string Key(const std::string& path) const;
    bool OnUnreadyDrive(const std::string& path) const;
    TFolder& EnsureFolder(const std::string& path);
    TDirEntry& AddEntry(const std::string& path, const TDirEntry& entry);

    bool CaseSensitive;
    std::map<std::string, TFolder> Folders;  // keyed by normalised folder path
    std::set<std::string> Denied;
    std::set<char> UnreadyDrives;  // upper case
};
