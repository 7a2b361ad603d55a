#pragma once
#include <string>

// Which drives hold media that come and go. A folder moved to a floppy,
// a removable disk or a CD-ROM would leave with the medium, so the move
// dialog never proposes them.
class IRemovableDrives {
public:
    virtual ~IRemovableDrives() = default;
    // True for a removable drive or a CD-ROM drive, given its root ("C:\").
    virtual bool IsRemovableOrCdRom(const std::string& root) = 0;
};
