#pragma once
#include <string>

// What the program asks the shell about a drive root, folder or file.
// Every call reports failure through its result and never throws.
class IShellInfo {
public:
    virtual ~IShellInfo() = default;
    // The name the shell shows for the path; "" on failure.
    virtual std::string GetShellDisplayName(const std::string& path) = 0;
    // The shell's type description, such as "File Folder"; "" on failure.
    virtual std::string GetShellTypeName(const std::string& path) = 0;
    // Index of the path's small icon in the system image list, the open
    // variant when `open` is set; -1 on failure.
    virtual int GetShellIconIndex(const std::string& path, bool open) = 0;
};
