// The rules for names: the add library's file patterns and stored names,
// the extract library's specifications and extracted names. The matchers
// are held to plain statements of what they match, worked out the slow way.
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "NameChecks.h"
#include "zipdll/core/FilePattern.h"
#include "zipdll/core/ZipExtractRules.h"

namespace {

// The characters of UTF-8 text; a byte that starts no valid sequence (cut
// short, overlong, a surrogate, past U+10FFFF) stands for itself.
std::u32string Characters(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = (unsigned char)text[i];
        const size_t follow = lead >= 0xF0 && lead < 0xF5   ? 3
                              : lead >= 0xE0 && lead < 0xF0 ? 2
                              : lead >= 0xC2 && lead < 0xE0 ? 1
                                                            : 0;
        char32_t c = follow == 3 ? lead & 0x07 : follow == 2 ? lead & 0x0F : lead & 0x1F;
        bool valid = follow > 0 && text.size() - i > follow;
        for (size_t k = 1; valid && k <= follow; ++k) {
            const unsigned char next = (unsigned char)text[i + k];
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (valid && (c < kSmallest[follow] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
        if (!valid) {
            out.push_back(lead);
            ++i;
            continue;
        }
        out.push_back(c);
        i += follow + 1;
    }
    return out;
}

// The code points of the program's own encoding of folded names.
std::u32string KeyCharacters(const std::string& key) {
    std::u32string out;
    for (size_t i = 0; i < key.size();) {
        const unsigned char lead = (unsigned char)key[i];
        const size_t follow = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = follow == 3 ? lead & 0x07 : follow == 2 ? lead & 0x0F : follow == 1 ? lead & 0x1F : lead;
        for (size_t k = 1; k <= follow && i + k < key.size(); ++k) c = (c << 6) | ((unsigned char)key[i + k] & 0x3F);
        out.push_back(c);
        i += follow + 1;
    }
    return out;
}

// "*" any run of characters, "?" exactly one, anything else a character
// that `same` finds equal: the table of which name prefixes each pattern
// prefix matches.
template <typename TSame>
bool SlowMatch(const std::u32string& name, const std::u32string& pattern, TSame same) {
    // One row per pattern prefix, kept two at a time.
    std::vector<char> before(name.size() + 1, 0), row(name.size() + 1, 0);
    before[0] = 1;
    for (const char32_t wanted : pattern) {
        row[0] = wanted == U'*' && before[0];
        for (size_t n = 1; n <= name.size(); ++n) {
            if (wanted == U'*')
                row[n] = before[n] || row[n - 1];
            else
                row[n] = (wanted == U'?' || same(wanted, name[n - 1])) && before[n - 1];
        }
        before.swap(row);
    }
    return before[name.size()] != 0;
}

char32_t FoldAscii(char32_t c) { return c >= U'a' && c <= U'z' ? c - 32 : c; }

bool SameInSpecification(char32_t a, char32_t b) {
    const auto separator = [](char32_t c) { return c == U'/' || c == U'\\'; };
    return FoldAscii(a) == FoldAscii(b) || (separator(a) && separator(b));
}

bool HasSeparator(const std::string& text) { return text.find_first_of("/\\") != std::string::npos; }

std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 32);
    return text;
}

constexpr size_t kSlowLimit = 120;  // longer names skip the slow statements

void CheckSpecification(const std::string& name, const std::string& spec) {
    if (!ZipNameMatchesSpec(name, "*") || !ZipNameSelected(name, {})) __builtin_trap();
    if (name.find_first_of("*?") == std::string::npos && !ZipNameMatchesSpec(name, AsciiUpper(name))) __builtin_trap();
    if (name.size() > kSlowLimit || spec.size() > kSlowLimit) return;
    if (ZipNameMatchesSpec(name, spec) != SlowMatch(Characters(name), Characters(spec), SameInSpecification))
        __builtin_trap();
}

void CheckFilePattern(const std::string& name, const std::string& pattern) {
    if (!MatchesFilePattern(name, "*") || !MatchesFilePattern(name, "*.*")) __builtin_trap();
    if (FileNameKey(FileNameKey(name)) != FileNameKey(name) || !SameFileName(name, AsciiUpper(name))) __builtin_trap();
    if (HasSeparator(name) || HasSeparator(pattern) || name.size() > kSlowLimit || pattern.size() > kSlowLimit) return;
    bool expected = false;
    if (pattern == "*" || pattern == "*.*") {
        expected = true;
    } else {
        const std::u32string foldedName = KeyCharacters(FileNameKey(name));
        std::u32string folded = KeyCharacters(FileNameKey(pattern));
        // A pattern ending in one "." wants a name without an extension.
        const bool noExtension = folded.size() > 1 && folded.back() == U'.' && folded[folded.size() - 2] != U'.';
        if (noExtension) folded.pop_back();
        expected = (!noExtension || foldedName.find(U'.') == std::u32string::npos) &&
                   SlowMatch(foldedName, folded, [](char32_t a, char32_t b) { return a == b; });
    }
    if (MatchesFilePattern(name, pattern) != expected) __builtin_trap();
}

void CheckStoredName(const std::string& path) {
    const std::string stored = ZipStoredName(path);
    if (ZipStoredName(stored) != stored || stored.find('\\') != std::string::npos) __builtin_trap();
    const bool drive =
        stored.size() >= 2 && stored[1] == ':' && ((stored[0] | 0x20) >= 'a' && (stored[0] | 0x20) <= 'z');
    if (!stored.empty() && (stored[0] == '/' || drive)) __builtin_trap();
    size_t start = 0;
    while (!stored.empty() && start <= stored.size()) {
        const size_t end = std::min(stored.find('/', start), stored.size());
        const std::string part = stored.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") __builtin_trap();
        start = end + 1;
    }
}

void CheckSplit(const std::string& spec) {
    const TFileSpecParts parts = SplitFileSpec(spec);
    if (parts.Folder + parts.Pattern != spec || HasSeparator(parts.Pattern)) __builtin_trap();
    if (!parts.Folder.empty()) {
        const char last = parts.Folder.back();
        if (last != '/' && last != '\\' && !(last == ':' && parts.Folder.size() == 2)) __builtin_trap();
    }
}

}  // namespace

int FuzzZipNames(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const std::string name = input.Counted(true);
    const std::string pattern = input.Rest();
    CheckSpecification(name, pattern);
    CheckFilePattern(name, pattern);
    CheckStoredName(name);
    CheckStoredName(pattern);
    CheckSplit(pattern);
    FuzzNames::CheckEntryName(name);
    FuzzNames::CheckEntryName(pattern);
    return 0;
}
