#pragma once
// The extract library's side of the callback: fills the record, cuts long
// texts at a character boundary, and remembers once the caller asked to stop.
#include <cstdint>
#include <string>

#include "zipdll/ZipDllInterface.h"

// Error codes of the messages, after the exit codes ZIP tools have long used.
namespace UnzipError {
constexpr int32_t kWarning = 1;     // an entry refused for its name, or a folder not made
constexpr int32_t kDamaged = 2;     // CRC, size or compressed data wrong; archive damaged
constexpr int32_t kFileSystem = 3;  // a file or folder could not be written
constexpr int32_t kNoArchive = 9;   // the archive cannot be opened
constexpr int32_t kNothingMatched = 11;
constexpr int32_t kDiskFull = 50;
constexpr int32_t kUnsupported = 81;
constexpr int32_t kPassword = 82;
}  // namespace UnzipError

class TUnzipReporter {
public:
    TUnzipReporter(TZipCallback callback, void* caller) : Callback(callback), Caller(caller) {}

    // Each returns false once the caller has asked to stop.
    bool FileBegins(const std::string& name, uint64_t size);
    bool Step();
    bool Message(int32_t errorCode, const std::string& text);
    void EndOfBatch();

    bool Stopped() const { return StopAsked; }

private:
    bool Call(int32_t action, int32_t errorCode, uint32_t fileSize, const std::string& text);

    TZipCallback Callback;
    void* Caller;
    bool StopAsked = false;
    TZipCallbackRecord Record{};
};
