#pragma once
#include <cstdint>
#include <string>

// Volume information of a drive, as GetVolumeInformation reports it.
struct TVolumeInformation {
    std::string VolumeName;
    uint32_t SerialNumber = 0;
    uint32_t MaxComponentLength = 0;
    uint32_t FileSystemFlags = 0;  // bit 0: file names are case-sensitive
    std::string FileSystemName;    // "FAT32", "NTFS", "CDFS", ...
};

enum : uint32_t { kVolumeCaseSensitive = 0x0001 };

// What the program asks the system about a drive, given its root ("C:\").
// Every call reports failure through its result and never throws.
class IDriveInfo {
public:
    virtual ~IDriveInfo() = default;
    // True when the volume information could be read; `info` is cleared first.
    virtual bool GetVolumeInfo(const std::string& root, TVolumeInformation& info) = 0;
    // Cluster size through the FAT32 extended free-space request; -1 on failure.
    virtual int32_t GetFat32ClusterSize(const std::string& root) = 0;
    // Sectors per cluster x bytes per sector; -1 on failure.
    virtual int32_t GetDiskClusterSize(const std::string& root) = 0;
    virtual int64_t GetDriveTotalBytes(const std::string& root) = 0;  // -1 when unknown
    virtual int64_t GetDriveFreeBytes(const std::string& root) = 0;   // -1 when unknown
    virtual bool IsFixedDrive(const std::string& root) = 0;
};
