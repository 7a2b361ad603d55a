#pragma once
#include <string>
#include <vector>

// The items a shell context menu is built for: the folder the shell binds
// and the name of the item inside it. A drive root has no name; the shell
// finds it another way.
struct TContextMenuTarget {
    std::string Folder;
    std::string Name;
};

// C:\Data\a.txt gives C:\Data and a.txt; C:\a.txt gives C:\ and a.txt; C:\ gives C:\ and "".
TContextMenuTarget SplitContextMenuPath(const std::string& path);

// A name holding "*" or "?" stands for every entry of its folder that matches it.
bool IsWildcardName(const std::string& name);

// Matching as the Windows file system does it for long names: "*" takes any
// run of characters, "?" exactly one, letters compare without case (ASCII),
// and a trailing ".*" also matches a name without an extension, so "*.*"
// takes every name.
bool MatchesWildcard(const std::string& pattern, const std::string& name);

// The entries of a folder listing that the pattern picks, in listing order;
// the "." and ".." entries never count.
std::vector<std::string> MatchingItemNames(const std::string& pattern, const std::vector<std::string>& names);
