#pragma once
// Streams one entry's data out of an archive: stored or deflated, with
// traditional decryption, checked against the stated CRC-32 and size.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "ZipCentralDirectory.h"

class IByteStream;

// Where an entry's bytes go.
class IZipSink {
public:
    virtual ~IZipSink() = default;
    // False when the bytes could not be written; the extraction then stops.
    virtual bool Write(const unsigned char* data, size_t size) = 0;
};

enum class EZipExtractOutcome {
    Ok,
    PasswordNeeded,  // encrypted, and no password given
    WrongPassword,
    CrcMismatch,
    SizeMismatch,       // the data gives more or fewer bytes than stated, or the headers state different sizes
    Truncated,          // the compressed data ends before the entry does
    DamagedData,        // the compressed data is not valid deflate
    UnsupportedMethod,  // neither stored nor deflated, or strongly encrypted
    NotFound,           // no local header, or data beyond the archive's end
    ReadFailed,
    WriteFailed,
    Stopped,
};

struct TZipExtractResult {
    EZipExtractOutcome Outcome = EZipExtractOutcome::Ok;
    std::string Detail;         // the reader's own reason for NotFound
    uint64_t BytesWritten = 0;  // handed to the sink, checked or not
};

// The progress report comes each time another kZipExtractStepBytes of the
// entry have been written, with the count so far; returning false stops.
constexpr uint64_t kZipExtractStepBytes = 32768;
using TZipExtractProgress = std::function<bool(uint64_t written)>;

TZipExtractResult ExtractZipEntry(IByteStream& archive, const TZipCentralEntry& entry, const std::string& password,
                                  IZipSink& sink, const TZipExtractProgress& progress = nullptr);

// The message for a failed extraction or test of the entry named `name`.
std::string ZipExtractMessage(const TZipExtractResult& result, const std::string& name);
