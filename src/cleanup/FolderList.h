#pragma once
#include <string>
#include <vector>

class IFileSystem;

// One line of the folder list: the folders from the drive root down to the
// current folder, shown opened, then the current folder's subfolders.
struct TFolderListItem {
    std::string Name;  // as shown: the root as "c:\", every other folder by its name
    std::string Path;  // full path; the root keeps its backslash
    int Level = 0;     // indent steps: 0 for the root
    bool Opened = false;
};

// The list for `folder` (a full path such as "C:\Data\Photos"): its root and
// every folder down to it opened, then its subfolders in name order without
// regard to case. A folder that cannot be listed shows no subfolders.
std::vector<TFolderListItem> FolderListItems(const std::string& folder, IFileSystem& fileSystem);

// The index of the current folder in such a list: the last opened line.
int CurrentFolderIndex(const std::vector<TFolderListItem>& items);
