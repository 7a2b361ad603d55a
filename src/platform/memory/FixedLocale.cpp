#include "platform/memory/FixedLocale.h"

#include <cstdint>

namespace {

const char* const kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

const uint64_t kTicksPerMinute = 600000000;  // 100-nanosecond ticks

std::string TwoDigits(int n) { return std::string(1, char('0' + n / 10 % 10)) + char('0' + n % 10); }

}  // namespace

TFixedLocale::TFixedLocale(int utcOffsetMinutes) : OffsetMinutes(utcOffsetMinutes) {}

std::string TFixedLocale::LongDayName(int day) const {
    if (day < 0 || day > 6) return std::string();
    return kDayNames[day];
}

std::string TFixedLocale::LongMonthName(int month) const {
    if (month < 1 || month > 12) return std::string();
    return kMonthNames[month - 1];
}

TFileTime TFixedLocale::UtcToLocalTime(const TFileTime& utc) const {
    const uint64_t value = FileTimeValue(utc);
    const bool ahead = OffsetMinutes >= 0;
    const uint64_t minutes = ahead ? uint64_t(OffsetMinutes) : uint64_t(-int64_t(OffsetMinutes));
    const uint64_t shift = minutes * kTicksPerMinute;
    if (ahead) return MakeFileTime(value > UINT64_MAX - shift ? UINT64_MAX : value + shift);
    return MakeFileTime(value < shift ? 0 : value - shift);
}

std::string TFixedLocale::ShortDate(int year, int month, int day) const {
    return std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
}

std::string TFixedLocale::LongTime(int hour, int minute, int second) const {
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(hour12) + ":" + TwoDigits(minute) + ":" + TwoDigits(second) + (hour < 12 ? " AM" : " PM");
}
