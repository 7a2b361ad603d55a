#include "scan/NameOrder.h"

#include <cstdint>

int INameOrder::Compare(const std::string& a, const std::string& b) const {
    const int r = SortKey(a).compare(SortKey(b));
    return (r > 0) - (r < 0);
}

namespace {

bool IsIgnoredAtFirst(unsigned char c) { return c == '-' || c == '\''; }

// Weight of a character at the first level: symbols, then digits, then
// letters without case, then the bytes of non-ASCII characters. All weights
// are at least 0x200, so their first byte is above the level separator.
unsigned PrimaryWeight(unsigned char c) {
    if (c >= 'A' && c <= 'Z') c = (unsigned char)(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return 0x400 + c;
    if (c >= '0' && c <= '9') return 0x300 + c;
    if (c >= 0x80) return 0x500 + c;
    return 0x200 + c;
}

const char kLevelSeparator = '\x01';

}  // namespace

// Key layout: first-level weights (two bytes each), separator, case marks
// (lower before upper), separator, the name's length and its raw bytes.
std::string TWordSortOrder::SortKey(const std::string& name) const {
    std::string key;
    key.reserve(name.size() * 4 + 8);
    for (unsigned char c : name) {
        if (IsIgnoredAtFirst(c)) continue;
        const unsigned weight = PrimaryWeight(c);
        key += char(weight >> 8);
        key += char(weight & 0xFF);
    }
    key += kLevelSeparator;
    for (unsigned char c : name) {
        if (IsIgnoredAtFirst(c)) continue;
        key += (c >= 'A' && c <= 'Z') ? '\x03' : '\x02';
    }
    key += kLevelSeparator;
    const uint32_t length = uint32_t(name.size());
    for (int shift = 24; shift >= 0; shift -= 8) key += char((length >> shift) & 0xFF);
    key += name;
    return key;
}
