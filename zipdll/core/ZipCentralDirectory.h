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
    uint64_t CompressedSize = 0;    // ZIP64 values already applied
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
};

// Finds the end record (and the ZIP64 one when present) and reads every
// central header. Never reads outside the stream, whatever the bytes say.
TZipCentralDirectory ReadZipCentralDirectory(IByteStream& archive);

// Where an entry's data begins: after its local header, whose name and extra
// lengths may differ from the central ones. False, with a reason, when the
// local header is missing or its data would lie outside the archive.
bool LocateEntryData(IByteStream& archive, const TZipCentralEntry& entry, uint64_t& dataStart,
                     std::string& error);
