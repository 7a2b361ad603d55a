#include "ZipOutput.h"

#include <cstring>

bool TMemoryZipOutput::WriteAt(uint64_t position, const void* data, size_t size) {
    ++Writes;
    if (position < Skipped || position + size > Capacity) return false;
    const size_t at = size_t(position - Skipped);
    if (Bytes.size() < at + size) Bytes.resize(at + size);
    if (size) std::memcpy(&Bytes[at], data, size);
    return true;
}

bool TMemoryZipOutput::Truncate(uint64_t size) {
    if (size < Skipped) return false;
    Bytes.resize(size_t(size - Skipped));
    return true;
}

TZipOutputBuffer::TZipOutputBuffer(IZipOutput& output, uint64_t startOffset, size_t capacity)
    : Output(output), Capacity(capacity), BufferStart(startOffset), Written(startOffset) {}

bool TZipOutputBuffer::Flush() {
    if (Buffer.empty()) return true;
    if (!Output.WriteAt(BufferStart, Buffer.data(), Buffer.size())) return false;
    BufferStart += Buffer.size();
    if (BufferStart > Written) Written = BufferStart;
    Buffer.clear();
    return true;
}

bool TZipOutputBuffer::Append(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (Buffer.size() + size <= Capacity) {
        Buffer.insert(Buffer.end(), bytes, bytes + size);
        return true;
    }
    if (!Flush()) return false;
    if (size >= Capacity) {
        if (!Output.WriteAt(BufferStart, bytes, size)) return false;
        BufferStart += size;
        if (BufferStart > Written) Written = BufferStart;
        return true;
    }
    Buffer.insert(Buffer.end(), bytes, bytes + size);
    return true;
}

bool TZipOutputBuffer::Patch(uint64_t position, const std::string& bytes) {
    if (position >= BufferStart && position + bytes.size() <= Position()) {
        std::memcpy(&Buffer[size_t(position - BufferStart)], bytes.data(), bytes.size());
        return true;
    }
    // Straddling the buffer's start: write the older part, change the rest in place.
    if (position < BufferStart && position + bytes.size() > BufferStart) {
        const size_t older = size_t(BufferStart - position);
        if (!Output.WriteAt(position, bytes.data(), older)) return false;
        std::memcpy(Buffer.data(), bytes.data() + older, bytes.size() - older);
        return true;
    }
    return Output.WriteAt(position, bytes.data(), bytes.size());
}

void TZipOutputBuffer::Rewind(uint64_t position) {
    if (position >= BufferStart) {
        Buffer.resize(size_t(position - BufferStart));
    } else {
        Buffer.clear();
        BufferStart = position;
    }
}

bool TZipOutputBuffer::Close() {
    if (!Flush()) return false;
    if (Written > BufferStart) return Output.Truncate(BufferStart);
    return true;
}
