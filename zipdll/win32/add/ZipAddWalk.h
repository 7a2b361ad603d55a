#pragma once
// Turns the add's file specifications into the list of files and folder
// entries to store, walking folders with FindFirstFileExW.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TZipAddReporter;

struct TZipWalkOptions {
    bool Recurse = false;
    bool FolderNames = true;
    bool HiddenFiles = false;
    bool DosNames = false;
    bool FolderEntries = true;  // store folders with nothing under them
    std::wstring SkipPath;      // the archive itself, never added to itself
};

constexpr size_t kNoFolder = static_cast<size_t>(-1);

struct TZipWalkItem {
    std::wstring Path;       // absolute
    std::string StoredName;  // "/" separators; a folder's ends in "/"
    bool IsFolder = false;
    uint64_t Size = 0;
    uint32_t Attributes = 0;  // DOS attributes
    FILETIME Created{}, Accessed{}, Modified{};
    // The walked folder the file was listed in, or the folder an entry
    // stands for; kNoFolder for a file named on its own.
    size_t Folder = kNoFolder;
};

struct TZipWalkFolder {
    std::wstring Path;
    size_t Parent = kNoFolder;  // kNoFolder for the folder a specification names
};

struct TZipWalk {
    std::vector<TZipWalkItem> Items;      // in the order found
    std::vector<TZipWalkFolder> Folders;  // parents before their subfolders
};

// False when the caller stopped the add through a message's callback.
bool WalkFileSpecs(const std::vector<std::string>& specs, const TZipWalkOptions& options, TZipAddReporter& reporter,
                   TZipWalk& walk);

// The path with the \\?\ prefix when it is too long for the plain calls.
std::wstring LongPathForm(const std::wstring& path);
