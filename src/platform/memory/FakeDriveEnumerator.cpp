#include "platform/memory/FakeDriveEnumerator.h"

namespace {

// The mask bit of a drive letter, or 0 for anything else.
uint32_t BitOf(char letter) {
    if (letter >= 'a' && letter <= 'z') return uint32_t(1) << (letter - 'a');
    if (letter >= 'A' && letter <= 'Z') return uint32_t(1) << (letter - 'A');
    return 0;
}

}  // namespace

void TFakeDriveEnumerator::AddLetter(char letter) { Mask |= BitOf(letter); }

void TFakeDriveEnumerator::RemoveLetter(char letter) { Mask &= ~BitOf(letter); }
