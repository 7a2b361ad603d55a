#pragma once
#include <cstdint>

// Lets a text that changes once per scanned folder through only every so
// often: drawing the status bar for every folder would cost more than the
// scan itself, and nobody can read paths at that rate anyway.
class TStatusThrottle {
public:
    explicit TStatusThrottle(uint32_t intervalMs) : Interval(intervalMs) {}

    // True when a text shown at `nowMs` is due; the first one always is.
    bool Due(uint64_t nowMs);
    // The next text is shown whatever the time.
    void Reset() { Started = false; }

private:
    uint32_t Interval;
    uint64_t LastShown = 0;
    bool Started = false;
};
