#pragma once
// Where the writer puts an archive's bytes, and the buffer in front of it
// that gathers small records into large writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class IZipOutput {
public:
    virtual ~IZipOutput() = default;
    // Writes `size` bytes at `position`; false when they cannot be written
    // (a full disk), which ends the archive.
    virtual bool WriteAt(uint64_t position, const void* data, size_t size) = 0;
    // Ends the output at `size`, dropping anything written past it.
    virtual bool Truncate(uint64_t size) = 0;
};

// The archive in memory. `Skipped` leading bytes are taken as written but
// not kept, so that tests can place records beyond 4 GiB.
class TMemoryZipOutput : public IZipOutput {
public:
    explicit TMemoryZipOutput(uint64_t skipped = 0) : Skipped(skipped) {}

    bool WriteAt(uint64_t position, const void* data, size_t size) override;
    bool Truncate(uint64_t size) override;

    const uint64_t Skipped;
    std::string Bytes;  // from offset Skipped on
    // Fails every write once this many bytes would be exceeded (a full disk).
    uint64_t Capacity = UINT64_MAX;
    int Writes = 0;
};

// Appends through a buffer; bytes still in the buffer can be changed in
// place, older ones are rewritten at their position.
class TZipOutputBuffer {
public:
    TZipOutputBuffer(IZipOutput& output, uint64_t startOffset, size_t capacity = 1 << 20);

    uint64_t Position() const { return BufferStart + Buffer.size(); }
    bool Append(const void* data, size_t size);
    bool Append(const std::string& bytes) { return Append(bytes.data(), bytes.size()); }
    // Replaces bytes already appended at `position`.
    bool Patch(uint64_t position, const std::string& bytes);
    // Forgets everything from `position` on; the next append goes there.
    void Rewind(uint64_t position);
    bool Flush();
    // Flushes and cuts the output at the current position.
    bool Close();

private:
    IZipOutput& Output;
    std::vector<unsigned char> Buffer;
    size_t Capacity;
    uint64_t BufferStart;
    uint64_t Written = 0;  // the furthest the output has been written to
};
