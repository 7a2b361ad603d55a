#pragma once
// What the extract library decides for each entry before any file work:
// whether the file specifications select it, and whether an existing file
// is replaced under the freshen, update and overwrite options.
#include <cstdint>
#include <string>
#include <vector>

// `*` matches any run of characters (separators included), `?` exactly one
// character; letters compare without regard to case, and "/" and "\" are
// the same separator.
bool ZipNameMatchesSpec(const std::string& name, const std::string& spec);
// No specifications select every entry.
bool ZipNameSelected(const std::string& name, const std::vector<std::string>& specs);

struct TZipWriteRules {
    bool Freshen = false;    // only files that exist and are older
    bool Update = false;     // new files, and existing files that are older
    bool Overwrite = false;  // existing files, whatever their age
};

enum class EZipWriteChoice {
    Write,
    SkipMissing,   // freshening, and there is no such file
    SkipNotNewer,  // freshening or updating, and the file is as new
    SkipExisting,  // the file exists and overwriting is off
};

EZipWriteChoice ChooseZipWrite(const TZipWriteRules& rules, bool targetExists, bool entryIsNewer);

// Times in FILETIME units. DOS times keep two-second steps, so a file's
// time counts as older only when it is more than that behind.
bool ZipEntryIsNewer(uint64_t entryTime, uint64_t fileTime, bool dosPrecision);

// An Info-ZIP extended timestamp (Unix seconds) as a FILETIME.
uint64_t UnixTimeToFiletime(int64_t seconds);
