#include "platform/memory/MemoryProfileFiles.h"

#include <algorithm>
#include <cctype>

namespace {
bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower((unsigned char)x) == std::tolower((unsigned char)y);
           });
}
}  // namespace

TMemoryProfileFiles::TSection* TMemoryProfileFiles::Find(const std::string& file, const std::string& section) {
    const auto found = Files.find(file);
    if (found == Files.end()) return nullptr;
    for (auto& [name, keys] : found->second)
        if (SameName(name, section)) return &keys;
    return nullptr;
}

std::vector<std::string> TMemoryProfileFiles::KeyNames(const std::string& file, const std::string& section) {
    std::vector<std::string> names;
    if (const TSection* keys = Find(file, section))
        for (const auto& [key, value] : *keys) names.push_back(key);
    return names;
}

std::string TMemoryProfileFiles::ReadString(const std::string& file, const std::string& section, const std::string& key,
                                            const std::string& fallback) {
    if (const TSection* keys = Find(file, section))
        for (const auto& [name, value] : *keys)
            if (SameName(name, key)) return value;
    return fallback;
}

bool TMemoryProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& value) {
    if (ReadOnly.count(file)) return false;
    TSection* keys = Find(file, section);
    if (!keys) {
        Files[file].emplace_back(section, TSection{});
        keys = &Files[file].back().second;
    }
    for (auto& [name, old] : *keys)
        if (SameName(name, key)) {
            old = value;
            return true;
        }
    keys->emplace_back(key, value);
    return true;
}

bool TMemoryProfileFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    if (ReadOnly.count(file)) return false;
    TSection* keys = Find(file, section);
    if (!keys) return true;
    keys->erase(
        std::remove_if(keys->begin(), keys->end(), [&](const auto& entry) { return SameName(entry.first, key); }),
        keys->end());
    return true;
}
