#include "platform/memory/FakeDriveInfo.h"

namespace {

std::string KeyOf(const std::string& root) {
    std::string key = root;
    if (!key.empty() && key[0] >= 'a' && key[0] <= 'z') key[0] = char(key[0] - 'a' + 'A');
    return key;
}

}  // namespace

TFakeDrive& TFakeDriveInfo::AddDrive(const std::string& root) { return Drives[KeyOf(root)]; }

void TFakeDriveInfo::RemoveDrive(const std::string& root) { Drives.erase(KeyOf(root)); }

const TFakeDrive* TFakeDriveInfo::Find(const std::string& root) const {
    const auto it = Drives.find(KeyOf(root));
    return it == Drives.end() ? nullptr : &it->second;
}

bool TFakeDriveInfo::GetVolumeInfo(const std::string& root, TVolumeInformation& info) {
    info = TVolumeInformation();
    const TFakeDrive* drive = Find(root);
    if (!drive || !drive->VolumeReadable) return false;
    info = drive->Volume;
    return true;
}

int32_t TFakeDriveInfo::GetFat32ClusterSize(const std::string& root) {
    const TFakeDrive* drive = Find(root);
    return drive ? drive->Fat32ClusterSize : -1;
}

int32_t TFakeDriveInfo::GetDiskClusterSize(const std::string& root) {
    const TFakeDrive* drive = Find(root);
    return drive ? drive->DiskClusterSize : -1;
}

int64_t TFakeDriveInfo::GetDriveTotalBytes(const std::string& root) {
    const TFakeDrive* drive = Find(root);
    return drive ? drive->TotalBytes : -1;
}

int64_t TFakeDriveInfo::GetDriveFreeBytes(const std::string& root) {
    const TFakeDrive* drive = Find(root);
    return drive ? drive->FreeBytes : -1;
}

bool TFakeDriveInfo::IsFixedDrive(const std::string& root) {
    const TFakeDrive* drive = Find(root);
    return drive && drive->Fixed;
}
