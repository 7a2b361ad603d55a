#pragma once
#include <string>

// True for a name of the 8.3 form: one to eight characters, optionally a
// dot and one to three more, drawn from the letters, digits and punctuation
// that short names allow (no spaces, no second dot, nothing beyond ASCII).
bool IsValidShortName(const std::string& name);

// The spelling a folder is shown with. FAT keeps short names in capitals,
// so a listed name without a short name of its own, that is a valid short
// name and has no lower-case letter, is shown with only its first letter in
// capitals (WINDOWS as Windows); any other name is kept as listed (src,
// AppData, My Photos, Program Files).
std::string FolderDisplayName(const std::string& name, const std::string& shortName);

// True when a folder shown as `text` is the folder named `name` under a
// case-sensitive comparison: the same spelling, or the display spelling
// the program gave the name itself.
bool NameMatchesDisplayText(const std::string& text, const std::string& name);
