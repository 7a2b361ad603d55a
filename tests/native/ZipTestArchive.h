#pragma once
// Builds ZIP archives byte by byte for the reader's and extractor's tests,
// with the knobs that archives from other tools turn: data descriptors,
// ZIP64 records, comments, extra fields, encryption, bytes in front.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "zipdll/core/PkwareCipher.h"
#include "zipdll/core/ZipFormat.h"

namespace ZipTest {

inline std::string Deflated(const std::string& data, int level = 6) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(data.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline uint32_t Crc(const std::string& data) {
    return uint32_t(crc32(0L, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

// Bytes that compress poorly, the same on every run.
inline std::string NoisyBytes(size_t size, uint32_t seed = 1) {
    std::string out(size, '\0');
    for (auto& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 16);
    }
    return out;
}

struct TEntryRecipe {
    std::string Name;
    std::string Data;
    bool Deflate = false;
    std::string Password;         // encrypted when not empty
    bool DataDescriptor = false;  // sizes and CRC after the data, zero in the local header
    bool Utf8Flag = false;
    bool Zip64 = false;         // sizes and offset in a ZIP64 extra field
    uint16_t DosTime = 0x6000;  // 12:00:00
    uint16_t DosDate = 0x5A21;  // 2025-01-01
    uint16_t VersionMadeBy = ZipFormat::kVersionMadeByFat;
    uint32_t ExternalAttributes = 0x20;
    std::string CentralExtra;  // further extra fields of the central header
    std::string LocalExtra;
    std::string Comment;
};

inline TEntryRecipe Entry(const std::string& name, const std::string& data, bool deflate = false) {
    TEntryRecipe recipe;
    recipe.Name = name;
    recipe.Data = data;
    recipe.Deflate = deflate;
    return recipe;
}

inline std::string ExtraField(uint16_t tag, const std::string& data) {
    std::string out;
    ZipFormat::Put16(out, tag);
    ZipFormat::Put16(out, uint16_t(data.size()));
    return out + data;
}

inline std::string NtfsTimes(uint64_t modified, uint64_t accessed, uint64_t created) {
    std::string data(4, '\0');
    ZipFormat::Put16(data, 1);
    ZipFormat::Put16(data, 24);
    ZipFormat::Put64(data, modified);
    ZipFormat::Put64(data, accessed);
    ZipFormat::Put64(data, created);
    return ExtraField(ZipFormat::kExtraNtfs, data);
}

struct TBuiltZip {
    std::string Bytes;
    std::vector<uint64_t> LocalHeaderOffsets;
    std::vector<uint64_t> DataOffsets;
    uint64_t DirectoryOffset = 0;
    uint64_t EndRecordOffset = 0;
};

struct TArchiveRecipe {
    std::string Prefix;                 // bytes in front, as a self-extractor's program
    bool OffsetsFromFileStart = false;  // as zip -A leaves them; else counted from the archive's own start
    bool Zip64End = false;              // ZIP64 end record and locator, the end record saturated
    std::string Comment;
};

inline TBuiltZip BuildZip(const std::vector<TEntryRecipe>& entries, const TArchiveRecipe& archive = {}) {
    using namespace ZipFormat;
    TBuiltZip built;
    std::string& out = built.Bytes;
    out = archive.Prefix;
    const uint64_t base = archive.OffsetsFromFileStart ? 0 : archive.Prefix.size();
    std::string central;
    uint32_t seed = 7;
    for (const TEntryRecipe& e : entries) {
        const uint64_t localAt = out.size();
        built.LocalHeaderOffsets.push_back(localAt);
        const uint32_t crc = Crc(e.Data);
        std::string payload = e.Deflate ? Deflated(e.Data) : e.Data;
        uint16_t flags = 0;
        if (e.DataDescriptor) flags |= kFlagDataDescriptor;
        if (e.Utf8Flag) flags |= kFlagUtf8;
        if (!e.Password.empty()) {
            flags |= kFlagEncrypted;
            TPkwareCipher cipher(e.Password);
            unsigned char random[11];
            for (auto& r : random) r = (unsigned char)(seed = seed * 69069u + 1) >> 3;
            const uint8_t check = e.DataDescriptor ? uint8_t(e.DosTime >> 8) : uint8_t(crc >> 24);
            std::string header = cipher.MakeHeader(random, check);
            cipher.Encrypt(reinterpret_cast<unsigned char*>(&payload[0]), payload.size());
            payload = header + payload;
        }
        const uint16_t method = e.Deflate ? kMethodDeflated : kMethodStored;
        const uint64_t compressed = payload.size(), uncompressed = e.Data.size();
        std::string zip64Local, zip64Central;
        if (e.Zip64) {
            Put64(zip64Local, uncompressed);
            Put64(zip64Local, compressed);
            zip64Central = zip64Local;
            Put64(zip64Central, localAt - base);
        }
        std::string localExtra = (e.Zip64 ? ExtraField(kExtraZip64, zip64Local) : "") + e.LocalExtra;
        Put32(out, kLocalHeaderSignature);
        Put16(out, e.Zip64 ? kVersionNeededZip64 : kVersionNeededDefault);
        Put16(out, flags);
        Put16(out, method);
        Put16(out, e.DosTime);
        Put16(out, e.DosDate);
        Put32(out, e.DataDescriptor ? 0 : crc);
        Put32(out, e.DataDescriptor ? 0 : e.Zip64 ? kMax32 : uint32_t(compressed));
        Put32(out, e.DataDescriptor ? 0 : e.Zip64 ? kMax32 : uint32_t(uncompressed));
        Put16(out, uint16_t(e.Name.size()));
        Put16(out, uint16_t(localExtra.size()));
        out += e.Name + localExtra;
        built.DataOffsets.push_back(out.size());
        out += payload;
        if (e.DataDescriptor) {
            Put32(out, kDataDescriptorSignature);
            Put32(out, crc);
            if (e.Zip64) {
                Put64(out, compressed);
                Put64(out, uncompressed);
            } else {
                Put32(out, uint32_t(compressed));
                Put32(out, uint32_t(uncompressed));
            }
        }
        std::string centralExtra = (e.Zip64 ? ExtraField(kExtraZip64, zip64Central) : "") + e.CentralExtra;
        Put32(central, kCentralHeaderSignature);
        Put16(central, e.VersionMadeBy);
        Put16(central, e.Zip64 ? kVersionNeededZip64 : kVersionNeededDefault);
        Put16(central, flags);
        Put16(central, method);
        Put16(central, e.DosTime);
        Put16(central, e.DosDate);
        Put32(central, crc);
        Put32(central, e.Zip64 ? kMax32 : uint32_t(compressed));
        Put32(central, e.Zip64 ? kMax32 : uint32_t(uncompressed));
        Put16(central, uint16_t(e.Name.size()));
        Put16(central, uint16_t(centralExtra.size()));
        Put16(central, uint16_t(e.Comment.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, e.ExternalAttributes);
        Put32(central, e.Zip64 ? kMax32 : uint32_t(localAt - base));
        central += e.Name + centralExtra + e.Comment;
    }
    built.DirectoryOffset = out.size();
    out += central;
    const uint64_t directoryAt = built.DirectoryOffset - base;
    if (archive.Zip64End) {
        const uint64_t recordAt = out.size();
        Put32(out, kZip64EndRecordSignature);
        Put64(out, kZip64EndRecordSize - 12);
        Put16(out, 45);
        Put16(out, 45);
        Put32(out, 0);
        Put32(out, 0);
        Put64(out, entries.size());
        Put64(out, entries.size());
        Put64(out, central.size());
        Put64(out, directoryAt);
        Put32(out, kZip64LocatorSignature);
        Put32(out, 0);
        Put64(out, recordAt - base);
        Put32(out, 1);
    }
    built.EndRecordOffset = out.size();
    Put32(out, kEndRecordSignature);
    Put16(out, 0);
    Put16(out, 0);
    const uint16_t count = archive.Zip64End ? kMax16 : uint16_t(entries.size());
    Put16(out, count);
    Put16(out, count);
    Put32(out, archive.Zip64End ? kMax32 : uint32_t(central.size()));
    Put32(out, archive.Zip64End ? kMax32 : uint32_t(directoryAt));
    Put16(out, uint16_t(archive.Comment.size()));
    out += archive.Comment;
    return built;
}

inline void Poke32(std::string& bytes, uint64_t at, uint32_t value) {
    std::string v;
    ZipFormat::Put32(v, value);
    bytes.replace(size_t(at), 4, v);
}
inline void Poke16(std::string& bytes, uint64_t at, uint16_t value) {
    std::string v;
    ZipFormat::Put16(v, value);
    bytes.replace(size_t(at), 2, v);
}

}  // namespace ZipTest
