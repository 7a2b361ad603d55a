#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/ByteStream.h"

// Bytes held in memory, read as a stream.
class TMemoryByteStream : public IByteStream {
public:
    explicit TMemoryByteStream(std::string bytes) : Bytes(std::move(bytes)) {}

    int64_t Size() const override { return int64_t(Bytes.size()); }
    int64_t Position() const override { return At; }
    bool Seek(int64_t position) override {
        if (position < 0 || position > Size()) return false;
        At = position;
        return true;
    }
    size_t Read(void* buffer, size_t count) override {
        const size_t available = size_t(Size() - At);
        const size_t taken = std::min(count, available);
        if (taken) std::memcpy(buffer, Bytes.data() + At, taken);
        At += int64_t(taken);
        return taken;
    }

private:
    std::string Bytes;
    int64_t At = 0;
};

// Files held in memory by path, opened as streams over a copy of their bytes.
class TMemoryByteStreamFiles : public IByteStreamFiles {
public:
    std::unique_ptr<IByteStream> OpenForReading(const std::string& path) override {
        ++Opened;
        const auto found = Files.find(path);
        if (found == Files.end()) return nullptr;
        return std::make_unique<TMemoryByteStream>(found->second);
    }

    std::map<std::string, std::string> Files;
    int Opened = 0;
};
