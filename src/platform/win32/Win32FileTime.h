#pragma once
#include <windows.h>

#include "platform/FileTime.h"

// The program's file time and the Win32 FILETIME hold the same two halves.
inline TFileTime FromFiletime(const FILETIME& t) {
    TFileTime result;
    result.Low = t.dwLowDateTime;
    result.High = t.dwHighDateTime;
    return result;
}

inline FILETIME ToFiletime(const TFileTime& t) {
    FILETIME result;
    result.dwLowDateTime = t.Low;
    result.dwHighDateTime = t.High;
    return result;
}

// A FILETIME as one number of 100-ns ticks since 1601, and back.
inline uint64_t FiletimeTicks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

inline FILETIME FiletimeOfTicks(uint64_t ticks) {
    FILETIME result;
    result.dwLowDateTime = DWORD(ticks & 0xFFFFFFFFu);
    result.dwHighDateTime = DWORD(ticks >> 32);
    return result;
}
