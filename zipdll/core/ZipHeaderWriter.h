#pragma once
// The records the writer puts into an archive: local headers, central
// headers and the end records, with ZIP64 fields wherever a value does not
// fit its 16- or 32-bit field.
#include <cstdint>
#include <string>

// One entry as the writer describes it, both in its local header and in the
// central directory.
struct TZipEntryRecord {
    std::string Name;             // the bytes stored: UTF-8 (Flags bit 11) or another tool's code page
    uint16_t VersionMadeBy = 20;  // host in the high byte; the low byte is raised to the version needed
    uint16_t Flags = 0;
    uint16_t Method = 0;
    uint16_t DosTime = 0;
    uint16_t DosDate = 0;
    uint32_t Crc32 = 0;
    uint64_t CompressedSize = 0;  // with the encryption header
    uint64_t UncompressedSize = 0;
    uint64_t LocalHeaderOffset = 0;
    uint16_t InternalAttributes = 0;
    uint32_t ExternalAttributes = 0;
    // The NTFS time extra field (FILETIME units) when HasTimes.
    bool HasTimes = false;
    uint64_t ModifiedTime = 0;
    uint64_t AccessedTime = 0;
    uint64_t CreatedTime = 0;
    // The local header carries a ZIP64 field with both sizes (and 0xFFFFFFFF
    // in its 32-bit size fields). Decided before the data is written, since
    // the header's length cannot change afterwards.
    bool LocalZip64 = false;
};

// The values from which a field moves into ZIP64: sizes and offsets of
// 0xFFFFFFFF and more, entry counts of 0xFFFF and more. Tests lower them to
// reach every ZIP64 field with archives of a few bytes.
struct TZip64Thresholds {
    uint64_t Value = 0xFFFFFFFFu;
    uint64_t Count = 0xFFFF;

    bool Exceeds(uint64_t value) const { return value >= Value; }
};

namespace ZipHeaders {
// 45 when the entry needs ZIP64 (in either header), else 20.
uint16_t VersionNeeded(const TZipEntryRecord& entry, const TZip64Thresholds& limits = {});

std::string LocalHeader(const TZipEntryRecord& entry, const TZip64Thresholds& limits = {});
std::string CentralHeader(const TZipEntryRecord& entry, const TZip64Thresholds& limits = {});
// The ZIP64 end record and its locator when any value needs them, then the end record.
std::string EndRecords(uint64_t entryCount, uint64_t directoryOffset, uint64_t directorySize,
                       const TZip64Thresholds& limits = {});
// The data descriptor after an entry's data: 8-byte sizes with a ZIP64 local header.
std::string DataDescriptor(const TZipEntryRecord& entry);
}  // namespace ZipHeaders
