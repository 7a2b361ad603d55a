#include "ZipAddReporter.h"

#include <cstring>

#include "zipdll/core/ZipFormat.h"

bool TZipAddReporter::Call(int32_t action, int32_t errorCode, uint32_t size, const std::string& text) {
    if (!Callback) return !Stopped;
    Record.LibraryField1 = 0;
    Record.Caller = Caller;
    Record.LibraryField3 = 0;
    Record.LibraryField4 = 0;
    Record.Action = action;
    Record.ErrorCode = errorCode;
    Record.FileSize = size;
    const size_t length = Utf8PrefixLength(text, sizeof Record.Text - 1);
    std::memcpy(Record.Text, text.data(), length);
    Record.Text[length] = '\0';
    if (Callback(&Record) == kZipCallbackStop) Stopped = true;
    return !Stopped;
}

bool TZipAddReporter::FileBegins(const std::string& storedName, uint64_t size) {
    PendingBytes = 0;
    const uint32_t reported = size >= kZipSizeTooLarge ? kZipSizeTooLarge : uint32_t(size);
    return Call(kZipActionFileBegins, 0, reported, storedName);
}

bool TZipAddReporter::Progress(uint64_t bytes) {
    PendingBytes += bytes;
    while (PendingBytes >= uint64_t(kZipStepBytes)) {
        PendingBytes -= kZipStepBytes;
        if (!Call(kZipActionStep, 0, 0, std::string())) return false;
    }
    return !Stopped;
}

bool TZipAddReporter::EndOfBatch() { return Call(kZipActionEndOfBatch, 0, 0, std::string()); }

bool TZipAddReporter::Message(int32_t errorCode, const std::string& text) {
    return Call(kZipActionMessage, errorCode, 0, text);
}
