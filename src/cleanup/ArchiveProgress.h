#pragma once
#include <cstdint>

// The archive dialog's progress bar: bytes done from the library's file and
// step events, as a percentage that never moves back and never passes 100.
class TArchiveProgress {
public:
    static constexpr int64_t kStepBytes = 32768;

    explicit TArchiveProgress(int64_t total) : Total(total) {}

    // A new file begins: the one before counts as done whole, whatever its
    // steps added up to. True when the bar moved.
    bool FileBegins(uint32_t fileSize);
    bool Step();

    int Percent() const { return Bar; }
    int64_t Done() const { return DoneBytes; }

private:
    bool SetDone(int64_t done);

    int64_t Total;
    int64_t DoneBytes = 0;
    int64_t FileStart = 0;
    int64_t FileSize = 0;
    int Bar = 0;
};
