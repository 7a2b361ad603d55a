#include "scan/DateText.h"

namespace {

const uint64_t kTicksPerMillisecond = 10000;
const uint64_t kMillisecondsPerDay = 86400000;

// 1 January 1601, the first day of file time, counted from 1 March of year 0,
// where the calendar arithmetic below starts its 400-year eras.
const uint64_t kFileTimeEpochFromMarch0 = 584694;

std::string TwoDigits(int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); }

}  // namespace

TCalendarTime SplitFileTime(const TFileTime& t) {
    const uint64_t milliseconds = FileTimeValue(t) / kTicksPerMillisecond;
    const uint64_t days = milliseconds / kMillisecondsPerDay;
    const uint64_t msOfDay = milliseconds % kMillisecondsPerDay;

    TCalendarTime c;
    c.Hour = int(msOfDay / 3600000);
    c.Minute = int(msOfDay / 60000 % 60);
    c.Second = int(msOfDay / 1000 % 60);
    c.Millisecond = int(msOfDay % 1000);
    c.DayOfWeek = int((days + 1) % 7);  // 1 January 1601 was a Monday

    // Years counted from 1 March, so that the leap day ends each year.
    const uint64_t fromMarch0 = days + kFileTimeEpochFromMarch0;
    const uint64_t era = fromMarch0 / 146097;
    const uint64_t dayOfEra = fromMarch0 % 146097;
    const uint64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const uint64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    c.Day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    c.Month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    c.Year = int(era * 400 + yearOfEra) + (c.Month <= 2 ? 1 : 0);
    return c;
}

std::string FormatFileTime(const TFileTime& utc, const ILocale& locale) {
    const TCalendarTime c = SplitFileTime(locale.UtcToLocalTime(utc));
    std::string text = locale.LongDayName(c.DayOfWeek) + ", " + locale.LongMonthName(c.Month) + " " +
                       std::to_string(c.Day) + ", " + std::to_string(c.Year);
    if (c.Hour == 0 && c.Minute == 0 && c.Second == 0 && c.Millisecond == 0) return text;

    const int hour12 = c.Hour % 12 == 0 ? 12 : c.Hour % 12;
    text += " " + TwoDigits(hour12) + ":" + TwoDigits(c.Minute) + ":" + TwoDigits(c.Second);
    text += c.Hour < 12 ? " AM" : " PM";
    return text;
}

uint32_t FileTimeToDosDate(const TFileTime& utc, const ILocale& locale) {
    const TCalendarTime c = SplitFileTime(locale.UtcToLocalTime(utc));
    if (c.Year < 1980 || c.Year > 2107) return 0;
    const uint32_t date = uint32_t(c.Year - 1980) << 9 | uint32_t(c.Month) << 5 | uint32_t(c.Day);
    const uint32_t time = uint32_t(c.Hour) << 11 | uint32_t(c.Minute) << 5 | uint32_t(c.Second / 2);
    return date << 16 | time;
}
