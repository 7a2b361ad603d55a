// Adding to an existing archive copies its entries into the new one. Every
// entry of a (fuzzed) archive that the add library would copy must come
// out of the copy as it came out of the original: same name, times and
// sizes, and, where the original extracts, the same bytes.
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipExtractor.h"
#include "zipdll/core/ZipWriter.h"

namespace {

// Keeps what it is given, up to a limit.
class TKeepingSink : public IZipSink {
public:
    bool Write(const unsigned char* data, size_t size) override {
        if (Bytes.size() + size > kLimit) return false;
        Bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
    static constexpr size_t kLimit = 4 << 20;
    std::string Bytes;
};

TZipExtractResult Extract(IByteStream& archive, const TZipCentralEntry& entry, TKeepingSink& sink) {
    return ExtractZipEntry(archive, entry, entry.IsEncrypted() ? "password" : "", sink);
}

}  // namespace

int FuzzZipRewrite(const uint8_t* data, size_t size) {
    TMemoryByteStream original(std::string(reinterpret_cast<const char*>(data), size));
    const TZipCentralDirectory directory = ReadZipCentralDirectory(original);
    // The add library leaves an archive it cannot read whole, or whose
    // entries share bytes, as it is.
    if (!directory.Error.empty() || !FindOverlappingEntries(original, directory).empty()) return 0;

    TMemoryZipOutput output;
    TZipWriter writer(output);
    std::vector<const TZipCentralEntry*> copied;
    for (const TZipCentralEntry& entry : directory.Entries) {
        const TZipAddOutcome outcome = writer.CopyEntry(entry, original);
        if (outcome == TZipAddOutcome::Added)
            copied.push_back(&entry);
        else if (outcome != TZipAddOutcome::SourceFailed || writer.Error().empty())
            __builtin_trap();
    }
    if (!writer.Finish()) __builtin_trap();

    TMemoryByteStream rewritten(output.Bytes);
    const TZipCentralDirectory copy = ReadZipCentralDirectory(rewritten);
    if (!copy.Error.empty() || copy.Entries.size() != copied.size()) __builtin_trap();
    if (!FindOverlappingEntries(rewritten, copy).empty()) __builtin_trap();
    for (size_t i = 0; i < copied.size(); ++i) {
        const TZipCentralEntry& before = *copied[i];
        const TZipCentralEntry& after = copy.Entries[i];
        if (after.Name != before.Name || after.Method != before.Method || after.Crc32 != before.Crc32 ||
            after.CompressedSize != before.CompressedSize || after.UncompressedSize != before.UncompressedSize ||
            after.IsEncrypted() != before.IsEncrypted() || after.DosDate != before.DosDate ||
            after.DosTime != before.DosTime || after.ExternalAttributes != before.ExternalAttributes ||
            after.ModifiedTime != before.ModifiedTime)
            __builtin_trap();
        TKeepingSink was, is;
        const TZipExtractResult first = Extract(original, before, was);
        const TZipExtractResult second = Extract(rewritten, after, is);
        const bool extracted = first.Outcome == EZipExtractOutcome::Ok;
        if (extracted && (second.Outcome != EZipExtractOutcome::Ok || is.Bytes != was.Bytes)) __builtin_trap();
    }
    return 0;
}
