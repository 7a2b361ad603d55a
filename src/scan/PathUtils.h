#pragma once
#include <string>

// Path rules shared by the whole program. Paths use "\" and drive letters.
std::string AddBackslash(const std::string& path);     // "" stays ""
std::string RemoveBackslash(const std::string& path);
bool IsDriveRoot(const std::string& path);              // "C:" and "C:\" are roots
bool HasFullPathForm(const std::string& path);          // starts with a drive root, "C:\"
// The folder holding a file or folder: C:\Data\a.txt gives C:\Data, and
// C:\a.txt gives the root "C:\" with its backslash.
std::string ParentFolderPath(const std::string& path);

// The type the program shows for a drive's root, where the shell would name the drive.
constexpr const char* kRootFolderType = "Root Folder of Drive";
