#pragma once
#include <string>

// A portable stand-in for the Windows word sort that lstrcmp uses: letters
// compare without case first, hyphens and apostrophes are ignored at first,
// symbols sort before digits and digits before letters; lower case comes
// before upper case when nothing else differs. The Win32 build sorts with
// the system's own comparison instead.
int CompareNamesLikeWindows(const std::string& a, const std::string& b);
