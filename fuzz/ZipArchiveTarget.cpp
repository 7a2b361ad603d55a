#include <string>

#include "FuzzTargets.h"
#include "platform/memory/MemoryByteStream.h"
#include "zipdll/core/ZipCentralDirectory.h"
#include "zipdll/core/ZipEntryName.h"
#include "zipdll/core/ZipExtractor.h"

namespace {

// Counts what it is given and keeps nothing.
class TDiscardingSink : public IZipSink {
public:
    bool Write(const unsigned char*, size_t size) override {
        Written += size;
        return true;
    }
    uint64_t Written = 0;
};

// A refused name must yield no path, and a path must never step outside.
void CheckName(const std::string& name) {
    for (bool keepFolders : {true, false}) {
        const TZipEntryName parsed = ParseZipEntryName(name, keepFolders);
        if (parsed.Refused() && !parsed.Path.empty()) __builtin_trap();
        if (parsed.Refused()) continue;
        if (parsed.Components.empty()) __builtin_trap();
        for (const std::string& component : parsed.Components)
            if (component.empty() || component == "." || component == ".." ||
                component.find_first_of("/\\:") != std::string::npos)
                __builtin_trap();
    }
}

}  // namespace

int FuzzZipArchive(const uint8_t* data, size_t size) {
    TMemoryByteStream stream(std::string(reinterpret_cast<const char*>(data), size));
    const TZipCentralDirectory directory = ReadZipCentralDirectory(stream);
    for (const TZipCentralEntry& entry : directory.Entries) {
        CheckName(entry.Name);
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
        ZipExtractMessage(result, entry.Name);
    }
    return 0;
}
