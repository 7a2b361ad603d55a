#pragma once
// Turns an entry's stored name into a path relative to the extraction
// folder, refusing every name that could reach outside it or that Windows
// would read as something other than a plain file name.
#include <string>
#include <vector>

struct TZipEntryName {
    // Why the name is refused; "" when it is safe.
    std::string Reason;
    // The folders and the file (for a folder entry, only folders), without
    // empty and "." parts.
    std::vector<std::string> Components;
    // The name ended with a separator: a folder entry.
    bool IsFolder = false;
    // The relative path to write, joined with "\": every component when
    // folder names are kept, else only the file's name; "" for a folder
    // entry whose folders are dropped.
    std::string Path;

    bool Refused() const { return !Reason.empty(); }
};

// Both "/" and "\" separate components.
TZipEntryName ParseZipEntryName(const std::string& name, bool keepFolders);

// The path of the first `count` components joined with "\".
std::string JoinZipComponents(const std::vector<std::string>& components, size_t count);
