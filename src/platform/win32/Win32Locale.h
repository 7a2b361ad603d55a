#pragma once
#include <string>

#include "platform/Locale.h"

// The user's regional settings, read once when constructed; the time zone is
// the system's current one, applied with the rules in force at each date.
class TWin32Locale : public ILocale {
public:
    TWin32Locale();

    std::string ThousandsSeparator() const override { return Thousands; }
    std::string DecimalSeparator() const override { return Decimal; }
    std::string LongDayName(int day) const override;
    std::string LongMonthName(int month) const override;
    // Returns the time unchanged when the system cannot convert it.
    TFileTime UtcToLocalTime(const TFileTime& utc) const override;
    // Both ask the system each time, so they follow the user's current
    // formats; the English forms stand in when the system cannot format.
    std::string ShortDate(int year, int month, int day) const override;
    std::string LongTime(int hour, int minute, int second) const override;

private:
    std::string Thousands;
    std::string Decimal;
    std::string DayNames[7];     // from Sunday
    std::string MonthNames[12];  // from January
};
