#include "cleanup/ZipEntryList.h"

#include <algorithm>

#include "platform/ByteStream.h"
#include "zipdll/core/ZipFormat.h"

namespace {

using ZipFormat::Get16;
using ZipFormat::Get32;
using ZipFormat::Get64;
constexpr uint32_t kLocalHeader = ZipFormat::kLocalHeaderSignature;
constexpr uint32_t kCentralHeader = ZipFormat::kCentralHeaderSignature;
constexpr uint32_t kEndRecord = ZipFormat::kEndRecordSignature;
constexpr size_t kHeaderSize = ZipFormat::kLocalHeaderSize - 4;
constexpr int64_t kEndRecordSize = ZipFormat::kEndRecordSize;

constexpr uint32_t kSizeInZip64Extra = 0xFFFFFFFFu;
constexpr uint16_t kZip64ExtraTag = ZipFormat::kExtraZip64;

// A local header of a file of 4 GiB or more keeps both sizes in the ZIP64
// extra field, uncompressed first, in place of the 32-bit ones.
void ApplyZip64Sizes(TZipEntry& entry, const std::string& extra) {
    const bool uncompressed = entry.UncompressedSize == kSizeInZip64Extra;
    const bool compressed = entry.CompressedSize == kSizeInZip64Extra;
    if (!uncompressed && !compressed) return;
    const auto* bytes = reinterpret_cast<const uint8_t*>(extra.data());
    for (size_t at = 0; at + 4 <= extra.size();) {
        const uint16_t tag = Get16(bytes + at);
        const size_t length = Get16(bytes + at + 2);
        const size_t data = at + 4;
        if (data + length > extra.size()) return;
        if (tag == kZip64ExtraTag) {
            size_t field = data;
            if (uncompressed && field + 8 <= data + length) {
                entry.UncompressedSize = Get64(bytes + field);
                field += 8;
            }
            if (compressed && field + 8 <= data + length) entry.CompressedSize = Get64(bytes + field);
            return;
        }
        at = data + length;
    }
}

TZipEntry EntryOf(const uint8_t* header) {
    TZipEntry entry;
    entry.VersionNeeded = Get16(header);
    entry.Flags = Get16(header + 2);
    entry.Method = Get16(header + 4);
    entry.Time = Get16(header + 6);
    entry.Date = Get16(header + 8);
    entry.Crc32 = Get32(header + 10);
    entry.CompressedSize = Get32(header + 14);
    entry.UncompressedSize = Get32(header + 18);
    entry.NameLength = Get16(header + 22);
    entry.ExtraLength = Get16(header + 24);
    return entry;
}

// Looks for "PK\3\4" one byte at a time from the stream's position, within
// what is left of the search's budget. True with the stream just past the
// signature.
bool FindLocalHeader(IByteStream& archive, int64_t& budget) {
    static const uint8_t kSignature[] = {'P', 'K', 3, 4};
    while (budget > 0) {
        const int64_t start = archive.Position();
        uint8_t bytes[4];
        if (archive.Read(bytes, 4) != 4) return false;
        if (bytes[0] == kSignature[0] && bytes[1] == kSignature[1] && bytes[2] == kSignature[2] &&
            bytes[3] == kSignature[3])
            return true;
        --budget;
        if (!archive.Seek(start + 1)) return false;
    }
    return false;
}

}  // namespace

TZipEntryList ReadZipEntryList(IByteStream& archive, bool selfExtractor) {
    TZipEntryList list;
    const int64_t size = archive.Size();
    int64_t budget = kHeaderSearchLimit;
    if (!archive.Seek(selfExtractor ? kSelfExtractorSkip : 0) || !FindLocalHeader(archive, budget)) {
        list.Message = kNoValidZipEntries;
        return list;
    }
    uint32_t signature = kLocalHeader;
    for (;;) {
        if (signature == kCentralHeader || signature == kEndRecord) return list;
        if (signature == kLocalHeader) {
            const int64_t headerStart = archive.Position() - 4;
            uint8_t header[kHeaderSize] = {};
            bool whole = archive.Read(header, kHeaderSize) == kHeaderSize;
            TZipEntry entry = EntryOf(header);
            if (whole) {
                entry.Name.resize(entry.NameLength);
                whole = archive.Read(&entry.Name[0], entry.NameLength) == entry.NameLength;
            }
            const int64_t extraStart = archive.Position();
            if (whole) {
                std::string extra(entry.ExtraLength, '\0');
                extra.resize(archive.Read(&extra[0], extra.size()));
                ApplyZip64Sizes(entry, extra);
            }
            // Sizes from a ZIP64 field can be anything: a size beyond the file is no header.
            const int64_t room = size - (extraStart + entry.ExtraLength);
            const bool fits = whole && entry.CompressedSize <= uint64_t(std::max<int64_t>(room, 0)) &&
                              extraStart + entry.ExtraLength + int64_t(entry.CompressedSize) <= size - kEndRecordSize;
            if (!fits) {
                if (!list.Entries.empty()) {
                    list.Message = whole ? "Error 3 reading Zip file" : "Error 2 reading Zip file";
                    return list;
                }
                // Not a header after all: look again from the byte after it.
                if (!archive.Seek(headerStart + 1) || !FindLocalHeader(archive, budget)) {
                    list.Message = kNoValidZipEntries;
                    return list;
                }
                continue;
            }
            const int64_t extraEnd = extraStart + entry.ExtraLength;
            if (!archive.Seek(extraEnd)) {
                list.Message = "Error 4 reading Zip file";
                return list;
            }
            if (!archive.Seek(extraEnd + int64_t(entry.CompressedSize))) {
                list.Message = "Error 5 reading Zip file";
                return list;
            }
            list.Entries.push_back(std::move(entry));
        }
        uint8_t bytes[4];
        if (archive.Read(bytes, 4) != 4) {
            list.Message = "Error reading Zip File";
            return list;
        }
        signature = Get32(bytes);
    }
}
