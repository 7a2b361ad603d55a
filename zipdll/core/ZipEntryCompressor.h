#pragma once
// Turns a whole file held in memory into a finished entry: CRC, deflate (or
// stored, when deflate does not shrink it) and encryption. Each compressor
// owns its zlib state, so several threads can prepare entries at once and
// the writer appends them in order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ZipHeaderWriter.h"

struct TZipNewEntry;

// Fills a buffer with unpredictable bytes, for encryption headers.
using TZipRandom = std::function<void(unsigned char* bytes, size_t count)>;

struct TZipPreparedEntry {
    TZipEntryRecord Record;  // all but the local header's offset
    std::string Payload;     // the encryption header and the data, as stored
};

// The record of a new entry before its data is known.
TZipEntryRecord MakeEntryRecord(const TZipNewEntry& entry, bool encrypted);
// General purpose flag bits 1 and 2: the deflate level used.
uint16_t DeflateLevelFlags(int level);
// Random bytes from the system's generator.
void SystemRandom(unsigned char* bytes, size_t count);

class TZipEntryCompressor {
public:
    explicit TZipEntryCompressor(int level);
    ~TZipEntryCompressor();
    TZipEntryCompressor(const TZipEntryCompressor&) = delete;
    TZipEntryCompressor& operator=(const TZipEntryCompressor&) = delete;

    // False only when zlib fails (out of memory).
    bool Prepare(const TZipNewEntry& entry, const unsigned char* data, size_t size, const std::string& password,
                 const TZipRandom& random, TZipPreparedEntry& out);

private:
    struct TState;
    int Level;
    std::unique_ptr<TState> State;
};
