#pragma once
#include <cstdint>
#include <string>
#include <vector>

class IByteStream;

// One local file header of a ZIP archive: the 26 bytes after its signature
// and the file name that follows them.
struct TZipEntry {
    uint16_t VersionNeeded = 0;
    uint16_t Flags = 0;
    uint16_t Method = 0;
    uint16_t Time = 0;
    uint16_t Date = 0;
    uint32_t Crc32 = 0;
    // From the ZIP64 extra field when the header holds 0xFFFFFFFF.
    uint64_t CompressedSize = 0;
    uint64_t UncompressedSize = 0;
    uint16_t NameLength = 0;
    uint16_t ExtraLength = 0;
    std::string Name;  // as stored in the archive
};

struct TZipEntryList {
    std::vector<TZipEntry> Entries;
    // What went wrong, as the adapter shows it; "" when the list is complete.
    std::string Message;
};

// The message for a file in which no local header is found.
constexpr const char* kNoValidZipEntries = "No valid zip entries found";

// Where the search for the first header starts in a self-extracting
// archive (a name ending in ".EXE"), and how far it looks.
constexpr int64_t kSelfExtractorSkip = 14000;
constexpr int64_t kHeaderSearchLimit = 60000;

// Reads the archive's local headers without any ZIP library: finds the
// first "PK\3\4" byte by byte, then walks header by header until the
// central directory or the end record. Entries read before an error are kept.
TZipEntryList ReadZipEntryList(IByteStream& archive, bool selfExtractor);
