#pragma once
#include <map>
#include <set>
#include <utility>

#include "platform/ProfileFile.h"

// Profile files held in memory. Sections and keys keep the order they were
// written in; names compare without regard to case, as the system's do.
class TMemoryProfileFiles : public IProfileFiles {
public:
    using TSection = std::vector<std::pair<std::string, std::string>>;
    using TFile = std::vector<std::pair<std::string, TSection>>;

    std::vector<std::string> KeyNames(const std::string& file, const std::string& section) override;
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;

    bool Exists(const std::string& file) const { return Files.count(file) != 0; }
    void Remove(const std::string& file) { Files.erase(file); }

    std::map<std::string, TFile> Files;
    // Files that refuse to be written, like a read-only file or a full disk.
    std::set<std::string> ReadOnly;

private:
    TSection* Find(const std::string& file, const std::string& section);
};
