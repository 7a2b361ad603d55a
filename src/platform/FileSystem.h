#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FileTime.h"

// Attribute bits of a directory entry, as the Win32 listing reports them.
enum : uint32_t {
    kAttrReadOnly = 0x0001,
    kAttrHidden = 0x0002,
    kAttrSystem = 0x0004,
    kAttrDirectory = 0x0010,
    kAttrArchive = 0x0020,
    kAttrReparsePoint = 0x0400,
    kAttrCompressed = 0x0800,
};

// One entry of a directory listing.
struct TDirEntry {
    std::string Name;       // long name, UTF-8
    std::string ShortName;  // alternate 8.3 name; empty when the long name already is one
    uint32_t Attributes = 0;
    int64_t Length = 0;
    TFileTime CreationTime;
    TFileTime LastAccessTime;
    TFileTime LastWriteTime;
};

// An open enumeration of one folder; closed when destroyed.
class IDirListing {
public:
    virtual ~IDirListing() = default;
    // Fills `entry` with the next entry; false when there are no more.
    virtual bool Next(TDirEntry& entry) = 0;
};

// The file-system questions the scan engine asks.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // Opens a listing for a pattern such as "C:\Data\*.*"; null when the
    // folder cannot be listed (missing, access denied, not ready).
    virtual std::unique_ptr<IDirListing> OpenListing(const std::string& pattern) = 0;
    // True when a file or folder exists under the path.
    virtual bool PathExists(const std::string& path) = 0;
};
