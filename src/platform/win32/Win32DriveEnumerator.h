#pragma once
#include <cstdint>

#include "platform/DriveList.h"

// The drive letters GetLogicalDrives reports.
class TWin32DriveEnumerator : public IDriveEnumerator {
public:
    uint32_t GetLogicalDriveMask() override;
};
