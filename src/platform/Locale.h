#pragma once
#include <string>

#include "platform/FileTime.h"

// The user's regional settings, as far as the size and date texts need them.
// Every text is UTF-8.
class ILocale {
public:
    virtual ~ILocale() = default;
    // May be empty when the user groups digits without a separator.
    virtual std::string ThousandsSeparator() const = 0;
    virtual std::string DecimalSeparator() const = 0;
    // `day` counts from 0 = Sunday to 6 = Saturday; "" outside that range.
    virtual std::string LongDayName(int day) const = 0;
    // `month` counts from 1 = January to 12 = December; "" outside that range.
    virtual std::string LongMonthName(int month) const = 0;
    // The local time of a UTC file time, under the time-zone rules in force
    // at that date (so a summer date keeps its summer offset in winter).
    virtual TFileTime UtcToLocalTime(const TFileTime& utc) const = 0;
    // The locale's short date, such as 12/7/2026, of a valid calendar date.
    virtual std::string ShortDate(int year, int month, int day) const = 0;
    // The locale's long time, such as 1:05:09 PM; `hour` runs from 0 to 23.
    virtual std::string LongTime(int hour, int minute, int second) const = 0;
};
