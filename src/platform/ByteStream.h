#pragma once
#include <cstddef>
#include <cstdint>

// A file read as bytes from any position, so that file formats can be read
// by portable code and tested on bytes held in memory.
class IByteStream {
public:
    virtual ~IByteStream() = default;
    virtual int64_t Size() const = 0;
    virtual int64_t Position() const = 0;
    // False when the position lies outside the stream.
    virtual bool Seek(int64_t position) = 0;
    // Reads up to `count` bytes at the position and moves past them; the
    // number read, short at the end of the stream.
    virtual size_t Read(void* buffer, size_t count) = 0;
};

#include <memory>
#include <string>

// Opens files as byte streams for reading.
class IByteStreamFiles {
public:
    virtual ~IByteStreamFiles() = default;
    // Null when the file cannot be opened for reading.
    virtual std::unique_ptr<IByteStream> OpenForReading(const std::string& path) = 0;
};
