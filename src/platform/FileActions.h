#pragma once
#include <cstdint>
#include <string>

// The few changes the archive dialog makes to the disk besides the ZIP
// libraries: its archive folder, the index file and the archives themselves.
class IFileActions {
public:
    virtual ~IFileActions() = default;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Succeeds only for a folder that holds nothing.
    virtual bool RemoveEmptyFolder(const std::string& path) = 0;
    // Creates one folder (its parent must exist) and gives it the hidden attribute.
    virtual bool CreateHiddenFolder(const std::string& path) = 0;
    // The file's size in bytes; -1 when there is no such file.
    virtual int64_t FileSize(const std::string& path) = 0;
};
