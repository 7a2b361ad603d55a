#include "ZipCentralDirectory.h"

#include <algorithm>
#include <cstdint>
#include <zlib.h>

#include "ZipExtractRules.h"
#include "ZipFormat.h"
#include "platform/ByteStream.h"

using namespace ZipFormat;

namespace {

// The Info-ZIP extra field that carries a UTF-8 copy of a name stored in
// the local character set, with the CRC-32 of the stored name.
constexpr uint16_t kExtraUnicodePath = 0x7075;
// Info-ZIP's extended timestamp: flags, then Unix times; the central
// directory's copy holds only the modification time.
constexpr uint16_t kExtraUnixTimes = 0x5455;
constexpr uint16_t kNtfsTimesTag = 0x0001;
constexpr uint16_t kNtfsTimesSize = 24;
constexpr uint8_t kHostUnix = 3;

// The end record's fields, widened to what ZIP64 can say.
struct TEndRecord {
    int64_t Position = 0;  // of the (32-bit) end record
    uint32_t DiskNumber = 0;
    uint32_t DirectoryDisk = 0;
    uint64_t EntryCount = 0;
    uint64_t DirectorySize = 0;
    uint64_t DirectoryOffset = 0;
    // Where the records after the central directory begin: the ZIP64 end
    // record when there is one, else the end record.
    int64_t DirectoryLimit = 0;
    bool Zip64 = false;
};

bool ReadAt(IByteStream& archive, int64_t position, void* buffer, size_t count) {
    return position >= 0 && archive.Seek(position) && archive.Read(buffer, count) == count;
}

// a + b <= limit without overflow; all three are non-negative.
bool FitsWithin(uint64_t a, uint64_t b, uint64_t limit) { return a <= limit && b <= limit - a; }

bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char c = (unsigned char)text[i];
        size_t follow = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (n - i <= follow) return false;
        for (size_t k = 1; k <= follow; ++k) {
            const unsigned char f = (unsigned char)text[i + k];
            if ((f & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (f & 0x3F);
        }
        static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[follow] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += follow + 1;
    }
    return true;
}

// Searches the last 64 KB and 22 bytes of the archive, from the end, for an
// end record whose comment fits in what follows it.
bool FindEndRecord(IByteStream& archive, TEndRecord& end, std::string& error) {
    const int64_t size = archive.Size();
    if (size < int64_t(kEndRecordSize)) {
        error = "The file is too short to be a zip archive";
        return false;
    }
    const int64_t tailSize = std::min<int64_t>(size, int64_t(kMaxCommentSize) + kEndRecordSize);
    const int64_t tailStart = size - tailSize;
    std::string tail(size_t(tailSize), '\0');
    if (!ReadAt(archive, tailStart, &tail[0], tail.size())) {
        error = "The end of the zip archive cannot be read";
        return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(tail.data());
    // A record whose comment ends with the file wins over one that a
    // comment merely contains; failing that, tools that leave bytes after
    // the comment are read from the last record that fits.
    int64_t found = -1;
    for (int64_t at = tailSize - kEndRecordSize; at >= 0; --at) {
        const unsigned char* p = bytes + at;
        if (Get32(p) != kEndRecordSignature) continue;
        const int64_t commentEnd = at + int64_t(kEndRecordSize) + Get16(p + 20);
        if (commentEnd > tailSize) continue;
        if (found < 0) found = at;
        if (commentEnd == tailSize) {
            found = at;
            break;
        }
    }
    if (found >= 0) {
        const unsigned char* p = bytes + found;
        end.Position = tailStart + found;
        end.DiskNumber = Get16(p + 4);
        end.DirectoryDisk = Get16(p + 6);
        end.EntryCount = Get16(p + 10);
        end.DirectorySize = Get32(p + 12);
        end.DirectoryOffset = Get32(p + 16);
        end.DirectoryLimit = end.Position;
        return true;
    }
    error = "The file is not a zip archive (no end of central directory record)";
    return false;
}

// Applies the ZIP64 end record that the locator just before the end record
// points to. An archive whose end record needs ZIP64 values but has no
// readable ZIP64 record is refused; one that needs none ignores a locator
// that leads nowhere.
bool ReadZip64End(IByteStream& archive, TEndRecord& end, std::string& error) {
    const bool needed = end.EntryCount == kMax16 || end.DirectorySize == kMax32 || end.DirectoryOffset == kMax32 ||
                        end.DiskNumber == kMax16 || end.DirectoryDisk == kMax16;
    unsigned char locator[kZip64LocatorSize];
    const int64_t locatorAt = end.Position - int64_t(kZip64LocatorSize);
    if (locatorAt < 0 || !ReadAt(archive, locatorAt, locator, sizeof locator) ||
        Get32(locator) != kZip64LocatorSignature) {
        if (needed) error = "The zip archive's ZIP64 end record is missing";
        return !needed;
    }
    const uint64_t recordAt = Get64(locator + 8);
    unsigned char record[kZip64EndRecordSize];
    if (recordAt > uint64_t(locatorAt) || uint64_t(locatorAt) - recordAt < kZip64EndRecordSize ||
        !ReadAt(archive, int64_t(recordAt), record, sizeof record) || Get32(record) != kZip64EndRecordSignature) {
        // Without a record behind them, the four bytes are the end of the
        // last directory entry (a name, field or comment that happens to
        // hold them); an end record that needs no ZIP64 values stands alone.
        if (!needed) return true;
        error = "The zip archive's ZIP64 end record cannot be found";
        return false;
    }
    end.Zip64 = true;
    end.DiskNumber = Get32(record + 16);
    end.DirectoryDisk = Get32(record + 20);
    end.EntryCount = Get64(record + 32);
    end.DirectorySize = Get64(record + 40);
    end.DirectoryOffset = Get64(record + 48);
    end.DirectoryLimit = int64_t(recordAt);
    return true;
}

// The central directory lies just before the records that end the archive.
// When its stated offset is off by the size of data put in front of the
// archive (a self-extractor's program), the offsets of the local headers
// are off by as much.
bool PlaceDirectory(IByteStream& archive, const TEndRecord& end, uint64_t& directoryAt, int64_t& bias,
                    std::string& error) {
    const uint64_t limit = uint64_t(end.DirectoryLimit);
    if (end.DirectorySize > limit) {
        error = "The zip archive's central directory is larger than the archive";
        return false;
    }
    const uint64_t expectedAt = limit - end.DirectorySize;
    bias = 0;
    directoryAt = end.DirectoryOffset;
    if (directoryAt == expectedAt) return true;
    unsigned char signature[4];
    const auto isDirectoryAt = [&](uint64_t at) {
        if (end.EntryCount == 0) return end.DirectorySize == 0;
        return ReadAt(archive, int64_t(at), signature, 4) && Get32(signature) == kCentralHeaderSignature;
    };
    if (FitsWithin(directoryAt, end.DirectorySize, limit) && isDirectoryAt(directoryAt)) return true;
    if (expectedAt > directoryAt && isDirectoryAt(expectedAt)) {
        bias = int64_t(expectedAt - directoryAt);
        directoryAt = expectedAt;
        return true;
    }
    error = "The zip archive's central directory is not where its end record says";
    return false;
}

// The ZIP64 extra field holds, in this order, only those values whose
// header field is saturated.
bool ApplyZip64Extra(const unsigned char* data, size_t size, uint16_t diskStart, TZipCentralEntry& entry) {
    size_t at = 0;
    const auto take = [&](uint64_t& value) {
        if (size - at < 8) return false;
        value = Get64(data + at);
        at += 8;
        return true;
    };
    if (entry.UncompressedSize == kMax32 && !take(entry.UncompressedSize)) return false;
    if (entry.CompressedSize == kMax32 && !take(entry.CompressedSize)) return false;
    if (entry.LocalHeaderOffset == kMax32 && !take(entry.LocalHeaderOffset)) return false;
    return diskStart != kMax16 || size - at >= 4;
}

void ApplyNtfsExtra(const unsigned char* data, size_t size, TZipCentralEntry& entry) {
    size_t at = 4;  // reserved
    while (size >= 4 && at <= size - 4) {
        const uint16_t tag = Get16(data + at);
        const uint16_t length = Get16(data + at + 2);
        at += 4;
        if (length > size - at) return;
        if (tag == kNtfsTimesTag && length >= kNtfsTimesSize) {
            entry.ModifiedTime = Get64(data + at);
            entry.AccessedTime = Get64(data + at + 8);
            entry.CreatedTime = Get64(data + at + 16);
        }
        at += length;
    }
}

// The UTF-8 name of the Unicode path field, when it belongs to the stored name.
bool UnicodePathOf(const unsigned char* data, size_t size, const std::string& rawName, std::string& name) {
    if (size < 5 || data[0] != 1) return false;
    const uint32_t crc = uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(rawName.data()), uInt(rawName.size())));
    if (Get32(data + 1) != crc) return false;
    std::string given(reinterpret_cast<const char*>(data + 5), size - 5);
    if (!IsValidUtf8(given)) return false;
    name = std::move(given);
    return true;
}

