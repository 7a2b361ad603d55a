#pragma once
// Reading an archive through its central directory, the way the extractor
// (and the writer, when it freshens or updates an existing archive) sees it.
// Archives from any tool: comments, data descriptors, extra fields, ZIP64.
#include <cstdint>
#include <string>
#include <vector>

class IByteStream;

struct TZipCentralEntry {
    // UTF-8: as stored with bit 11; else from Info-ZIP's Unicode path field
    // when its CRC matches; else as stored when a Unix-made name is valid
    // UTF-8 (Info-ZIP writes them unflagged); else converted from code page 437.
    std::string Name;
    std::string RawName;  // the bytes as stored
    uint16_t VersionMadeBy = 0;
    uint16_t VersionNeeded = 0;
    uint16_t Flags = 0;
    uint16_t Method = 0;
    uint16_t DosTime = 0;
    uint16_t DosDate = 0;
    uint32_t Crc32 = 0;
    uint64_t CompressedSize = 0;  // ZIP64 values already applied
    uint64_t UncompressedSize = 0;
    uint64_t LocalHeaderOffset = 0;
    uint16_t InternalAttributes = 0;
    uint32_t ExternalAttributes = 0;
    // From the NTFS extra field, in FILETIME units (100 ns since 1601); 0 when
    // absent. ModifiedTime falls back to Info-ZIP's Unix time field.
    uint64_t ModifiedTime = 0;
    uint64_t AccessedTime = 0;
    uint64_t CreatedTime = 0;

    bool IsFolder() const { return !Name.empty() && (Name.back() == '/' || Name.back() == '\\'); }
    bool IsEncrypted() const { return (Flags & 1) != 0; }
};

struct TZipCentralDirectory {
    std::vector<TZipCentralEntry> Entries;
    // Why the archive cannot be read; "" when it was read whole.
    std::string Error;
    // Where the central directory was read from (after any bytes in front).
    uint64_t DirectoryOffset = 0;
    uint64_t DirectorySize = 0;
};

// What an entry's local header says, as far as reading its data goes.
struct TZipLocalHeader {
    uint64_t DataStart = 0;  // just after the header's name and extra fields
    // Bit 3: the sizes follow the data, and the header's own may be zero.
    bool SizesFollowData = false;
    // The header's sizes, from its ZIP64 field where the 32-bit ones are saturated.
    uint64_t CompressedSize = 0;
    uint64_t UncompressedSize = 0;
};

// Finds the end record (and the ZIP64 one when present) and reads every
// central header. Never reads outside the stream, whatever the bytes say.
TZipCentralDirectory ReadZipCentralDirectory(IByteStream& archive);

// Where an entry's data begins: after its local header, whose name and extra
// lengths may differ from the central ones. False, with a reason, when the
// local header is missing or its data would lie outside the archive.
bool LocateEntryData(IByteStream& archive, const TZipCentralEntry& entry, uint64_t& dataStart, std::string& error);
// The same, with the local header's own flags and sizes.
bool ReadZipLocalHeader(IByteStream& archive, const TZipCentralEntry& entry, TZipLocalHeader& local,
                        std::string& error);

// Entries whose local header and data share bytes with another entry's, or
// with the central directory, are how archives are built that expand far
// beyond their size (the same data counted over and over). Why the
// archive's entries do not lie apart; "" when they do. Entries whose local
// header cannot be read are left out: they yield nothing.
std::string FindOverlappingEntries(IByteStream& archive, const TZipCentralDirectory& directory);
