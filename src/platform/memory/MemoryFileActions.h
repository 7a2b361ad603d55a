#pragma once
#include <set>

#include "platform/FileActions.h"
#include "platform/FileSystem.h"

class TMemoryFileSystem;

// The file actions on an in-memory file system.
class TMemoryFileActions : public IFileActions {
public:
    explicit TMemoryFileActions(TMemoryFileSystem& files) : Files(files) {}

    bool RemoveFile(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool CreateHiddenFolder(const std::string& path) override;
    int64_t FileSize(const std::string& path) override;

    // Paths that refuse to be created or deleted, like a locked file or a read-only drive.
    std::set<std::string> Refused;

private:
    bool Find(const std::string& path, TDirEntry& found);

    TMemoryFileSystem& Files;
};
