#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/VersionInfo.h"

// The version resource of a file, through the system's version library.
class TWin32VersionInfo : public IVersionInfo {
public:
    // The running executable.
    TWin32VersionInfo();
    explicit TWin32VersionInfo(const std::string& path);

    uint32_t ResourceSize() override;
    bool ReadResource() override;
    bool QueryFileFlags(uint32_t& flags, uint32_t& blockLength) override;
    bool QueryTranslations(std::vector<TVersionTranslation>& translations) override;
    bool QueryString(const std::string& subBlock, std::string& value) override;

private:
    // The value at `subBlock` of the last resource read, and its length
    // (bytes, or characters for strings); false when there is none.
    bool Query(const wchar_t* subBlock, void*& value, UINT& length) const;

    std::wstring FileName;
    std::vector<uint8_t> Resource;  // empty until a read succeeded
};
