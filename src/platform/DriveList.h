#pragma once
#include <cstdint>

// Which drive letters the system has. Bit i of the mask stands for the
// letter 'A' + i, as GetLogicalDrives reports them.
class IDriveEnumerator {
public:
    virtual ~IDriveEnumerator() = default;
    // 0 when the system cannot tell.
    virtual uint32_t GetLogicalDriveMask() = 0;
};
