#include "ZipEntryCompressor.h"

#include <zlib.h>

#include <algorithm>
#include <random>

#include "PkwareCipher.h"
#include "ZipFormat.h"
#include "ZipWriter.h"

using namespace ZipFormat;

TZipEntryRecord MakeEntryRecord(const TZipNewEntry& entry, bool encrypted) {
    TZipEntryRecord record;
    record.Name = entry.Name;
    record.VersionMadeBy = kVersionMadeByFat;
    if (!IsPlainAscii(entry.Name)) record.Flags |= kFlagUtf8;
    if (encrypted) record.Flags |= kFlagEncrypted;
    record.DosDate = entry.DosDate;
    record.DosTime = entry.DosTime;
    record.ExternalAttributes = entry.Attributes;
    record.HasTimes = entry.HasTimes;
    record.ModifiedTime = entry.ModifiedTime;
    record.AccessedTime = entry.AccessedTime;
    record.CreatedTime = entry.CreatedTime;
    return record;
}

uint16_t DeflateLevelFlags(int level) {
    if (level >= 8) return 0x2;  // maximum
    if (level == 1) return 0x6;  // super fast
    if (level == 2) return 0x4;  // fast
    return 0;
}

void SystemRandom(unsigned char* bytes, size_t count) {
    std::random_device device;
    for (size_t i = 0; i < count; ++i) bytes[i] = (unsigned char)(device() & 0xFF);
}

struct TZipEntryCompressor::TState {
    z_stream Stream{};
    bool Ready = false;
    ~TState() {
        if (Ready) deflateEnd(&Stream);
    }
};

TZipEntryCompressor::TZipEntryCompressor(int level)
    : Level(std::clamp(level, 0, 9)), State(std::make_unique<TState>()) {}

TZipEntryCompressor::~TZipEntryCompressor() = default;

bool TZipEntryCompressor::Prepare(const TZipNewEntry& entry, const unsigned char* data, size_t size,
                                  const std::string& password, const TZipRandom& random, TZipPreparedEntry& out) {
    const bool encrypted = !password.empty();
    const size_t header = encrypted ? TPkwareCipher::kHeaderSize : 0;
    out.Record = MakeEntryRecord(entry, encrypted);
    TZipEntryRecord& record = out.Record;
    uint32_t crc = 0;
    for (size_t at = 0; at < size;) {
        const uInt step = uInt(std::min<size_t>(size - at, 1u << 30));
        crc = uint32_t(crc32(crc, data + at, step));
        at += step;
    }
    record.Crc32 = crc;
    record.UncompressedSize = size;
    record.Method = kMethodStored;
    out.Payload.clear();
    if (Level > 0 && size > 0) {
        z_stream& z = State->Stream;
        if (!State->Ready) {
            // -15: raw deflate, as ZIP stores it; memory level 8 as zlib's default.
            State->Ready = deflateInit2(&z, Level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
            if (!State->Ready) return false;
        } else if (deflateReset(&z) != Z_OK) {
            return false;
        }
        out.Payload.resize(header + deflateBound(&z, uLong(size)));
        z.next_in = const_cast<Bytef*>(data);
        z.avail_in = uInt(size);
        z.next_out = reinterpret_cast<Bytef*>(&out.Payload[header]);
        z.avail_out = uInt(out.Payload.size() - header);
        if (deflate(&z, Z_FINISH) == Z_STREAM_END && z.total_out < size) {
            record.Method = kMethodDeflated;
            record.Flags |= DeflateLevelFlags(Level);
            out.Payload.resize(header + size_t(z.total_out));
        } else {
            out.Payload.clear();
        }
    }
    if (record.Method == kMethodStored) {
        out.Payload.assign(header, '\0');
        out.Payload.append(reinterpret_cast<const char*>(data), size);
    }
    if (encrypted) {
        unsigned char bytes[11];
        random(bytes, sizeof bytes);
        TPkwareCipher cipher(password);
        const std::string made = cipher.MakeHeader(bytes, uint8_t(crc >> 24));
        std::copy(made.begin(), made.end(), out.Payload.begin());
        cipher.Encrypt(reinterpret_cast<unsigned char*>(&out.Payload[header]), out.Payload.size() - header);
    }
    record.CompressedSize = out.Payload.size();
    return true;
}
