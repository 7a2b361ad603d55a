#pragma once
#include <cstdint>
#include <string>

#include "scan/TextUtils.h"

// The one progress line a long scan keeps rewriting on a console:
// "Scanning: 1234 folders, 56789 files  C:\...\Current". Nothing is shown
// during the first second, so a quick job prints nothing; after that the
// line changes at most once a second. Each text starts with a carriage
// return and is padded to cover the line before it.
class TConsoleProgress {
public:
    explicit TConsoleProgress(uint64_t startMs, size_t width = 79, uint64_t intervalMs = 1000);

    // The text to write now, or "" when it is too soon.
    std::string Update(uint64_t nowMs, int64_t folders, int64_t files, const std::string& path);
    // Blanks the line shown last, leaving the cursor at its start; "" when
    // nothing was shown.
    std::string Erase();

private:
    size_t Width;
    uint64_t IntervalMs;
    uint64_t NextMs;
    size_t ShownLength = 0;  // characters of the line on screen
};
