#pragma once
#include <cstdint>

#include "platform/DriveList.h"

// A drive mask the test sets letter by letter.
class TFakeDriveEnumerator : public IDriveEnumerator {
public:
    // Letters outside A..Z (either case) are ignored.
    void AddLetter(char letter);
    void RemoveLetter(char letter);
    void SetMask(uint32_t mask) { Mask = mask; }

    uint32_t GetLogicalDriveMask() override { return Mask; }

private:
    uint32_t Mask = 0;
};
