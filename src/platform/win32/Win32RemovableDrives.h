#pragma once
#include "platform/RemovableDrives.h"

// The drive type as GetDriveType reports it.
class TWin32RemovableDrives : public IRemovableDrives {
public:
    bool IsRemovableOrCdRom(const std::string& root) override;
};
