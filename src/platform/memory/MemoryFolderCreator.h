#pragma once
#include <string>
#include <vector>

#include "platform/FolderCreator.h"
#include "platform/memory/MemoryFileSystem.h"

// Makes folders in a memory file system, or fails when told to, and
// remembers what it was asked to make.
class TMemoryFolderCreator : public IFolderCreator {
public:
    explicit TMemoryFolderCreator(TMemoryFileSystem& files) : Files(files) {}

    bool CreateFolder(const std::string& path) override {
        Created.push_back(path);
        if (Fails) return false;
        Files.AddFolder(path);
        return true;
    }

    bool Fails = false;
    std::vector<std::string> Created;

private:
    TMemoryFileSystem& Files;
};
