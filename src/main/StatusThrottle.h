#pragma once
#include <cstdint>
#include <string>

// Lets a text that changes once per scanned folder through only every so
// often: drawing the status bar for every folder would cost more than the
// scan itself, and nobody can read paths at that rate anyway. A text held
// back is kept, so that the one that is still current gets shown once its
// time has come, even when no newer text follows for a long while.
class TStatusThrottle {
public:
    explicit TStatusThrottle(uint32_t intervalMs) : Interval(intervalMs) {}

    // True when a text offered at `nowMs` is to be shown now; the first one
    // always is. Otherwise the text is held back in place of any older one.
    bool Offer(uint64_t nowMs, const std::string& text);
    // The held-back text, once it is due; false while there is none or it
    // must wait. A text taken counts as shown.
    bool TakeDue(uint64_t nowMs, std::string& text);
    // The next text is shown whatever the time; a held-back one is dropped.
    void Reset();

private:
    bool Due(uint64_t nowMs) const;
    void MarkShown(uint64_t nowMs);

    uint32_t Interval;
    uint64_t LastShown = 0;
    bool Started = false;
    bool HavePending = false;
    std::string Pending;
};
