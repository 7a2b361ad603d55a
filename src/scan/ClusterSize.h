#pragma once
#include <cstdint>
#include <string>

#include "platform/DriveInfo.h"

// File-system name of the drive, or "" when its volume information cannot be read.
std::string GetFileSystemName(IDriveInfo& drives, const std::string& root);

// Cluster size of the drive in bytes, -1 when it cannot be told. FAT32 drives
// are asked through the FAT32 request (4096 when that fails); CD-ROMs always
// count 2048; every other drive reports its own figures.
int32_t GetClusterSize(IDriveInfo& drives, const std::string& root);

// True when the volume keeps file names case-sensitively. An unreadable
// volume counts as case-insensitive, the usual Windows behaviour.
bool IsCaseSensitiveVolume(IDriveInfo& drives, const std::string& root);
