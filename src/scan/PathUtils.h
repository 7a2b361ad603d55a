#pragma once
#include <string>
#include <vector>

// Path rules shared by the whole program. Paths use "\" and drive letters.
std::string AddBackslash(const std::string& path);  // "" stays ""
std::string RemoveBackslash(const std::string& path);
bool IsDriveRoot(const std::string& path);      // "C:" and "C:\" are roots
bool HasFullPathForm(const std::string& path);  // starts with a drive root, "C:\"
// A full path that names exactly one place: a drive letter with its root
// ("C:\...") or a network share ("\\server\share..."), with no "." or ".."
// component and no empty one. Relative and drive-relative paths depend on
// the process's current directory and are never full.
bool IsFullPath(const std::string& path);
// True when a component of the path ends in a dot or a space. Windows drops
// such endings when it parses an ordinary path, so "C:\Data\Twin." would
// mean "C:\Data\Twin"; only the \\?\ form reaches the folder itself.
bool HasNameWindowsRewrites(const std::string& path);
// The form in which Windows hands a path to the file system as it stands,
// without dropping endings or resolving anything: "\\?\C:\..." for a
// full path on a drive, "\\?\UNC\server\share\..." for a share. Any other
// path (not full, or already in that form) comes back unchanged: after the
// prefix "/" is no separator and "." and ".." are plain names.
std::string LiteralPathForm(const std::string& path);
// The folders from the first one below the root down to the full path
// itself: "C:\a\b" gives "C:\a" and "C:\a\b". Empty for a root and for a
// path that is not full.
std::vector<std::string> FolderChainBelowRoot(const std::string& path);
// The folder holding a file or folder: C:\Data\a.txt gives C:\Data, and
// C:\a.txt gives the root "C:\" with its backslash.
std::string ParentFolderPath(const std::string& path);

// The type the program shows for a drive's root, where the shell would name the drive.
constexpr const char* kRootFolderType = "Root Folder of Drive";
