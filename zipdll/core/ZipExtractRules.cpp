#include "ZipExtractRules.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsSeparator(char32_t c) { return c == U'/' || c == U'\\'; }

char Fold(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char32_t Fold(char32_t c) { return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c; }

bool SameCharacter(char32_t a, char32_t b) { return Fold(a) == Fold(b) || (IsSeparator(a) && IsSeparator(b)); }

// The characters of UTF-8 text, so that "?" takes a whole one and "*" never
// ends inside one. A byte that starts no valid sequence (cut short,
// overlong, a surrogate, past U+10FFFF) stands for itself.
std::u32string Characters(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = (unsigned char)text[i];
        const size_t follow = lead >= 0xF0 && lead < 0xF5   ? 3
                              : lead >= 0xE0 && lead < 0xF0 ? 2
                              : lead >= 0xC2 && lead < 0xE0 ? 1
                                                            : 0;
        char32_t c = lead & (0x3F >> follow);
        bool valid = follow > 0 && text.size() - i > follow;
        for (size_t k = 1; valid && k <= follow; ++k) {
            const unsigned char next = (unsigned char)text[i + k];
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || c < kSmallest[follow] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(lead);
            ++i;
        } else {
            out.push_back(c);
            i += follow + 1;
        }
    }
    return out;
}

// Windows opens a device for these names whatever extension follows and
// whatever spaces trail the stem: "con.txt", "Nul .log", "COM1".
bool IsDeviceName(const std::string& component) {
    std::string stem = component.substr(0, component.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = Fold(c);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices)) return true;
    const bool port = stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0;
    if (port && stem.size() == 4 && stem[3] >= '0' && stem[3] <= '9') return true;
    // COM and LPT with a superscript digit (UTF-8 of U+00B9, U+00B2, U+00B3).
    return port && stem.size() == 5 && (unsigned char)stem[3] == 0xC2 &&
           ((unsigned char)stem[4] == 0xB9 || (unsigned char)stem[4] == 0xB2 || (unsigned char)stem[4] == 0xB3);
}

bool IsForbiddenCharacter(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*' ||
           c == '/' || c == '\\';
}

constexpr uint64_t kDosStep = 2 * 10000000ull;
constexpr uint64_t kUnixEpochAsFiletime = 116444736000000000ull;

}  // namespace

const char* ZipNameComponentProblem(const std::string& component) {
    if (component.empty()) return "the name has an empty part";
    if (component == "..") return "the name climbs out of the extraction folder with \"..\"";
    // Windows drops trailing dots and spaces, so ". ." or "..." would become
    // ".." or nothing, and "a." the same file as "a".
    if (std::all_of(component.begin(), component.end(), [](char c) { return c == '.' || c == ' '; }))
        return "the name has a part made only of dots and spaces";
    if (std::any_of(component.begin(), component.end(), [](char c) { return IsForbiddenCharacter((unsigned char)c); }))
        return "the name holds a character that Windows does not allow in file names";
    if (component.back() == '.' || component.back() == ' ')
        return "the name has a part that ends with a dot or a space";
    if (IsDeviceName(component)) return "the name is a Windows device name";
    return nullptr;
}

bool ZipNameMatchesSpec(const std::string& nameText, const std::string& specText) {
    const std::u32string name = Characters(nameText), spec = Characters(specText);
    // Greedy matching with one backtrack point: the last `*` seen.
    size_t n = 0, s = 0;
    size_t starSpec = std::u32string::npos, starName = 0;
    while (n < name.size()) {
        if (s < spec.size() && spec[s] == U'*') {
            starSpec = s++;
            starName = n;
        } else if (s < spec.size() && (spec[s] == U'?' || SameCharacter(spec[s], name[n]))) {
            ++n;
            ++s;
        } else if (starSpec != std::u32string::npos) {
            s = starSpec + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (s < spec.size() && spec[s] == U'*') ++s;
    return s == spec.size();
}

bool ZipNameSelected(const std::string& name, const std::vector<std::string>& specs) {
    if (specs.empty()) return true;
    for (const std::string& spec : specs)
        if (ZipNameMatchesSpec(name, spec)) return true;
    return false;
}

EZipWriteChoice ChooseZipWrite(const TZipWriteRules& rules, bool targetExists, bool entryIsNewer) {
    if (rules.Freshen || rules.Update) {
        if (!targetExists) return rules.Update ? EZipWriteChoice::Write : EZipWriteChoice::SkipMissing;
        return entryIsNewer ? EZipWriteChoice::Write : EZipWriteChoice::SkipNotNewer;
    }
    if (!targetExists || rules.Overwrite) return EZipWriteChoice::Write;
    return EZipWriteChoice::SkipExisting;
}

bool ZipEntryIsNewer(uint64_t entryTime, uint64_t fileTime, bool dosPrecision) {
    const uint64_t slack = dosPrecision ? kDosStep : 0;
    return entryTime > fileTime && entryTime - fileTime > slack;
}

uint64_t UnixTimeToFiletime(int64_t seconds) {
    const int64_t lowest = -int64_t(kUnixEpochAsFiletime / 10000000ull);
    if (seconds < lowest || seconds > int64_t(UINT64_MAX / 10000000ull) + lowest) return 0;
    return uint64_t(seconds - lowest) * 10000000ull;
}
