#pragma once
// Writes a ZIP archive entry by entry: stored or deflated files (zlib, raw
// deflate), folder entries, traditional encryption, raw copies of another
// archive's entries, then the central directory. No data descriptors: every
// local header carries its entry's CRC and sizes, so readers that walk the
// local headers see the whole archive.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ZipEntryCompressor.h"
#include "ZipHeaderWriter.h"
#include "ZipOutput.h"

class IByteStream;
struct TZipCentralEntry;

// The bytes of one file to add.
class IZipSource {
public:
    virtual ~IZipSource() = default;
    // Reads up to `count` bytes; `got` is 0 at the end. False on a read error.
    virtual bool Read(void* buffer, size_t count, size_t& got) = 0;
    // Back to the first byte, for an encrypted entry's second pass.
    virtual bool Rewind() = 0;
};

// A source over bytes in memory.
class TMemoryZipSource : public IZipSource {
public:
    explicit TMemoryZipSource(std::string bytes) : Bytes(std::move(bytes)) {}
    bool Read(void* buffer, size_t count, size_t& got) override;
    bool Rewind() override {
        At = 0;
        return true;
    }

private:
    std::string Bytes;
    size_t At = 0;
};

// What the caller knows of a new entry before its bytes are read.
struct TZipNewEntry {
    std::string Name;         // UTF-8 with "/" separators; a folder's ends in "/"
    uint16_t DosDate = 0x21;  // 1980-01-01
    uint16_t DosTime = 0;
    uint32_t Attributes = 0;  // DOS attributes (0x10 for a folder)
    bool HasTimes = false;    // FILETIME units, for the NTFS extra field
    uint64_t ModifiedTime = 0;
    uint64_t AccessedTime = 0;
    uint64_t CreatedTime = 0;
    // The size the file had when listed; a size near 4 GiB or above makes
    // the local header hold ZIP64 sizes.
    uint64_t ExpectedSize = 0;
};

enum class TZipAddOutcome {
    Added,
    SourceFailed,  // the entry was left out (Error() says why); the archive goes on
    Stopped,       // the progress function asked to stop; the entry was left out
    OutputFailed,  // the archive cannot be written any further
};

class TZipWriter {
public:
    // Called with the number of input bytes just consumed; false stops.
    using TProgress = std::function<bool(size_t bytes)>;
    using TRandom = TZipRandom;

    static constexpr size_t kChunkSize = 256 * 1024;

    explicit TZipWriter(IZipOutput& output, uint64_t startOffset = 0);
    ~TZipWriter();
    TZipWriter(const TZipWriter&) = delete;
    TZipWriter& operator=(const TZipWriter&) = delete;

    // 0 stores, 1 to 9 deflate. Set before the first entry.
    void SetLevel(int level);
    // A non-empty password encrypts every entry added from then on.
    void SetPassword(const std::string& password, TRandom random = nullptr);
    // Where values move into ZIP64 fields; set before the first entry.
    void SetZip64Thresholds(const TZip64Thresholds& limits) { Limits = limits; }

    TZipAddOutcome AddFile(const TZipNewEntry& entry, IZipSource& source, const TProgress& progress = nullptr);
    TZipAddOutcome AddFolder(const TZipNewEntry& entry);
    // Appends an entry a TZipEntryCompressor made (Added or OutputFailed).
    TZipAddOutcome AddPrepared(const TZipPreparedEntry& entry);
    // Copies an entry of `archive` unchanged (compressed and encrypted bytes
    // as they are) under a fresh local header.
    TZipAddOutcome CopyEntry(const TZipCentralEntry& entry, IByteStream& archive);
    // Writes the central directory and the end records. False when the
    // output fails.
    bool Finish();

    uint64_t Position() const { return Out.Position(); }
    const std::vector<TZipEntryRecord>& Entries() const { return Records; }
    // Why the last call did not add its entry.
    const std::string& Error() const { return LastError; }

private:
    struct TDeflater;

    TZipAddOutcome AddStreamed(TZipEntryRecord& record, IZipSource& source, size_t firstSize,
                               const TProgress& progress);
    bool Compress(const unsigned char* data, size_t size, bool last, uint64_t& written);
    bool WritePayload(unsigned char* data, size_t size);
    std::string EncryptionHeader(uint32_t crc);
    TZipAddOutcome Drop(uint64_t entryStart, TZipAddOutcome outcome, const std::string& why);

    TZipOutputBuffer Out;
    int Level = 9;
    TZip64Thresholds Limits;
    std::string Password;
    TRandom Random;
    std::unique_ptr<class TPkwareCipher> Cipher;  // of the entry being written
    std::unique_ptr<TDeflater> Deflater;
    std::unique_ptr<TZipEntryCompressor> Whole;  // for files that fit one chunk
    TZipPreparedEntry Prepared;
    std::vector<unsigned char> Input;
    std::vector<unsigned char> Output;
    std::vector<TZipEntryRecord> Records;
    std::string LastError;
};
