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
