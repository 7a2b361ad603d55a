// The writer's archives read back: entries of any name, size and method,
// encrypted or not, placed across the ZIP64 thresholds (offsets past 4 GiB
// through the writer's start offset, sizes and counts through thresholds
// lowered for the test), must come back equal through the extractor's
// reader, and, from the start of a file, through the program's entry list.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "cleanup/ZipEntryList.h"
#include "platform/ByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipExtractor.h"
#include "zipdll/core/ZipWriter.h"

namespace {

// The written archive as a file: the bytes the writer skipped read as zeros.
class TSkippedStream : public IByteStream {
public:
    TSkippedStream(const std::string& bytes, uint64_t skipped) : Bytes(bytes), Skipped(skipped) {}
    int64_t Size() const override { return int64_t(Skipped + Bytes.size()); }
    int64_t Position() const override { return At; }
    bool Seek(int64_t position) override {
        if (position < 0 || position > Size()) return false;
        At = position;
        return true;
    }
    size_t Read(void* buffer, size_t count) override {
        auto* out = static_cast<char*>(buffer);
        const size_t taken = size_t(std::min<int64_t>(int64_t(count), Size() - At));
        const uint64_t at = uint64_t(At);
        const size_t zeros = at < Skipped ? size_t(std::min<uint64_t>(taken, Skipped - at)) : 0;
        std::memset(out, 0, zeros);
        if (taken > zeros) std::memcpy(out + zeros, Bytes.data() + (at + zeros - Skipped), taken - zeros);
        At += int64_t(taken);
        return taken;
    }

private:
    const std::string& Bytes;
    uint64_t Skipped;
    int64_t At = 0;
};

// Holds the entry's bytes against what was added, as they come.
class TComparingSink : public IZipSink {
public:
    explicit TComparingSink(const std::string& expected) : Expected(expected) {}
    bool Write(const unsigned char* data, size_t size) override {
        if (size > Expected.size() - Written) __builtin_trap();
        if (Expected.compare(Written, size, reinterpret_cast<const char*>(data), size) != 0) __builtin_trap();
        Written += size;
        return true;
    }
    const std::string& Expected;
    size_t Written = 0;
};

struct TAdded {
    std::string Name;
    std::string Data;
    uint64_t ModifiedTime = 0;
};

// Past the writer's chunk, so that files stream; no further, as every byte
// costs time that other inputs could use.
constexpr size_t kFileLimit = TZipWriter::kChunkSize + 64 * 1024;
constexpr size_t kTotalLimit = 2 * kFileLimit;

// A run of the input, repeated: large files from small inputs, compressible
// or not, to reach the writer's streamed path beyond its chunk size.
std::string FileData(TFuzzInput& input, size_t room) {
    const std::string unit = input.Counted(true);
    const uint8_t repeat = input.Byte();
    const size_t copies = repeat < 0xF0 ? 1 : size_t(repeat - 0xEF) * 1000;
    std::string data;
    for (size_t i = 0; i < copies && !unit.empty() && data.size() + unit.size() <= std::min(room, kFileLimit); ++i)
        data += unit;
    return data;
}

}  // namespace

int FuzzZipRoundTrip(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const uint8_t placing = input.Byte();
    const uint64_t startOffsets[] = {0, 0xFFFFFFFFull - 200, 0xFFFFFFFFull + 1, 5ull << 30};
    const uint64_t start = startOffsets[placing & 3];
    TZip64Thresholds limits;
    if (const uint8_t value = input.Byte()) limits.Value = value == 0xFF ? 0 : uint64_t(value) * 16;
    if (const uint8_t count = input.Byte()) limits.Count = count % 8;
    const uint8_t level = input.Byte();
    const bool encrypt = (level & 0x80) != 0;
    const std::string password = encrypt ? "pw" + input.Counted() : std::string();
    uint32_t seed = 0x9E3779B9u ^ placing;

    TMemoryZipOutput output(start);
    TZipWriter writer(output, start);
    writer.SetLevel(level % 10);
    writer.SetZip64Thresholds(limits);
    if (encrypt)
        writer.SetPassword(password, [&seed](unsigned char* bytes, size_t count) {
            for (size_t i = 0; i < count; ++i) bytes[i] = (unsigned char)((seed = seed * 1664525u + 1013904223u) >> 24);
        });
    std::vector<TAdded> added;
    size_t total = 0;
    while (!input.Empty() && added.size() < 40) {
        const uint8_t kind = input.Byte();
        TZipNewEntry entry;
        entry.Name = input.Counted();
        entry.DosDate = input.Short();
        entry.DosTime = input.Short();
        if (kind & 4) {
            entry.HasTimes = true;
            const uint64_t high = input.Short();
            entry.ModifiedTime = high << 40 | input.Short();
            entry.CreatedTime = input.Short();
        }
        if (kind & 1) {
            if (writer.AddFolder(entry) != TZipAddOutcome::Added) __builtin_trap();
            std::string name = entry.Name;
            if (name.empty() || name.back() != '/') name.push_back('/');
            added.push_back({name, "", entry.ModifiedTime});
            continue;
        }
        std::string contents = FileData(input, kTotalLimit - total);
        total += contents.size();
        // A file listed near 4 GiB gets ZIP64 sizes in its local header
        // (now and then: the writer then reads it in whole chunks).
        entry.ExpectedSize = (kind & 0x1A) == 0x02 ? 0xFFFFFFFFull - 100 : contents.size();
        TMemoryZipSource source(contents);
        const TZipAddOutcome outcome = writer.AddFile(entry, source);
        if (entry.Name.empty()) {
            if (outcome != TZipAddOutcome::SourceFailed) __builtin_trap();
            continue;
        }
        if (outcome != TZipAddOutcome::Added) __builtin_trap();
        added.push_back({entry.Name, std::move(contents), entry.ModifiedTime});
    }
    if (!writer.Finish()) __builtin_trap();

    TSkippedStream archive(output.Bytes, start);
    const TZipCentralDirectory directory = ReadZipCentralDirectory(archive);
    if (!directory.Error.empty() || directory.Entries.size() != added.size()) __builtin_trap();
    if (!FindOverlappingEntries(archive, directory).empty()) __builtin_trap();
    for (size_t i = 0; i < added.size(); ++i) {
        const TZipCentralEntry& entry = directory.Entries[i];
        if (entry.Name != added[i].Name || entry.UncompressedSize != added[i].Data.size() ||
            entry.ModifiedTime != added[i].ModifiedTime ||
            entry.LocalHeaderOffset != writer.Entries()[i].LocalHeaderOffset)
            __builtin_trap();
        TComparingSink sink(added[i].Data);
        const TZipExtractResult result = ExtractZipEntry(archive, entry, entry.IsEncrypted() ? password : "", sink);
        if (result.Outcome != EZipExtractOutcome::Ok || sink.Written != added[i].Data.size()) __builtin_trap();
    }
    // The program's own reading of the local headers sees the same entries.
    if (start == 0 && !added.empty()) {
        const TZipEntryList list = ReadZipEntryList(archive, false);
        if (!list.Message.empty() || list.Entries.size() != added.size()) __builtin_trap();
        for (size_t i = 0; i < added.size(); ++i)
            if (list.Entries[i].Name != added[i].Name || list.Entries[i].UncompressedSize != added[i].Data.size())
                __builtin_trap();
    }
    return 0;
}
