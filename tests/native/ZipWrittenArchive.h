#pragma once
// An independent reading of archives the writer made, for its tests: the
// end records, every central header with its extra fields, the local header
// each points to, and the entry's contents decrypted and inflated.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "zipdll/core/PkwareCipher.h"
#include "zipdll/core/ZipFormat.h"

namespace ZipWrittenArchive {
using namespace ZipFormat;

struct TReadEntry {
    std::string Name;
    uint16_t MadeBy = 0, Needed = 0, Flags = 0, Method = 0, DosTime = 0, DosDate = 0;
    uint32_t Crc = 0, ExternalAttributes = 0;
    uint64_t CompressedSize = 0, UncompressedSize = 0, Offset = 0;
    bool CentralZip64 = false;
    bool HasTimes = false;
    uint64_t Times[3] = {0, 0, 0};
    // The local header's view.
    uint16_t LocalNeeded = 0, LocalFlags = 0, LocalMethod = 0;
    uint32_t LocalCrc = 0;
    uint64_t LocalCompressed = 0, LocalUncompressed = 0;
    bool LocalZip64 = false;
    std::string Data;  // as stored (compressed, maybe encrypted)
};

struct TReadArchive {
    std::vector<TReadEntry> Entries;
    uint64_t Count = 0;
    uint16_t Count16 = 0;
    uint32_t Offset32 = 0;
    bool Zip64End = false;
    std::string Problem;
};

inline void ReadExtras(const unsigned char* p, size_t size, TReadEntry& e, bool local, uint32_t size32c,
                       uint32_t size32u, uint32_t offset32) {
    size_t at = 0;
    while (at + 4 <= size) {
        const uint16_t tag = Get16(p + at), length = Get16(p + at + 2);
        const unsigned char* field = p + at + 4;
        if (tag == kExtraZip64) {
            size_t k = 0;
            if (local) {
                e.LocalZip64 = true;
                e.LocalUncompressed = Get64(field);
                e.LocalCompressed = Get64(field + 8);
            } else {
                e.CentralZip64 = true;
                if (size32u == kMax32) e.UncompressedSize = Get64(field + 8 * k++);
                if (size32c == kMax32) e.CompressedSize = Get64(field + 8 * k++);
                if (offset32 == kMax32) e.Offset = Get64(field + 8 * k++);
                EXPECT_EQ(k * 8, length);
            }
        } else if (tag == kExtraNtfs && !local) {
            EXPECT_EQ(32, length);
            EXPECT_EQ(1, Get16(field + 4));
            EXPECT_EQ(24, Get16(field + 6));
            e.HasTimes = true;
            for (int i = 0; i < 3; ++i) e.Times[i] = Get64(field + 8 + 8 * i);
        }
        at += 4 + length;
    }
    EXPECT_EQ(at, size) << "extra fields fill their length exactly";
}

// `skipped`: bytes before the buffer that the archive's offsets count.
inline TReadArchive ReadBack(const std::string& archive, uint64_t skipped = 0) {
    TReadArchive out;
    const auto* b = reinterpret_cast<const unsigned char*>(archive.data());
    if (archive.size() < kEndRecordSize) {
        out.Problem = "too short";
        return out;
    }
    const size_t end = archive.size() - kEndRecordSize;
    if (Get32(b + end) != kEndRecordSignature) {
        out.Problem = "no end record at the end";
        return out;
    }
    out.Count16 = Get16(b + end + 10);
    out.Count = out.Count16;
    uint64_t dirSize = Get32(b + end + 12);
    uint64_t dirOffset = Get32(b + end + 16);
    out.Offset32 = uint32_t(dirOffset);
    if (end >= kZip64LocatorSize && Get32(b + end - kZip64LocatorSize) == kZip64LocatorSignature) {
        const uint64_t zip64At = Get64(b + end - kZip64LocatorSize + 8) - skipped;
        const unsigned char* z = b + zip64At;
        EXPECT_EQ(kZip64EndRecordSignature, Get32(z));
        EXPECT_EQ(zip64At + kZip64EndRecordSize, end - kZip64LocatorSize);
        out.Zip64End = true;
        out.Count = Get64(z + 32);
        dirSize = Get64(z + 40);
        dirOffset = Get64(z + 48);
    }
    size_t at = size_t(dirOffset - skipped);
    EXPECT_EQ(at + dirSize, out.Zip64End ? end - kZip64LocatorSize - kZip64EndRecordSize : end);
    for (uint64_t i = 0; i < out.Count; ++i) {
        if (Get32(b + at) != kCentralHeaderSignature) {
            out.Problem = "central header " + std::to_string(i) + " missing";
            return out;
        }
        TReadEntry e;
        e.MadeBy = Get16(b + at + 4);
        e.Needed = Get16(b + at + 6);
        e.Flags = Get16(b + at + 8);
        e.Method = Get16(b + at + 10);
        e.DosTime = Get16(b + at + 12);
        e.DosDate = Get16(b + at + 14);
        e.Crc = Get32(b + at + 16);
        const uint32_t c32 = Get32(b + at + 20), u32 = Get32(b + at + 24);
        e.CompressedSize = c32;
        e.UncompressedSize = u32;
        const uint16_t nameLength = Get16(b + at + 28), extraLength = Get16(b + at + 30);
        e.ExternalAttributes = Get32(b + at + 38);
        const uint32_t o32 = Get32(b + at + 42);
        e.Offset = o32;
        e.Name.assign(archive, at + 46, nameLength);
        ReadExtras(b + at + 46 + nameLength, extraLength, e, false, c32, u32, o32);
        at += 46 + nameLength + extraLength + Get16(b + at + 32);

        const size_t local = size_t(e.Offset - skipped);
        EXPECT_EQ(kLocalHeaderSignature, Get32(b + local));
        e.LocalNeeded = Get16(b + local + 4);
        e.LocalFlags = Get16(b + local + 6);
        e.LocalMethod = Get16(b + local + 8);
        e.LocalCrc = Get32(b + local + 14);
        e.LocalCompressed = Get32(b + local + 18);
        e.LocalUncompressed = Get32(b + local + 22);
        const uint16_t localName = Get16(b + local + 26), localExtra = Get16(b + local + 28);
        EXPECT_EQ(e.Name, archive.substr(local + 30, localName));
        ReadExtras(b + local + 30 + localName, localExtra, e, true, 0, 0, 0);
        const size_t dataAt = local + 30 + localName + localExtra;
        if (e.CompressedSize < (uint64_t(1) << 32)) e.Data = archive.substr(dataAt, size_t(e.CompressedSize));
        out.Entries.push_back(e);
    }
    return out;
}

inline std::string Inflate(const std::string& raw, size_t expected) {
    std::string out(expected + 1, '\0');
    z_stream z{};
    EXPECT_EQ(Z_OK, inflateInit2(&z, -15));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    z.avail_in = uInt(raw.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    EXPECT_EQ(Z_STREAM_END, inflate(&z, Z_FINISH));
    EXPECT_EQ(0u, z.avail_in) << "no bytes after the deflate stream";
    out.resize(z.total_out);
    inflateEnd(&z);
    return out;
}

// The entry's file contents, decrypted and inflated as a reader would.
inline std::string Contents(const TReadEntry& e, const std::string& password = "") {
    std::string data = e.Data;
    if (e.Flags & kFlagEncrypted) {
        TPkwareCipher cipher(password);
        unsigned char header[TPkwareCipher::kHeaderSize];
        std::memcpy(header, data.data(), sizeof header);
        EXPECT_TRUE(cipher.CheckHeader(header, uint8_t(e.Crc >> 24))) << "check byte is the CRC's high byte";
        data.erase(0, sizeof header);
        cipher.Decrypt(reinterpret_cast<unsigned char*>(&data[0]), data.size());
    }
    std::string plain = e.Method == kMethodDeflated ? Inflate(data, size_t(e.UncompressedSize)) : data;
    EXPECT_EQ(e.UncompressedSize, plain.size());
    EXPECT_EQ(e.Crc, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(plain.data()), uInt(plain.size()))));
    return plain;
}

// Text-like bytes that deflate shrinks, different for every seed.
inline std::string TextLike(size_t size, unsigned seed = 1) {
    static const char* const kWords[] = {"folder ", "archive ", "quarry ", "size ", "drive ", "map\n", "2000 "};
    std::string out;
    uint32_t state = seed * 2654435761u + 1;
    while (out.size() < size) {
        state = state * 1103515245u + 12345u;
        out += kWords[(state >> 16) % 7];
    }
    out.resize(size);
    return out;
}

inline std::string RandomBytes(size_t size, unsigned seed = 7) {
    std::string out(size, '\0');
    uint32_t state = seed;
    for (char& c : out) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = char(state & 0xFF);
    }
    return out;
}

}  // namespace ZipWrittenArchive
