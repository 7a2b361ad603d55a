#pragma once
// What the extract library decides for each entry before any file work:
// whether the file specifications select it, whether each part of its name
// can be created as it is, and whether an existing file is replaced under
// the freshen, update and overwrite options.
#include <cstdint>
#include <string>
#include <vector>

// `*` matches any run of characters (separators included), `?` exactly one
// character; letters compare without regard to case, and "/" and "\" are
// the same separator.
bool ZipNameMatchesSpec(const std::string& name, const std::string& spec);
// No specifications select every entry.
bool ZipNameSelected(const std::string& name, const std::vector<std::string>& specs);

// Why one part of a path (a file or folder name, UTF-8, without separators)
// is not created: Windows would refuse it, open a device for it, or create
// another name (it drops trailing dots and spaces; "a:b" names a stream of
// "a"). Null when the part is created exactly as it is.
const char* ZipNameComponentProblem(const std::string& component);

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
