#include "platform/win32/Win32ByteStream.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32FileSystem.h"

namespace {
constexpr size_t kBufferSize = 64 * 1024;
}

TWin32ByteStream::TWin32ByteStream(const std::string& path)
    : File(CreateFileW(Win32PathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    LARGE_INTEGER size{};
    if (File.IsValid() && GetFileSizeEx(File.Get(), &size))
        FileSize = size.QuadPart;
    else
        File.Reset();
}

bool TWin32ByteStream::Seek(int64_t position) {
    if (position < 0 || position > FileSize) return false;
    At = position;
    return true;
}

// Loads the buffer with the bytes from the current position on.
bool TWin32ByteStream::Fill() {
    LARGE_INTEGER target{};
    target.QuadPart = At;
    Buffer.resize(kBufferSize);
    DWORD got = 0;
    if (!SetFilePointerEx(File.Get(), target, nullptr, FILE_BEGIN) ||
        !ReadFile(File.Get(), Buffer.data(), DWORD(Buffer.size()), &got, nullptr)) {
        Buffer.clear();
        return false;
    }
    Buffer.resize(got);
    BufferStart = At;
    return got > 0;
}

size_t TWin32ByteStream::Read(void* buffer, size_t count) {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count && At < FileSize) {
        const bool inBuffer = At >= BufferStart && At < BufferStart + int64_t(Buffer.size());
        if (!inBuffer && !Fill()) break;
        const size_t offset = size_t(At - BufferStart);
        const size_t taken = std::min(count - done, Buffer.size() - offset);
        std::memcpy(out + done, Buffer.data() + offset, taken);
        done += taken;
        At += int64_t(taken);
    }
    return done;
}

std::unique_ptr<IByteStream> TWin32ByteStreamFiles::OpenForReading(const std::string& path) {
    auto stream = std::make_unique<TWin32ByteStream>(path);
    if (!stream->IsOpen()) return nullptr;
    return stream;
}