// Walks the extra fields of one central header. False when the ZIP64 field
// lacks a value the header says it holds.
bool ApplyExtraFields(const unsigned char* extra, size_t size, uint16_t diskStart, TZipCentralEntry& entry,
                      std::string& unicodeName) {
    bool zip64Seen = false;
    uint64_t unixModified = 0;
    size_t at = 0;
    while (size >= 4 && at <= size - 4) {
        const uint16_t tag = Get16(extra + at);
        const uint16_t length = Get16(extra + at + 2);
        at += 4;
        if (length > size - at) break;  // a damaged tail of extra fields: what came before still counts
        const unsigned char* data = extra + at;
        if (tag == kExtraZip64 && !zip64Seen) {
            zip64Seen = true;
            if (!ApplyZip64Extra(data, length, diskStart, entry)) return false;
        } else if (tag == kExtraNtfs) {
            ApplyNtfsExtra(data, length, entry);
        } else if (tag == kExtraUnicodePath) {
            UnicodePathOf(data, length, entry.RawName, unicodeName);
        } else if (tag == kExtraUnixTimes && length >= 5 && (data[0] & 1)) {
            unixModified = UnixTimeToFiletime(int32_t(Get32(data + 1)));
        }
        at += length;
    }
    // The NTFS times are the precise ones; Unix tools give only the modification time.
    if (entry.ModifiedTime == 0) entry.ModifiedTime = unixModified;
    if (zip64Seen) return true;
    return entry.UncompressedSize != kMax32 && entry.CompressedSize != kMax32 && entry.LocalHeaderOffset != kMax32;
}

