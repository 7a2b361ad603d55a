#include "cleanup/ArchiveProgress.h"

bool TArchiveProgress::FileBegins(uint32_t fileSize) {
    const int64_t done = FileStart + FileSize;
    FileStart = done;
    FileSize = fileSize;
    return SetDone(done);
}

bool TArchiveProgress::Step() { return SetDone(DoneBytes + kStepBytes); }

bool TArchiveProgress::SetDone(int64_t done) {
    DoneBytes = done;
    // Nothing to measure against: the bar waits for the results.
    if (Total <= 0) return false;
    const int64_t percent = done * 100 / Total;
    if (percent <= Bar || percent > 100) return false;
    Bar = int(percent);
    return true;
}
