#include "cleanup/ZipEntryList.h"

#include "platform/ByteStream.h"

namespace {

constexpr uint32_t kLocalHeader = 0x04034B50;
constexpr uint32_t kCentralHeader = 0x02014B50;
constexpr uint32_t kEndRecord = 0x06054B50;
constexpr size_t kHeaderSize = 26;
constexpr int64_t kEndRecordSize = 22;

uint16_t Word(const uint8_t* bytes) { return uint16_t(bytes[0] | bytes[1] << 8); }
uint32_t Long(const uint8_t* bytes) { return uint32_t(Word(bytes)) | uint32_t(Word(bytes + 2)) << 16; }

TZipEntry EntryOf(const uint8_t* header) {
    TZipEntry entry;
    entry.VersionNeeded = Word(header);
    entry.Flags = Word(header + 2);
    entry.Method = Word(header + 4);
    entry.Time = Word(header + 6);
    entry.Date = Word(header + 8);
    entry.Crc32 = Long(header + 10);
    entry.CompressedSize = Long(header + 14);
    entry.UncompressedSize = Long(header + 18);
    entry.NameLength = Word(header + 22);
    entry.ExtraLength = Word(header + 24);
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
        list.Message = "No valid zip entries found";
        return list;
    }
    uint32_t signature = kLocalHeader;
    for (;;) {
        if (signature == kCentralHeader || signature == kEndRecord) return list;
        if (signature == kLocalHeader) {
            const int64_t headerStart = archive.Position() - 4;
            uint8_t header[kHeaderSize];
            bool whole = archive.Read(header, kHeaderSize) == kHeaderSize;
            TZipEntry entry = EntryOf(header);
            if (whole) {
                entry.Name.resize(entry.NameLength);
                whole = archive.Read(&entry.Name[0], entry.NameLength) == entry.NameLength;
            }
            const int64_t dataEnd = headerStart + 4 + int64_t(kHeaderSize) + entry.NameLength + entry.ExtraLength +
                                    int64_t(entry.CompressedSize);
            const bool fits = whole && dataEnd <= size - kEndRecordSize;
            if (!fits) {
                if (!list.Entries.empty()) {
                    list.Message = whole ? "Error 3 reading Zip file" : "Error 2 reading Zip file";
                    return list;
                }
                // Not a header after all: look again from the byte after it.
                if (!archive.Seek(headerStart + 1) || !FindLocalHeader(archive, budget)) {
                    list.Message = "No valid zip entries found";
                    return list;
                }
                continue;
            }
            const int64_t extraEnd = archive.Position() + entry.ExtraLength;
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
        signature = Long(bytes);
    }
}
