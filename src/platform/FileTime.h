#pragma once
#include <cstdint>

// A file time as the file system reports it: 100-nanosecond intervals since
// 1 January 1601 UTC, kept as two 32-bit halves like the Win32 FILETIME.
struct TFileTime {
    uint32_t Low = 0;
    uint32_t High = 0;
};

inline uint64_t FileTimeValue(const TFileTime& t) { return (uint64_t(t.High) << 32) | t.Low; }

inline TFileTime MakeFileTime(uint64_t value) {
    TFileTime t;
    t.Low = uint32_t(value);
    t.High = uint32_t(value >> 32);
    return t;
}

// Keeps the later of the two times in `latest`.
inline void TakeLaterTime(TFileTime& latest, const TFileTime& candidate) {
    if (FileTimeValue(candidate) > FileTimeValue(latest)) latest = candidate;
}
