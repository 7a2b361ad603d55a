#include <string>

#include "FuzzTargets.h"
#include "NameChecks.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipExtractor.h"

namespace {

// Counts what it is given and keeps nothing. Stops taking bytes past a
// limit, so that an entry stating gigabytes costs no more than a few megabytes.
class TDiscardingSink : public IZipSink {
public:
    bool Write(const unsigned char*, size_t size) override {
        if (Written + size > kLimit) return false;
        Written += size;
        return true;
    }
    static constexpr uint64_t kLimit = 4 << 20;
    uint64_t Written = 0;
};

}  // namespace

int FuzzZipArchive(const uint8_t* data, size_t size) {
    TMemoryByteStream stream(std::string(reinterpret_cast<const char*>(data), size));
    const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    FindOverlappingEntries(stream, directory);
    for (const TZipCentralEntry& entry : directory.Entries) {
        FuzzNames::CheckEntryName(entry.Name);
        TDiscardingSink sink;
        uint64_t lastReport = 0;
        const TZipExtractResult result =
            ExtractZipEntry(stream, entry, entry.IsEncrypted() ? "password" : "", sink, [&](uint64_t written) {
                if (written < lastReport) __builtin_trap();
                lastReport = written;
                return true;
            });
        if (sink.Written != result.BytesWritten || sink.Written > entry.UncompressedSize) __builtin_trap();
        if (result.Outcome == EZipExtractOutcome::Ok && sink.Written != entry.UncompressedSize) __builtin_trap();
        // Nor more than the local header states, which is what the program totals.
        TZipLocalHeader local;
        std::string error;
        if (ReadZipLocalHeader(stream, entry, local, error) && !local.SizesFollowData &&
            sink.Written > local.UncompressedSize)
            __builtin_trap();
        ZipExtractMessage(result, entry.Name);
    }
    return 0;
}
