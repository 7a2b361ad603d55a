#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include "platform/memory/FixedLocale.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileTime.h"

namespace {

// Windows numbers its day names from Monday; these run from Sunday.
const LCTYPE kDayNameTypes[7] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2, LOCALE_SDAYNAME3,
                                 LOCALE_SDAYNAME4, LOCALE_SDAYNAME5, LOCALE_SDAYNAME6};

const LCTYPE kMonthNameTypes[12] = {LOCALE_SMONTHNAME1, LOCALE_SMONTHNAME2,  LOCALE_SMONTHNAME3,  LOCALE_SMONTHNAME4,
                                    LOCALE_SMONTHNAME5, LOCALE_SMONTHNAME6,  LOCALE_SMONTHNAME7,  LOCALE_SMONTHNAME8,
                                    LOCALE_SMONTHNAME9, LOCALE_SMONTHNAME10, LOCALE_SMONTHNAME11, LOCALE_SMONTHNAME12};

const uint64_t kTicksPerMillisecond = 10000;

// A setting of the user's locale; `fallback` when it cannot be read. An empty
// setting (a user who wants no thousands separator) is kept as it is.
std::string ReadLocaleText(LCTYPE type, const std::string& fallback) {
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (length <= 0) return fallback;
    std::wstring text(size_t(length), L'\0');
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, &text[0], length) <= 0) return fallback;
    return Narrow(text.c_str());
}

// The calendar fields with the day of the week filled in, which a date
// format naming the day needs; false for a date the calendar does not have.
bool MakeSystemTime(int year, int month, int day, int hour, int minute, int second, SYSTEMTIME& fields) {
    SYSTEMTIME given = {};
    given.wYear = WORD(year);
    given.wMonth = WORD(month);
    given.wDay = WORD(day);
    given.wHour = WORD(hour);
    given.wMinute = WORD(minute);
    given.wSecond = WORD(second);
    FILETIME asFileTime;
    return SystemTimeToFileTime(&given, &asFileTime) && FileTimeToSystemTime(&asFileTime, &fields);
}

// A formatting call of the GetDateFormatW kind, asked first for the length.
template <typename FormatFunction>
std::string FormatWith(FormatFunction format, DWORD flags, const SYSTEMTIME& fields) {
    const int length = format(LOCALE_USER_DEFAULT, flags, &fields, nullptr, nullptr, 0);
    if (length <= 0) return std::string();
    std::wstring text(size_t(length), L'\0');
    if (format(LOCALE_USER_DEFAULT, flags, &fields, nullptr, &text[0], length) <= 0) return std::string();
    return Narrow(text.c_str());
}

}  // namespace

TWin32Locale::TWin32Locale() {
    // English texts stand in for any setting the system cannot supply.
    const TFixedLocale english;
    Thousands = ReadLocaleText(LOCALE_STHOUSAND, english.ThousandsSeparator());
    Decimal = ReadLocaleText(LOCALE_SDECIMAL, english.DecimalSeparator());
    for (int day = 0; day < 7; ++day) DayNames[day] = ReadLocaleText(kDayNameTypes[day], english.LongDayName(day));
    for (int month = 1; month <= 12; ++month)
        MonthNames[month - 1] = ReadLocaleText(kMonthNameTypes[month - 1], english.LongMonthName(month));
}

std::string TWin32Locale::LongDayName(int day) const {
    if (day < 0 || day > 6) return std::string();
    return DayNames[day];
}

std::string TWin32Locale::LongMonthName(int month) const {
    if (month < 1 || month > 12) return std::string();
    return MonthNames[month - 1];
}

TFileTime TWin32Locale::UtcToLocalTime(const TFileTime& utc) const {
    // FileTimeToLocalFileTime would apply today's daylight-saving bias to every
    // date; going through the calendar applies the bias of the date itself.
    const FILETIME utcTime = ToFiletime(utc);
    SYSTEMTIME utcFields;
    SYSTEMTIME localFields;
    FILETIME localTime;
    if (!FileTimeToSystemTime(&utcTime, &utcFields) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &localFields) ||
        !SystemTimeToFileTime(&localFields, &localTime))
        return utc;
    // The calendar fields stop at milliseconds; carry the finer ticks over.
    const uint64_t subMillisecond = FileTimeValue(utc) % kTicksPerMillisecond;
    return MakeFileTime(FileTimeValue(FromFiletime(localTime)) + subMillisecond);
}

std::string TWin32Locale::ShortDate(int year, int month, int day) const {
    SYSTEMTIME fields;
    std::string text;
    if (MakeSystemTime(year, month, day, 0, 0, 0, fields)) text = FormatWith(GetDateFormatW, DATE_SHORTDATE, fields);
    return text.empty() ? TFixedLocale().ShortDate(year, month, day) : text;
}

std::string TWin32Locale::LongTime(int hour, int minute, int second) const {
    // Any valid date will do: the time format reads only the time fields.
    SYSTEMTIME fields;
    std::string text;
    if (MakeSystemTime(2000, 1, 1, hour, minute, second, fields)) text = FormatWith(GetTimeFormatW, 0, fields);
    return text.empty() ? TFixedLocale().LongTime(hour, minute, second) : text;
}
