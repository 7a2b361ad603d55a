#pragma once
#include <vector>

#include "platform/ByteStream.h"
#include "platform/win32/Owned.h"

// A file opened for reading, with a read buffer so that byte-by-byte
// searches do not cost a system call per byte.
class TWin32ByteStream : public IByteStream {
public:
    // Check IsOpen() afterwards.
    explicit TWin32ByteStream(const std::string& path);

    bool IsOpen() const { return File.IsValid(); }
    int64_t Size() const override { return FileSize; }
    int64_t Position() const override { return At; }
    bool Seek(int64_t position) override;
    size_t Read(void* buffer, size_t count) override;

private:
    bool Fill();

    TWin32Handle File;
    int64_t FileSize = 0;
    int64_t At = 0;
    std::vector<char> Buffer;
    int64_t BufferStart = 0;  // file position of Buffer[0]
};

class TWin32ByteStreamFiles : public IByteStreamFiles {
public:
    std::unique_ptr<IByteStream> OpenForReading(const std::string& path) override;
};
