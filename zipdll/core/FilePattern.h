#pragma once
// File specifications as the add library takes them: a path relative to the
// current folder whose last component may hold the wildcards * and ?.
// Names compare without regard to case, as Windows compares file names.
#include <cstdint>
#include <string>

struct TFileSpecParts {
    std::string Folder;   // with its trailing separator; "" for the current folder
    std::string Pattern;  // the last component; may be ""
};

// Splits at the last "\" or "/" (or after a drive's colon).
TFileSpecParts SplitFileSpec(const std::string& spec);

bool HasWildcards(const std::string& text);

// True when `name` (one component, UTF-8) matches `pattern`. "*" matches any
// run of characters, "?" exactly one; "*.*" matches every name, and a
// pattern ending in "." matches only names without an extension (the
// command prompt's rules).
bool MatchesFilePattern(const std::string& name, const std::string& pattern);

// Equal names apart from case; "/" and "\" count as the same separator.
bool SameFileName(const std::string& a, const std::string& b);

// The key under which SameFileName considers names equal: case folded,
// separators made "/". For sets and maps of names.
std::string FileNameKey(const std::string& name);

// The name an archive stores for a path relative to the current folder:
// "/" separators, no drive, no leading separators and no "." or ".."
// components, so that an extraction cannot climb out of its folder.
std::string ZipStoredName(const std::string& path);
