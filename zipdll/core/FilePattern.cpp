#include "FilePattern.h"

#include <vector>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveInFront(const std::string& text) {
    return text.size() >= 2 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) &&
           text[1] == ':';
}

// Decodes UTF-8 leniently: a byte that does not start a valid sequence
// stands for itself, so every input gives some code points.
std::u32string Decode(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        const unsigned char c = (unsigned char)text[i];
        size_t follow = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        uint32_t cp = follow == 3 ? c & 0x07 : follow == 2 ? c & 0x0F : follow == 1 ? c & 0x1F : c;
        bool valid = c < 0x80 || follow > 0;
        if (valid && follow > 0) {
            if (n - i <= follow) valid = false;
            for (size_t k = 1; valid && k <= follow; ++k) {
                const unsigned char f = (unsigned char)text[i + k];
                if ((f & 0xC0) != 0x80) valid = false;
                cp = (cp << 6) | (f & 0x3F);
            }
        }
        if (!valid) {
            out.push_back(c);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += follow + 1;
    }
    return out;
}

// Upper case for the scripts file names commonly use: Latin (with its
// supplements and Extended-A), Greek and Cyrillic. Windows folds names with
// a full table; these ranges cover what users type in practice.
char32_t FoldCase(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs: even upper, odd lower, except 0x139..0x148 and 0x179..0x17E (odd upper).
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (oddUpper) return (c % 2 == 0) ? c - 1 : c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

std::u32string Folded(const std::string& text) {
    std::u32string out = Decode(text);
    for (char32_t& c : out) c = FoldCase(c);
    return out;
}

bool Match(const std::u32string& name, const std::u32string& pattern) {
    // Greedy matching with one backtrack point: the last "*" seen.
    size_t n = 0, p = 0, starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        // A "*" is a wildcard first, even against a "*" in the name.
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace

TFileSpecParts SplitFileSpec(const std::string& spec) {
    size_t cut = std::string::npos;
    for (size_t i = spec.size(); i-- > 0;) {
        if (IsSeparator(spec[i]) || (spec[i] == ':' && i == 1)) {
            cut = i;
            break;
        }
    }
    TFileSpecParts parts;
    if (cut == std::string::npos) {
        parts.Pattern = spec;
    } else {
        parts.Folder = spec.substr(0, cut + 1);
        parts.Pattern = spec.substr(cut + 1);
    }
    return parts;
}

bool HasWildcards(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

bool MatchesFilePattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*" || pattern == "*.*") return true;
    std::u32string folded = Folded(pattern);
    const std::u32string foldedName = Folded(name);
    if (folded.size() > 1 && folded.back() == U'.' && folded[folded.size() - 2] != U'.') {
        // "*." and "name.": only names without an extension.
        if (foldedName.find(U'.') != std::u32string::npos) return false;
        folded.pop_back();
    }
    return Match(foldedName, folded);
}

std::string FileNameKey(const std::string& name) {
    const std::u32string folded = Folded(name);
    std::string out;
    out.reserve(name.size());
    for (char32_t c : folded) {
        if (c == U'\\') c = U'/';
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

bool SameFileName(const std::string& a, const std::string& b) { return FileNameKey(a) == FileNameKey(b); }

std::string ZipStoredName(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    auto take = [&] {
        if (!part.empty() && part != "." && part != "..") parts.push_back(part);
        part.clear();
    };
    for (char c : path) {
        if (IsSeparator(c)) {
            take();
        } else {
            part.push_back(c);
        }
    }
    take();
    // A drive ("C:") in front is no part of a stored name, wherever the
    // separators and "." and ".." parts before it leave it.
    while (!parts.empty() && IsDriveInFront(parts.front())) {
        parts.front().erase(0, 2);
        if (parts.front().empty() || parts.front() == "." || parts.front() == "..") parts.erase(parts.begin());
    }
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out.push_back('/');
        out += parts[i];
    }
    return out;
}
