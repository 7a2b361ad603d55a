#include "platform/memory/SimplePathCase.h"

namespace {

char32_t UpperOf(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;     // à..þ, not ÷
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;  // α..ω, not final ς
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;                // а..я
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;                // ѐ..џ
    return c;
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string TSimplePathCase::Upper(const std::string& utf8) const {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length == 1 || i + length > utf8.size()) {
            out += utf8[i++];  // ASCII, or a broken sequence kept as it is
            if (length == 1 && lead >= U'a' && lead <= U'z') out.back() = char(lead - 0x20);
            continue;
        }
        char32_t c = lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        Append(out, UpperOf(c));
        i += length;
    }
    return out;
}
