#include "ZipExtractRules.h"

#include <cstdint>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char Fold(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool SameCharacter(char a, char b) { return Fold(a) == Fold(b) || (IsSeparator(a) && IsSeparator(b)); }

// The length of the UTF-8 character that starts with `lead`.
size_t CharacterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

constexpr uint64_t kDosStep = 2 * 10000000ull;
constexpr uint64_t kUnixEpochAsFiletime = 116444736000000000ull;

}  // namespace

bool ZipNameMatchesSpec(const std::string& name, const std::string& spec) {
    // Greedy matching with one backtrack point: the last `*` seen.
    size_t n = 0, s = 0;
    size_t starSpec = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (s < spec.size() && spec[s] == '*') {
            starSpec = s++;
            starName = n;
        } else if (s < spec.size() && spec[s] == '?') {
            n += CharacterLength((unsigned char)name[n]);
            ++s;
        } else if (s < spec.size() && SameCharacter(spec[s], name[n])) {
            ++n;
            ++s;
        } else if (starSpec != std::string::npos) {
            s = starSpec + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (s < spec.size() && spec[s] == '*') ++s;
    return s == spec.size() && n == name.size();
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
