#pragma once
#include <cstdint>
#include <string>

#include "platform/FileTime.h"
#include "platform/Locale.h"

// A file time split into its calendar fields (proleptic Gregorian calendar).
struct TCalendarTime {
    int Year = 1601;
    int Month = 1;  // 1 = January
    int Day = 1;
    int DayOfWeek = 1;  // 0 = Sunday
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// The calendar fields of a file time as it stands, with no time-zone
// conversion; ticks below a millisecond are dropped.
TCalendarTime SplitFileTime(const TFileTime& t);

// Long local date such as "Monday, December 7, 2026 01:05:09 PM"; the time is
// left out when the local time is exactly midnight.
std::string FormatFileTime(const TFileTime& utc, const ILocale& locale);

// Local time packed as a FAT directory date (high 16 bits) and time (low 16
// bits). 0 when the local year lies outside 1980..2107, which the packed form
// cannot hold; 0 is never a valid packed date, as it has month and day 0.
uint32_t FileTimeToDosDate(const TFileTime& utc, const ILocale& locale);

inline bool IsZeroFileTime(const TFileTime& t) { return t.Low == 0 && t.High == 0; }
