#include "main/StatusThrottle.h"

bool TStatusThrottle::Due(uint64_t nowMs) {
    // A clock that went backwards counts as due, so the text never freezes.
    if (Started && nowMs >= LastShown && nowMs - LastShown < Interval) return false;
    Started = true;
    LastShown = nowMs;
    return true;
}
