#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One entry of a version resource's translation table.
struct TVersionTranslation {
    uint16_t Language;
    uint16_t CodePage;
};

// The version resource of an executable, read the way the version library
// reads it: its size, then the whole resource, then values out of the copy
// just read. The queries fail until a read has succeeded.
class IVersionInfo {
public:
    virtual ~IVersionInfo() = default;
    // Bytes in the resource; 0 when the executable has none.
    virtual uint32_t ResourceSize() = 0;
    // Reads the whole resource; false when it cannot be read.
    virtual bool ReadResource() = 0;
    // The file flags of the fixed file information, and that block's length
    // in bytes; false when the block cannot be read.
    virtual bool QueryFileFlags(uint32_t& flags, uint32_t& blockLength) = 0;
    // The translation table; false when there is none. A table too short
    // for one entry reads as empty.
    virtual bool QueryTranslations(std::vector<TVersionTranslation>& translations) = 0;
    // A string such as "\StringFileInfo\040904B0\FileVersion", without its
    // terminator; false when the lookup fails.
    virtual bool QueryString(const std::string& subBlock, std::string& value) = 0;
};

// The bits of the fixed file information's file flags.
enum : uint32_t {
    kVersionFlagDebug = 0x01,
    kVersionFlagPreRelease = 0x02,
    kVersionFlagPatched = 0x04,
    kVersionFlagPrivateBuild = 0x08,
    kVersionFlagInfoInferred = 0x10,
    kVersionFlagSpecialBuild = 0x20,
};