// Names carry bit 11 when they are UTF-8. Without it they are in code page
// 437, except that Unix tools store the system's names as they are, which
// today means UTF-8.
std::string NameOf(const TZipCentralEntry& entry, const std::string& unicodeName) {
    if (entry.Flags & kFlagUtf8) return entry.RawName;
    if (!unicodeName.empty()) return unicodeName;
    if (IsPlainAscii(entry.RawName)) return entry.RawName;
    if ((entry.VersionMadeBy >> 8) == kHostUnix && IsValidUtf8(entry.RawName)) return entry.RawName;
    return Cp437ToUtf8(entry.RawName);
}

std::string EntryError(size_t index, const char* what) {
    return "The zip archive's central directory is damaged at entry " + std::to_string(index + 1) + ": " + what;
}

// Reads the headers from the directory's bytes; false with the reason at
// the first one that cannot be read.
bool ReadHeaders(const std::string& directory, uint64_t declaredCount, int64_t bias, TZipCentralDirectory& result) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(directory.data());
    const size_t size = directory.size();
    // Every header takes at least 46 bytes, which bounds what a lying count may reserve.
    result.Entries.reserve(size_t(std::min<uint64_t>(declaredCount, size / kCentralHeaderSize)));
    size_t at = 0;
    while (size - at >= 4 && Get32(bytes + at) == kCentralHeaderSignature) {
        const size_t index = result.Entries.size();
        if (size - at < kCentralHeaderSize) {
            result.Error = EntryError(index, "the header is cut short");
            return false;
        }
        const unsigned char* p = bytes + at;
        const size_t nameLength = Get16(p + 28);
        const size_t extraLength = Get16(p + 30);
        const size_t commentLength = Get16(p + 32);
        if (size - at - kCentralHeaderSize < nameLength + extraLength + commentLength) {
            result.Error = EntryError(index, "the name or extra fields run past the directory");
            return false;
        }
        TZipCentralEntry entry;
        entry.VersionMadeBy = Get16(p + 4);
        entry.VersionNeeded = Get16(p + 6);
        entry.Flags = Get16(p + 8);
        entry.Method = Get16(p + 10);
        entry.DosTime = Get16(p + 12);
        entry.DosDate = Get16(p + 14);
        entry.Crc32 = Get32(p + 16);
        entry.CompressedSize = Get32(p + 20);
        entry.UncompressedSize = Get32(p + 24);
        const uint16_t diskStart = Get16(p + 34);
        entry.InternalAttributes = Get16(p + 36);
        entry.ExternalAttributes = Get32(p + 38);
        entry.LocalHeaderOffset = Get32(p + 42);
        entry.RawName.assign(reinterpret_cast<const char*>(p + kCentralHeaderSize), nameLength);
        std::string unicodeName;
        if (!ApplyExtraFields(p + kCentralHeaderSize + nameLength, extraLength, diskStart, entry, unicodeName)) {
            result.Error = EntryError(index, "a ZIP64 value is missing");
            return false;
        }
        if (entry.LocalHeaderOffset > uint64_t(INT64_MAX - bias)) {
            result.Error = EntryError(index, "the local header offset is out of range");
            return false;
        }
        entry.LocalHeaderOffset += uint64_t(bias);
        entry.Name = NameOf(entry, unicodeName);
        result.Entries.push_back(std::move(entry));
        at += kCentralHeaderSize + nameLength + extraLength + commentLength;
    }
    const uint64_t found = result.Entries.size();
    // Tools that write more than 65,535 entries without ZIP64 keep only the
    // count's low 16 bits.
    if (found != declaredCount && (declaredCount > kMax16 || (found & kMax16) != declaredCount)) {
        result.Error = "The zip archive's central directory holds " + std::to_string(found) +
                       " entries where its end record says " + std::to_string(declaredCount);
        return false;
    }
    return true;
}

}  // namespace

