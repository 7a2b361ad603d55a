#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "platform/DriveInfo.h"

// What a fake drive answers. Defaults describe a drive that reads but
// reports nothing useful; tests set the fields they depend on.
struct TFakeDrive {
    TVolumeInformation Volume;
    bool VolumeReadable = true;  // false: GetVolumeInfo fails, as with no disc in the drive
    int32_t Fat32ClusterSize = -1;
    int32_t DiskClusterSize = -1;
    int64_t TotalBytes = -1;
    int64_t FreeBytes = -1;
    bool Fixed = false;
};

// Drive information held in memory. Roots are matched like Windows drive
// roots: the letter ignores case, the rest must match exactly ("C:\").
// A root that was never added answers like a missing drive.
class TFakeDriveInfo : public IDriveInfo {
public:
    // Adds the drive, or returns the existing one; the reference stays valid
    // for the life of this object.
    TFakeDrive& AddDrive(const std::string& root);
    void RemoveDrive(const std::string& root);

    bool GetVolumeInfo(const std::string& root, TVolumeInformation& info) override;
    int32_t GetFat32ClusterSize(const std::string& root) override;
    int32_t GetDiskClusterSize(const std::string& root) override;
    int64_t GetDriveTotalBytes(const std::string& root) override;
    int64_t GetDriveFreeBytes(const std::string& root) override;
    bool IsFixedDrive(const std::string& root) override;

private:
    const TFakeDrive* Find(const std::string& root) const;

    std::map<std::string, TFakeDrive> Drives;
};
