#include "scan/ClusterSize.h"

#include "scan/TextUtils.h"

std::string GetFileSystemName(IDriveInfo& drives, const std::string& root) {
    TVolumeInformation info;
    if (!drives.GetVolumeInfo(root, info)) return std::string();
    return info.FileSystemName;
}

int32_t GetClusterSize(IDriveInfo& drives, const std::string& root) {
    const std::string fileSystem = AsciiUpper(GetFileSystemName(drives, root));
    if (fileSystem == "FAT32") {
        const int32_t size = drives.GetFat32ClusterSize(root);
        return size < 1 ? 4096 : size;
    }
    if (fileSystem == "CDFS") return 2048;
    return drives.GetDiskClusterSize(root);
}

bool IsCaseSensitiveVolume(IDriveInfo& drives, const std::string& root) {
    TVolumeInformation info;
    if (!drives.GetVolumeInfo(root, info)) return false;
    return (info.FileSystemFlags & kVolumeCaseSensitive) != 0;
}
