#include "ZipHeaderWriter.h"

#include "ZipFormat.h"

using namespace ZipFormat;

namespace ZipHeaders {
namespace {

constexpr uint16_t kNtfsTimesTag = 0x0001;
constexpr uint16_t kNtfsTimesSize = 24;
constexpr uint16_t kNtfsExtraSize = 4 + 4 + kNtfsTimesSize;  // reserved, tag, size, three times

bool CentralNeedsZip64(const TZipEntryRecord& e, const TZip64Thresholds& limits) {
    return limits.Exceeds(e.UncompressedSize) || limits.Exceeds(e.CompressedSize) ||
           limits.Exceeds(e.LocalHeaderOffset);
}

void PutNtfsExtra(std::string& out, const TZipEntryRecord& e) {
    if (!e.HasTimes) return;
    Put16(out, kExtraNtfs);
    Put16(out, kNtfsExtraSize);
    Put32(out, 0);
    Put16(out, kNtfsTimesTag);
    Put16(out, kNtfsTimesSize);
    Put64(out, e.ModifiedTime);
    Put64(out, e.AccessedTime);
    Put64(out, e.CreatedTime);
}

uint16_t MadeBy(const TZipEntryRecord& e, const TZip64Thresholds& limits) {
    const uint16_t needed = VersionNeeded(e, limits);
    uint16_t version = e.VersionMadeBy & 0xFF;
    if (version < needed) version = needed;
    return uint16_t((e.VersionMadeBy & 0xFF00) | version);
}

uint32_t Field32(uint64_t value, const TZip64Thresholds& limits) {
    return limits.Exceeds(value) ? kMax32 : uint32_t(value);
}

}  // namespace

uint16_t VersionNeeded(const TZipEntryRecord& entry, const TZip64Thresholds& limits) {
    return (entry.LocalZip64 || CentralNeedsZip64(entry, limits)) ? kVersionNeededZip64 : kVersionNeededDefault;
}

std::string LocalHeader(const TZipEntryRecord& e, const TZip64Thresholds& limits) {
    std::string out;
    out.reserve(kLocalHeaderSize + e.Name.size() + 20 + 36);
    Put32(out, kLocalHeaderSignature);
    Put16(out, VersionNeeded(e, limits));
    Put16(out, e.Flags);
    Put16(out, e.Method);
    Put16(out, e.DosTime);
    Put16(out, e.DosDate);
    Put32(out, e.Crc32);
    Put32(out, e.LocalZip64 ? kMax32 : uint32_t(e.CompressedSize));
    Put32(out, e.LocalZip64 ? kMax32 : uint32_t(e.UncompressedSize));
    Put16(out, uint16_t(e.Name.size()));
    const uint16_t extra = uint16_t((e.LocalZip64 ? 4 + 16 : 0) + (e.HasTimes ? 4 + kNtfsExtraSize : 0));
    Put16(out, extra);
    out += e.Name;
    if (e.LocalZip64) {
        Put16(out, kExtraZip64);
        Put16(out, 16);
        Put64(out, e.UncompressedSize);
        Put64(out, e.CompressedSize);
    }
    PutNtfsExtra(out, e);
    return out;
}

std::string CentralHeader(const TZipEntryRecord& e, const TZip64Thresholds& limits) {
    std::string zip64;
    if (limits.Exceeds(e.UncompressedSize)) Put64(zip64, e.UncompressedSize);
    if (limits.Exceeds(e.CompressedSize)) Put64(zip64, e.CompressedSize);
    if (limits.Exceeds(e.LocalHeaderOffset)) Put64(zip64, e.LocalHeaderOffset);

    std::string out;
    out.reserve(kCentralHeaderSize + e.Name.size() + 28 + 36);
    Put32(out, kCentralHeaderSignature);
    Put16(out, MadeBy(e, limits));
    Put16(out, VersionNeeded(e, limits));
    Put16(out, e.Flags);
    Put16(out, e.Method);
    Put16(out, e.DosTime);
    Put16(out, e.DosDate);
    Put32(out, e.Crc32);
    Put32(out, Field32(e.CompressedSize, limits));
    Put32(out, Field32(e.UncompressedSize, limits));
    Put16(out, uint16_t(e.Name.size()));
    const uint16_t extra = uint16_t((zip64.empty() ? 0 : 4 + zip64.size()) + (e.HasTimes ? 4 + kNtfsExtraSize : 0));
    Put16(out, extra);
    Put16(out, 0);  // comment length
    Put16(out, 0);  // disk number start
    Put16(out, e.InternalAttributes);
    Put32(out, e.ExternalAttributes);
    Put32(out, Field32(e.LocalHeaderOffset, limits));
    out += e.Name;
    if (!zip64.empty()) {
        Put16(out, kExtraZip64);
        Put16(out, uint16_t(zip64.size()));
        out += zip64;
    }
    PutNtfsExtra(out, e);
    return out;
}

std::string EndRecords(uint64_t entryCount, uint64_t directoryOffset, uint64_t directorySize,
                       const TZip64Thresholds& limits) {
    const bool manyEntries = entryCount >= limits.Count;
    const bool zip64 = manyEntries || limits.Exceeds(directoryOffset) || limits.Exceeds(directorySize);
    std::string out;
    if (zip64) {
        const uint64_t zip64EndOffset = directoryOffset + directorySize;
        Put32(out, kZip64EndRecordSignature);
        Put64(out, kZip64EndRecordSize - 12);  // the record's size after this field
        Put16(out, kVersionNeededZip64);       // made by (MS-DOS host)
        Put16(out, kVersionNeededZip64);
        Put32(out, 0);  // this disk
        Put32(out, 0);  // the disk with the central directory
        Put64(out, entryCount);
        Put64(out, entryCount);
        Put64(out, directorySize);
        Put64(out, directoryOffset);
        Put32(out, kZip64LocatorSignature);
        Put32(out, 0);  // the disk with the ZIP64 end record
        Put64(out, zip64EndOffset);
        Put32(out, 1);  // disks in all
    }
    const uint16_t count16 = manyEntries ? kMax16 : uint16_t(entryCount);
    Put32(out, kEndRecordSignature);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, count16);
    Put16(out, count16);
    Put32(out, Field32(directorySize, limits));
    Put32(out, Field32(directoryOffset, limits));
    Put16(out, 0);  // comment length
    return out;
}

std::string DataDescriptor(const TZipEntryRecord& e) {
    std::string out;
    Put32(out, kDataDescriptorSignature);
    Put32(out, e.Crc32);
    if (e.LocalZip64) {
        Put64(out, e.CompressedSize);
        Put64(out, e.UncompressedSize);
    } else {
        Put32(out, uint32_t(e.CompressedSize));
        Put32(out, uint32_t(e.UncompressedSize));
    }
    return out;
}

}  // namespace ZipHeaders
