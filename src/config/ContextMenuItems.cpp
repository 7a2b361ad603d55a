#include "config/ContextMenuItems.h"

#include "scan/PathUtils.h"

namespace {

// Code points, so that "?" takes one character of a UTF-8 name rather than
// one byte. A malformed byte stands for itself.
std::u32string Decode(const std::string& utf8) {
    std::u32string result;
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            length = 4;
            code = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            code = lead & 0x1F;
        }
        bool wellFormed = length == 1 || (lead < 0xF8 && i + length <= utf8.size());
        for (size_t k = 1; wellFormed && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!wellFormed) {
            length = 1;
            code = lead;
        }
        result.push_back(code);
        i += length;
    }
    return result;
}

char32_t Fold(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

bool RestMatchesEmpty(const std::u32string& pattern, size_t from) {
    while (from < pattern.size() && pattern[from] == U'*') ++from;
    return from == pattern.size() || pattern.compare(from, std::u32string::npos, U".*") == 0;
}

}  // namespace

TContextMenuTarget SplitContextMenuPath(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    TContextMenuTarget target;
    target.Folder = ParentFolderPath(path);
    target.Name = cut == std::string::npos ? path : path.substr(cut + 1);
    return target;
}

bool IsWildcardName(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// Greedy matching with one backtrack point: on a mismatch the last "*" takes
// one more character. Linear in practice, never exponential.
bool MatchesWildcard(const std::string& patternText, const std::string& nameText) {
    const std::u32string pattern = Decode(patternText);
    const std::u32string name = Decode(nameText);
    size_t p = 0, n = 0;
    size_t starPattern = std::u32string::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::u32string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    return RestMatchesEmpty(pattern, p);
}

std::vector<std::string> MatchingItemNames(const std::string& pattern, const std::vector<std::string>& names) {
    std::vector<std::string> result;
    for (const std::string& name : names) {
        if (name == "." || name == "..") continue;
        if (MatchesWildcard(pattern, name)) result.push_back(name);
    }
    return result;
}
