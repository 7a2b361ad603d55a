#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileTime.h"
#include "scan/DateText.h"

namespace {

const uint64_t kTicksPerDay = 864000000000;

TFileTime Now() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FromFiletime(now);
}

// The system's own text for one date under a date picture such as "dddd".
std::string SystemDateText(int year, int month, int day, const wchar_t* picture) {
    SYSTEMTIME st = {};
    st.wYear = WORD(year);
    st.wMonth = WORD(month);
    st.wDay = WORD(day);
    wchar_t buffer[128];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, picture, buffer, 128) <= 0) return std::string();
    return Narrow(buffer);
}

TEST(Win32LocaleTest, SeparatorsAndNamesAreFilledIn) {
    const TWin32Locale locale;
    EXPECT_FALSE(locale.ThousandsSeparator().empty());
    EXPECT_FALSE(locale.DecimalSeparator().empty());
    std::set<std::string> days, months;
    for (int day = 0; day < 7; ++day) days.insert(locale.LongDayName(day));
    for (int month = 1; month <= 12; ++month) months.insert(locale.LongMonthName(month));
    EXPECT_EQ(7u, days.size());
    EXPECT_EQ(12u, months.size());
    EXPECT_EQ(0u, days.count(""));
    EXPECT_EQ(0u, months.count(""));
    EXPECT_EQ("", locale.LongDayName(7));
    EXPECT_EQ("", locale.LongMonthName(0));
}

TEST(Win32LocaleTest, NamesMatchTheSystemsOwnDates) {
    const TWin32Locale locale;
    // 6 to 12 December 2026 run from Sunday to Saturday.
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(SystemDateText(2026, 12, 6 + day, L"dddd"), locale.LongDayName(day)) << day;
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(SystemDateText(2026, month, 1, L"MMMM"), locale.LongMonthName(month)) << month;
}

TEST(Win32LocaleTest, LocalTimeOfNowAgreesWithTheSystem) {
    const TWin32Locale locale;
    const TFileTime now = Now();
    const FILETIME utc = ToFiletime(now);
    FILETIME expected;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &expected));
    EXPECT_EQ(FileTimeValue(FromFiletime(expected)), FileTimeValue(locale.UtcToLocalTime(now)));
}

TEST(Win32LocaleTest, LocalTimeConvertsBackToTheSameUtcAcrossTheYear) {
    const TWin32Locale locale;
    const uint64_t now = FileTimeValue(Now());
    // Every month of a year, to pass through both sides of any daylight-saving change.
    for (int month = 0; month < 12; ++month) {
        const TFileTime utc = MakeFileTime(now + uint64_t(month) * 30 * kTicksPerDay);
        const TFileTime local = locale.UtcToLocalTime(utc);
        const FILETIME localTime = ToFiletime(local);
        SYSTEMTIME localFields, utcFields;
        ASSERT_TRUE(FileTimeToSystemTime(&localTime, &localFields));
        ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &localFields, &utcFields));
        FILETIME back;
        ASSERT_TRUE(SystemTimeToFileTime(&utcFields, &back));
        // The way back goes through milliseconds only.
        EXPECT_EQ(FileTimeValue(utc) / 10000, FileTimeValue(FromFiletime(back)) / 10000) << month;
    }
}

TEST(Win32LocaleTest, TimesTheSystemCannotConvertComeBackUnchanged) {
    const TWin32Locale locale;
    const TFileTime beyond = MakeFileTime(0x8000000000000000);
    EXPECT_EQ(FileTimeValue(beyond), FileTimeValue(locale.UtcToLocalTime(beyond)));
}

TEST(Win32LocaleTest, FormatsADateWithTheSystemsNames) {
    const TWin32Locale locale;
    const TFileTime now = Now();
    const TCalendarTime local = SplitFileTime(locale.UtcToLocalTime(now));
    const std::string text = FormatFileTime(now, locale);
    const std::string expectedStart = SystemDateText(local.Year, local.Month, local.Day, L"dddd") + ", " +
                                      SystemDateText(local.Year, local.Month, local.Day, L"MMMM") + " " +
                                      std::to_string(local.Day) + ", " + std::to_string(local.Year);
    EXPECT_EQ(expectedStart, text.substr(0, expectedStart.size()));
}

}  // namespace
