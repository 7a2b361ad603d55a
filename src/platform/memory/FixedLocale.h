#pragma once
#include <string>

#include "platform/Locale.h"

// A locale that never changes: English day and month names, "," and "." as
// separators unless set otherwise, and one fixed offset from UTC all year.
class TFixedLocale : public ILocale {
public:
    explicit TFixedLocale(int utcOffsetMinutes = 0);

    void SetThousandsSeparator(const std::string& separator) { Thousands = separator; }
    void SetDecimalSeparator(const std::string& separator) { Decimal = separator; }
    // Minutes to add to UTC for local time; east of Greenwich is positive.
    void SetUtcOffsetMinutes(int minutes) { OffsetMinutes = minutes; }

    std::string ThousandsSeparator() const override { return Thousands; }
    std::string DecimalSeparator() const override { return Decimal; }
    std::string LongDayName(int day) const override;
    std::string LongMonthName(int month) const override;
    // Saturates at the ends of the file-time range instead of wrapping.
    TFileTime UtcToLocalTime(const TFileTime& utc) const override;
    // M/d/yyyy: 12/7/2026.
    std::string ShortDate(int year, int month, int day) const override;
    // h:mm:ss AM/PM on the 12-hour clock: 1:05:09 PM, 12:00:00 AM at midnight.
    std::string LongTime(int hour, int minute, int second) const override;

private:
    std::string Thousands = ",";
    std::string Decimal = ".";
    int OffsetMinutes;
};
