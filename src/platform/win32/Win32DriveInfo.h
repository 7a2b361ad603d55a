#pragma once
#include <cstdint>
#include <string>

#include "platform/DriveInfo.h"

// Drive questions answered by the Win32 volume and free-space calls.
class TWin32DriveInfo : public IDriveInfo {
public:
    bool GetVolumeInfo(const std::string& root, TVolumeInformation& info) override;
    int32_t GetFat32ClusterSize(const std::string& root) override;
    int32_t GetDiskClusterSize(const std::string& root) override;
    int64_t GetDriveTotalBytes(const std::string& root) override;
    int64_t GetDriveFreeBytes(const std::string& root) override;
    bool IsFixedDrive(const std::string& root) override;
};
