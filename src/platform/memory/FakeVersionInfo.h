#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/VersionInfo.h"

// A version resource held in memory. By default the executable has none;
// tests fill in what they need. Sub-block names match ignoring case, as
// the version library matches them.
class TFakeVersionInfo : public IVersionInfo {
public:
    uint32_t ResourceSize() override { return Size; }
    bool ReadResource() override;
    bool QueryFileFlags(uint32_t& flags, uint32_t& blockLength) override;
    bool QueryTranslations(std::vector<TVersionTranslation>& translations) override;
    bool QueryString(const std::string& subBlock, std::string& value) override;

    // A string of the table for `langCharset` ("040904B0").
    void AddString(const std::string& langCharset, const std::string& key, const std::string& value);

    uint32_t Size = 0;
    bool Readable = true;
    bool HasFixedInfo = true;
    uint32_t FixedInfoLength = 52;  // the size of the real block
    uint32_t FileFlags = 0;
    bool HasTranslations = true;
    std::vector<TVersionTranslation> Translations;

    // What was asked, for tests that count the work done.
    int Reads = 0;
    int TranslationQueries = 0;
    std::vector<std::string> StringQueries;

private:
    bool Read = false;
    std::map<std::string, std::string> Strings;  // by upper-case sub-block
};
