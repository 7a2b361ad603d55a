#include "ZipFormat.h"

#include <algorithm>

void ToDosDateTime(const TZipDosTime& time, uint16_t& dosDate, uint16_t& dosTime) {
    TZipDosTime t = time;
    if (t.Year < 1980) t = TZipDosTime{};
    if (t.Year > 2107) t = TZipDosTime{2107, 12, 31, 23, 59, 58};
    dosDate = uint16_t(((t.Year - 1980) << 9) | (std::clamp(t.Month, 1, 12) << 5) | std::clamp(t.Day, 1, 31));
    dosTime = uint16_t((std::clamp(t.Hour, 0, 23) << 11) | (std::clamp(t.Minute, 0, 59) << 5) |
                       (std::clamp(t.Second, 0, 59) / 2));
}

TZipDosTime FromDosDateTime(uint16_t dosDate, uint16_t dosTime) {
    TZipDosTime t;
    t.Year = 1980 + (dosDate >> 9);
    t.Month = std::clamp((dosDate >> 5) & 0x0F, 1, 12);
    t.Day = std::clamp(dosDate & 0x1F, 1, 31);
    t.Hour = std::min(dosTime >> 11, 23);
    t.Minute = std::min((dosTime >> 5) & 0x3F, 59);
    t.Second = std::min((dosTime & 0x1F) * 2, 59);
    return t;
}

namespace {
// Code page 437's upper half as Unicode code points.
const uint16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}
}  // namespace

std::string Cp437ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) AppendUtf8(out, c < 0x80 ? c : kCp437High[c - 0x80]);
    return out;
}

bool IsPlainAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x80; });
}

size_t Utf8PrefixLength(const std::string& text, size_t room) {
    if (text.size() <= room) return text.size();
    size_t length = room;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    return length;
}
