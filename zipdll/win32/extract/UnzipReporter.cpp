#include "UnzipReporter.h"

#include <cstring>

#include "zipdll/core/ZipFormat.h"

bool TUnzipReporter::Call(int32_t action, int32_t errorCode, uint32_t fileSize, const std::string& text) {
    if (!Callback) return !StopAsked;
    Record = TZipCallbackRecord{};
    Record.Caller = Caller;
    Record.Action = action;
    Record.ErrorCode = errorCode;
    Record.FileSize = fileSize;
    const size_t length = Utf8PrefixLength(text, sizeof Record.Text - 1);
    std::memcpy(Record.Text, text.data(), length);
    Record.Text[length] = '\0';
    if (Callback(&Record) == kZipCallbackStop) StopAsked = true;
    return !StopAsked;
}

bool TUnzipReporter::FileBegins(const std::string& name, uint64_t size) {
    return Call(kZipActionFileBegins, 0, size >= kZipSizeTooLarge ? kZipSizeTooLarge : uint32_t(size), name);
}

bool TUnzipReporter::Step() { return Call(kZipActionStep, 0, 0, ""); }

bool TUnzipReporter::Message(int32_t errorCode, const std::string& text) {
    return Call(kZipActionMessage, errorCode, 0, text);
}

void TUnzipReporter::EndOfBatch() { Call(kZipActionEndOfBatch, 0, 0, ""); }
