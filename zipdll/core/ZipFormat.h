#pragma once
// Record signatures, sizes and little-endian helpers of the ZIP format,
// shared by the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <string>

namespace ZipFormat {
constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr uint32_t kZip64EndRecordSignature = 0x06064B50;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr uint32_t kDataDescriptorSignature = 0x08074B50;

constexpr uint32_t kLocalHeaderSize = 30;     // with the signature
constexpr uint32_t kCentralHeaderSize = 46;   // with the signature
constexpr uint32_t kEndRecordSize = 22;       // without a comment
constexpr uint32_t kZip64EndRecordSize = 56;  // without extensible data
constexpr uint32_t kZip64LocatorSize = 20;
constexpr uint32_t kMaxCommentSize = 0xFFFF;

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
constexpr uint16_t kFlagUtf8 = 0x0800;

constexpr uint16_t kExtraZip64 = 0x0001;
constexpr uint16_t kExtraNtfs = 0x000A;

constexpr uint16_t kVersionMadeByFat = 20;      // 2.0, MS-DOS attributes
constexpr uint16_t kVersionNeededDefault = 20;  // deflate, folders, encryption
constexpr uint16_t kVersionNeededZip64 = 45;

constexpr uint32_t kMax32 = 0xFFFFFFFFu;
constexpr uint16_t kMax16 = 0xFFFF;

inline uint16_t Get16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t Get32(const unsigned char* p) { return uint32_t(Get16(p)) | (uint32_t(Get16(p + 2)) << 16); }
inline uint64_t Get64(const unsigned char* p) { return uint64_t(Get32(p)) | (uint64_t(Get32(p + 4)) << 32); }

inline void Put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}
inline void Put32(std::string& out, uint32_t v) {
    Put16(out, uint16_t(v & 0xFFFF));
    Put16(out, uint16_t(v >> 16));
}
inline void Put64(std::string& out, uint64_t v) {
    Put32(out, uint32_t(v & 0xFFFFFFFFu));
    Put32(out, uint32_t(v >> 32));
}
}  // namespace ZipFormat

// A local time broken into its parts, as the DOS date and time of an entry hold it.
struct TZipDosTime {
    int Year = 1980, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
};
// DOS time keeps even seconds and the years 1980 to 2107; times outside are
// clamped to the nearest end.
void ToDosDateTime(const TZipDosTime& time, uint16_t& dosDate, uint16_t& dosTime);
TZipDosTime FromDosDateTime(uint16_t dosDate, uint16_t dosTime);

// Names stored without the UTF-8 flag are in code page 437.
std::string Cp437ToUtf8(const std::string& bytes);
// The longest prefix of `text` that fits `room` bytes without cutting a
// UTF-8 sequence.
size_t Utf8PrefixLength(const std::string& text, size_t room);
// True when every byte is below 0x80, so the name needs no UTF-8 flag.
bool IsPlainAscii(const std::string& text);