TZipCentralDirectory ReadZipCentralDirectory(IByteStream& archive) {
    TZipCentralDirectory result;
    TEndRecord end;
    if (!FindEndRecord(archive, end, result.Error) || !ReadZip64End(archive, end, result.Error)) return result;
    if (end.DiskNumber != 0 || end.DirectoryDisk != 0) {
        result.Error = "Archives split over several disks are not supported";
        return result;
    }
    uint64_t directoryAt = 0;
    int64_t bias = 0;
    if (!PlaceDirectory(archive, end, directoryAt, bias, result.Error)) return result;
    result.DirectoryOffset = directoryAt;
    result.DirectorySize = end.DirectorySize;
    std::string directory(size_t(end.DirectorySize), '\0');
    if (!directory.empty() && !ReadAt(archive, int64_t(directoryAt), &directory[0], directory.size())) {
        result.Error = "The zip archive's central directory cannot be read";
        return result;
    }
    ReadHeaders(directory, end.EntryCount, bias, result);
    return result;
}

bool ReadZipLocalHeader(IByteStream& archive, const TZipCentralEntry& entry, TZipLocalHeader& local,
                        std::string& error) {
    const int64_t size = archive.Size();
    unsigned char header[kLocalHeaderSize];
    if (entry.LocalHeaderOffset > uint64_t(size) ||
        !ReadAt(archive, int64_t(entry.LocalHeaderOffset), header, sizeof header) ||
        Get32(header) != kLocalHeaderSignature) {
        error = "The local header of " + entry.Name + " is missing";
        return false;
    }
    const uint16_t nameLength = Get16(header + 26);
    const uint16_t extraLength = Get16(header + 28);
    const uint64_t start = entry.LocalHeaderOffset + kLocalHeaderSize + nameLength + extraLength;
    if (!FitsWithin(start, entry.CompressedSize, uint64_t(size))) {
        error = "The data of " + entry.Name + " lies beyond the end of the archive";
        return false;
    }
    local.DataStart = start;
    local.SizesFollowData = (Get16(header + 6) & kFlagDataDescriptor) != 0;
    local.CompressedSize = Get32(header + 18);
    local.UncompressedSize = Get32(header + 22);
    if (local.CompressedSize != kMax32 && local.UncompressedSize != kMax32) return true;
    // The ZIP64 field holds the saturated sizes, uncompressed first.
    std::string extra(extraLength, '\0');
    if (extraLength &&
        !ReadAt(archive, int64_t(entry.LocalHeaderOffset + kLocalHeaderSize + nameLength), &extra[0], extra.size())) {
        error = "The local header of " + entry.Name + " cannot be read";
        return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(extra.data());
    for (size_t at = 0; extra.size() >= 4 && at <= extra.size() - 4;) {
        const uint16_t tag = Get16(bytes + at);
        const size_t length = Get16(bytes + at + 2);
        const size_t field = at + 4;
        if (length > extra.size() - field) break;
        if (tag == kExtraZip64) {
            size_t next = field;
            if (local.UncompressedSize == kMax32 && length - (next - field) >= 8) {
                local.UncompressedSize = Get64(bytes + next);
                next += 8;
            }
            if (local.CompressedSize == kMax32 && length - (next - field) >= 8)
                local.CompressedSize = Get64(bytes + next);
            break;
        }
        at = field + length;
    }
    return true;
}

bool LocateEntryData(IByteStream& archive, const TZipCentralEntry& entry, uint64_t& dataStart, std::string& error) {
    TZipLocalHeader local;
    if (!ReadZipLocalHeader(archive, entry, local, error)) return false;
    dataStart = local.DataStart;
    return true;
}

std::string FindOverlappingEntries(IByteStream& archive, const TZipCentralDirectory& directory) {
    constexpr size_t kDirectory = SIZE_MAX;
    struct TSpan {
        uint64_t Start, End;
        size_t Entry;  // kDirectory for the central directory
    };
    std::vector<TSpan> spans;
    spans.reserve(directory.Entries.size() + 1);
    if (directory.DirectorySize > 0)
        spans.push_back({directory.DirectoryOffset, directory.DirectoryOffset + directory.DirectorySize, kDirectory});
    for (size_t i = 0; i < directory.Entries.size(); ++i) {
        const TZipCentralEntry& entry = directory.Entries[i];
        TZipLocalHeader local;
        std::string unreadable;
        if (!ReadZipLocalHeader(archive, entry, local, unreadable)) continue;
        spans.push_back({entry.LocalHeaderOffset, local.DataStart + entry.CompressedSize, i});
    }
    std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) {
        if (a.Start != b.Start) return a.Start < b.Start;
        return a.End != b.End ? a.End < b.End : a.Entry < b.Entry;
    });
    // Sorted by start, a span overlaps an earlier one exactly when it starts
    // before the furthest end seen so far.
    const TSpan* furthest = nullptr;
    for (const TSpan& span : spans) {
        if (furthest && span.Start < furthest->End) {
            // Named in the archive's order; the directory comes after every entry.
            const size_t first = std::min(span.Entry, furthest->Entry), second = std::max(span.Entry, furthest->Entry);
            const std::string& firstName = directory.Entries[first].Name;
            if (second == kDirectory) return "its entry " + firstName + " runs into its central directory";
            return "its entries " + firstName + " and " + directory.Entries[second].Name + " share bytes";
        }
        if (!furthest || span.End > furthest->End) furthest = &span;
    }
    return "";
}
