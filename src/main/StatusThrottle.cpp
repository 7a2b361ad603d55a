#include "main/StatusThrottle.h"

bool TStatusThrottle::Due(uint64_t nowMs) const {
    // A clock that went backwards counts as due, so the text never freezes.
    return !Started || nowMs < LastShown || nowMs - LastShown >= Interval;
}

void TStatusThrottle::MarkShown(uint64_t nowMs) {
    Started = true;
    LastShown = nowMs;
    HavePending = false;
    Pending.clear();
}

bool TStatusThrottle::Offer(uint64_t nowMs, const std::string& text) {
    if (Due(nowMs)) {
        MarkShown(nowMs);
        return true;
    }
    HavePending = true;
    Pending = text;
    return false;
}

bool TStatusThrottle::TakeDue(uint64_t nowMs, std::string& text) {
    if (!HavePending || !Due(nowMs)) return false;
    text = std::move(Pending);
    MarkShown(nowMs);
    return true;
}

void TStatusThrottle::Reset() {
    Started = false;
    HavePending = false;
    Pending.clear();
}
