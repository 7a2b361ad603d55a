#pragma once
#include <string>

// Compares two names as lstrcmp does (the user's locale, word sort), which
// is also the order the tree control uses for its own alphabetical sort.
int Win32CompareNames(const std::string& a, const std::string& b);
