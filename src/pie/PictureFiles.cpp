#include "pie/PictureFiles.h"

#include <limits>
#include <stdexcept>

namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint16_t kSetWindowOrg = 0x020B;
constexpr uint16_t kSetWindowExt = 0x020C;

void PutU16(std::string& out, uint32_t value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

void PutU32(std::string& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

uint32_t GetU16(const std::string& in, size_t at) { return uint8_t(in[at]) | uint32_t(uint8_t(in[at + 1])) << 8; }
uint32_t GetU32(const std::string& in, size_t at) { return GetU16(in, at) | GetU16(in, at + 2) << 16; }
int32_t GetS16(const std::string& in, size_t at) { return int16_t(uint16_t(GetU16(in, at))); }

// Bytes per 24-bit row, padded to four.
uint64_t DibStride(int32_t width) { return (uint64_t(width) * 3 + 3) & ~uint64_t(3); }

void CheckImage(const TBgrxImage& image) {
    if (image.Width <= 0 || image.Height <= 0) throw std::length_error("The picture is empty.");
    const uint64_t total = kFileHeaderSize + kInfoHeaderSize + DibStride(image.Width) * uint64_t(image.Height);
    if (total > uint64_t(std::numeric_limits<int32_t>::max()))
        throw std::length_error("The picture is too large for a bitmap.");
    if (image.Pixels.size() != uint64_t(image.Width) * uint64_t(image.Height))
        throw std::length_error("The picture's pixels do not match its size.");
}

int16_t Fit16(int32_t value) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw std::length_error("The picture is too large for a Windows metafile.");
    return int16_t(value);
}

}  // namespace

std::string DibBytes(const TBgrxImage& image) {
    CheckImage(image);
    const uint64_t stride = DibStride(image.Width);
    std::string out;
    out.reserve(size_t(kInfoHeaderSize + stride * uint64_t(image.Height)));
    PutU32(out, kInfoHeaderSize);
    PutU32(out, uint32_t(image.Width));
    PutU32(out, uint32_t(image.Height));  // positive: bottom-up
    PutU16(out, 1);                       // planes
    PutU16(out, 24);                      // bits per pixel
    PutU32(out, 0);                       // BI_RGB
    PutU32(out, uint32_t(stride * uint64_t(image.Height)));
    PutU32(out, 3780);  // 96 dots per inch, in dots per metre
    PutU32(out, 3780);
    PutU32(out, 0);
    PutU32(out, 0);
    const size_t padding = size_t(stride - uint64_t(image.Width) * 3);
    for (int32_t y = image.Height - 1; y >= 0; --y) {
        const uint32_t* row = image.Pixels.data() + size_t(y) * size_t(image.Width);
        for (int32_t x = 0; x < image.Width; ++x) {
            out.push_back(char(row[x] & 0xFF));
            out.push_back(char((row[x] >> 8) & 0xFF));
            out.push_back(char((row[x] >> 16) & 0xFF));
        }
        out.append(padding, '\0');
    }
    return out;
}

std::string BmpFileBytes(const TBgrxImage& image) {
    const std::string dib = DibBytes(image);
    std::string out;
    out.reserve(kFileHeaderSize + dib.size());
    out += "BM";
    PutU32(out, uint32_t(kFileHeaderSize + dib.size()));
    PutU32(out, 0);
    PutU32(out, kFileHeaderSize + kInfoHeaderSize);  // where the pixels start
    out += dib;
    return out;
}

std::optional<TMetafileWindow> MetafileWindowOf(const std::string& bits) {
    if (bits.size() < 18 || GetU16(bits, 2) != 9) return std::nullopt;
    TMetafileWindow window;
    bool originSet = false, extentSet = false;
    size_t at = 18;
    while (at + 6 <= bits.size()) {
        const uint64_t recordBytes = uint64_t(GetU32(bits, at)) * 2;
        const uint32_t function = GetU16(bits, at + 4);
        if (function == 0 || recordBytes < 6 || at + recordBytes > bits.size()) break;
        // Both records hold y before x.
        if (recordBytes >= 10 && function == kSetWindowOrg && !originSet) {
            window.OriginY = GetS16(bits, at + 6);
            window.OriginX = GetS16(bits, at + 8);
            originSet = true;
        } else if (recordBytes >= 10 && function == kSetWindowExt && !extentSet) {
            window.ExtentY = GetS16(bits, at + 6);
            window.ExtentX = GetS16(bits, at + 8);
            extentSet = true;
        }
        at += size_t(recordBytes);
    }
    if (!extentSet) return std::nullopt;
    return window;
}

std::string PlaceableMetafileHeader(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t unitsPerInch) {
    if (unitsPerInch <= 0 || unitsPerInch > 0xFFFF)
        throw std::length_error("The picture is too large for a Windows metafile.");
    std::string out;
    PutU32(out, kPlaceableKey);
    PutU16(out, 0);  // no handle
    PutU16(out, uint16_t(Fit16(left)));
    PutU16(out, uint16_t(Fit16(top)));
    PutU16(out, uint16_t(Fit16(right)));
    PutU16(out, uint16_t(Fit16(bottom)));
    PutU16(out, uint32_t(unitsPerInch));
    PutU32(out, 0);
    uint32_t checksum = 0;
    for (size_t at = 0; at < out.size(); at += 2) checksum ^= GetU16(out, at);
    PutU16(out, checksum);
    return out;
}
