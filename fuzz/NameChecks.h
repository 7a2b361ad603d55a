#pragma once
// What every name the extractor would create must be, stated on its own
// here (a second statement of the rule, so that the two can disagree), and
// checked together with the rule the extractor applies.
#include <algorithm>
#include <string>

#include "zipdll/core/ZipEntryName.h"
#include "zipdll/core/ZipExtractRules.h"

namespace FuzzNames {

inline bool IsDevice(const std::string& part) {
    std::string stem = part.substr(0, part.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$" ||
        stem == "CLOCK$")
        return true;
    const std::string port = stem.substr(0, 3);
    if (port != "COM" && port != "LPT") return false;
    const std::string number = stem.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

// A file or folder name Windows creates exactly as it is.
inline bool IsCreatedAsItIs(const std::string& part) {
    if (part.empty() || part.find_first_not_of(". ") == std::string::npos) return false;
    if (part.back() == '.' || part.back() == ' ') return false;
    for (unsigned char c : part)
        if (c < 0x20 || c == 0x7F || std::string("<>:\"|?*/\\").find(char(c)) != std::string::npos) return false;
    return !IsDevice(part);
}

// A refused name yields no path; an accepted one yields parts that both
// statements of the rule accept, joined as they were found.
inline void CheckEntryName(const std::string& name) {
    bool refused[2] = {false, false};
    for (bool keepFolders : {true, false}) {
        const TZipEntryName parsed = ParseZipEntryName(name, keepFolders);
        refused[keepFolders] = parsed.Refused();
        if (parsed.Refused()) {
            if (!parsed.Path.empty() || !parsed.Components.empty()) __builtin_trap();
            continue;
        }
        if (parsed.Components.empty()) __builtin_trap();
        for (const std::string& part : parsed.Components)
            if (ZipNameComponentProblem(part) || !IsCreatedAsItIs(part)) __builtin_trap();
        const std::string whole = JoinZipComponents(parsed.Components, parsed.Components.size());
        const std::string expected = keepFolders ? whole : parsed.IsFolder ? std::string() : parsed.Components.back();
        if (parsed.Path != expected) __builtin_trap();
        // What is created: every part of the path, split where the extractor joined.
        size_t start = 0;
        while (!parsed.Path.empty() && start <= parsed.Path.size()) {
            const size_t end = std::min(parsed.Path.find('\\', start), parsed.Path.size());
            const std::string part = parsed.Path.substr(start, end - start);
            if (ZipNameComponentProblem(part) || !IsCreatedAsItIs(part)) __builtin_trap();
            start = end + 1;
        }
    }
    if (refused[0] != refused[1]) __builtin_trap();
}

}  // namespace FuzzNames
