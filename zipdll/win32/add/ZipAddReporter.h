#pragma once
// Everything the add tells its caller goes through the block's callback:
// a file begins, steps of 32 KB, the end of the batch, and messages. The
// caller's -1 is remembered, so the add stops at its next check.
#include <cstdint>
#include <string>

#include "zipdll/ZipDllInterface.h"

class TZipAddReporter {
public:
    TZipAddReporter(TZipCallback callback, void* caller) : Callback(callback), Caller(caller) {}

    // Each returns false once the caller has asked to stop.
    bool FileBegins(const std::string& storedName, uint64_t size);
    // Bytes of the current file just read; a step call per 32 KB done.
    bool Progress(uint64_t bytes);
    bool EndOfBatch();
    // errorCode 0 for information, else a failure.
    bool Message(int32_t errorCode, const std::string& text);

    bool StopRequested() const { return Stopped; }

private:
    bool Call(int32_t action, int32_t errorCode, uint32_t size, const std::string& text);

    TZipCallback Callback;
    void* Caller;
    bool Stopped = false;
    uint64_t PendingBytes = 0;
    TZipCallbackRecord Record{};
};
