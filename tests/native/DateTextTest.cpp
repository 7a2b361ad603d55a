#include "scan/DateText.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/memory/FixedLocale.h"

namespace {

const uint64_t kTicksPerSecond = 10000000;
const uint64_t kTicksPerDay = 86400 * kTicksPerSecond;
const uint64_t kUnixEpoch = 116444736000000000;  // 1 January 1970 in file time

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// File time of a calendar moment, counted day by day from 1601 so that it
// shares nothing with the arithmetic under test.
TFileTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    uint64_t days = 0;
    for (int y = 1601; y < year; ++y) days += IsLeapYear(y) ? 366 : 365;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    days += uint64_t(day - 1);
    const uint64_t seconds = uint64_t(hour) * 3600 + uint64_t(minute) * 60 + uint64_t(second);
    return MakeFileTime(days * kTicksPerDay + seconds * kTicksPerSecond + uint64_t(ms) * 10000);
}

TFileTime Plus(const TFileTime& t, int64_t ticks) { return MakeFileTime(FileTimeValue(t) + uint64_t(ticks)); }

const int64_t kTicksPerMinute = 60 * int64_t(kTicksPerSecond);

// A locale with other names, to see that the texts come from the locale.
class TGermanNames : public TFixedLocale {
public:
    std::string LongDayName(int day) const override { return day == 1 ? "Montag" : "?"; }
    std::string LongMonthName(int month) const override { return month == 12 ? "Dezember" : "?"; }
};

TEST(SplitFileTimeTest, KnownAnchors) {
    const TCalendarTime first = SplitFileTime(TFileTime());
    EXPECT_EQ(1601, first.Year);
    EXPECT_EQ(1, first.Month);
    EXPECT_EQ(1, first.Day);
    EXPECT_EQ(1, first.DayOfWeek);  // Monday
    EXPECT_EQ(0, first.Hour);

    ASSERT_EQ(kUnixEpoch, FileTimeValue(At(1970, 1, 1)));
    const TCalendarTime unix = SplitFileTime(MakeFileTime(kUnixEpoch));
    EXPECT_EQ(1970, unix.Year);
    EXPECT_EQ(1, unix.Month);
    EXPECT_EQ(1, unix.Day);
    EXPECT_EQ(4, unix.DayOfWeek);  // Thursday

    // The largest file time Windows accepts: 14 September 30828, 02:48:05.477.
    const TCalendarTime last = SplitFileTime(MakeFileTime(0x7FFFFFFFFFFFFFFF));
    EXPECT_EQ(30828, last.Year);
    EXPECT_EQ(9, last.Month);
    EXPECT_EQ(14, last.Day);
    EXPECT_EQ(2, last.Hour);
    EXPECT_EQ(48, last.Minute);
    EXPECT_EQ(5, last.Second);
    EXPECT_EQ(477, last.Millisecond);
}

TEST(SplitFileTimeTest, TimeOfDayFields) {
    const TCalendarTime c = SplitFileTime(Plus(At(2026, 12, 7, 13, 5, 9, 250), 9999));
    EXPECT_EQ(13, c.Hour);
    EXPECT_EQ(5, c.Minute);
    EXPECT_EQ(9, c.Second);
    EXPECT_EQ(250, c.Millisecond);  // ticks below a millisecond are dropped
}

TEST(SplitFileTimeTest, EveryDayFrom1601To2500FollowsTheCalendar) {
    int year = 1601, month = 1, day = 1, weekday = 1;
    for (uint64_t days = 0; year < 2500; ++days) {
        const TCalendarTime c = SplitFileTime(MakeFileTime(days * kTicksPerDay + kTicksPerDay - 1));
        ASSERT_EQ(year, c.Year) << days;
        ASSERT_EQ(month, c.Month) << days;
        ASSERT_EQ(day, c.Day) << days;
        ASSERT_EQ(weekday, c.DayOfWeek) << days;
        ASSERT_EQ(23, c.Hour) << days;
        weekday = (weekday + 1) % 7;
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

TEST(FormatFileTimeTest, LongDateWithTwelveHourTime) {
    const TFixedLocale utc;
    EXPECT_EQ("Monday, December 7, 2026 01:05:09 PM", FormatFileTime(At(2026, 12, 7, 13, 5, 9), utc));
    EXPECT_EQ("Monday, December 7, 2026", FormatFileTime(At(2026, 12, 7), utc));
    EXPECT_EQ("Tuesday, February 29, 2000 09:00:00 AM", FormatFileTime(At(2000, 2, 29, 9), utc));
    EXPECT_EQ("Monday, January 1, 1601", FormatFileTime(TFileTime(), utc));
}

TEST(FormatFileTimeTest, HoursAroundMidnightAndNoon) {
    const TFixedLocale utc;
    EXPECT_EQ("Monday, December 7, 2026 12:30:15 AM", FormatFileTime(At(2026, 12, 7, 0, 30, 15), utc));
    EXPECT_EQ("Monday, December 7, 2026 12:00:01 AM", FormatFileTime(At(2026, 12, 7, 0, 0, 1), utc));
    EXPECT_EQ("Monday, December 7, 2026 11:59:59 AM", FormatFileTime(At(2026, 12, 7, 11, 59, 59), utc));
    EXPECT_EQ("Monday, December 7, 2026 12:00:00 PM", FormatFileTime(At(2026, 12, 7, 12), utc));
    EXPECT_EQ("Monday, December 7, 2026 12:59:59 PM", FormatFileTime(At(2026, 12, 7, 12, 59, 59), utc));
    EXPECT_EQ("Monday, December 7, 2026 11:59:59 PM", FormatFileTime(At(2026, 12, 7, 23, 59, 59), utc));
}

TEST(FormatFileTimeTest, MidnightMeansEveryFieldDownToTheMillisecond) {
    const TFixedLocale utc;
    // One millisecond past midnight still shows a time, although it reads as 12:00:00.
    EXPECT_EQ("Monday, December 7, 2026 12:00:00 AM", FormatFileTime(At(2026, 12, 7, 0, 0, 0, 1), utc));
    // The calendar stops at milliseconds, so a few ticks past midnight are midnight.
    EXPECT_EQ("Monday, December 7, 2026", FormatFileTime(Plus(At(2026, 12, 7), 9999), utc));
}

TEST(FormatFileTimeTest, MidnightIsTakenInLocalTime) {
    const TFixedLocale east(120);
    EXPECT_EQ("Monday, December 7, 2026", FormatFileTime(At(2026, 12, 6, 22), east));
    EXPECT_EQ("Sunday, December 6, 2026 10:00:00 PM", FormatFileTime(At(2026, 12, 6, 22), TFixedLocale()));

    const TFixedLocale west(-5 * 60 - 30);
    EXPECT_EQ("Monday, December 7, 2026", FormatFileTime(At(2026, 12, 7, 5, 30), west));
    // UTC midnight is not local midnight there.
    EXPECT_EQ("Sunday, December 6, 2026 06:30:00 PM", FormatFileTime(At(2026, 12, 7), west));
}

TEST(FormatFileTimeTest, NamesComeFromTheLocale) {
    EXPECT_EQ("Montag, Dezember 7, 2026", FormatFileTime(At(2026, 12, 7), TGermanNames()));
}

TEST(FileTimeToDosDateTest, PacksDateAndTimeFields) {
    const TFixedLocale utc;
    // 2026-12-07 13:05:09: year 46, month 12, day 7; 13 h, 5 min, 9 s stored as 4.
    const uint32_t packed = FileTimeToDosDate(At(2026, 12, 7, 13, 5, 9), utc);
    EXPECT_EQ(0x5D8768A4u, packed);
    EXPECT_EQ(46u, packed >> 25);
    EXPECT_EQ(12u, (packed >> 21) & 0xF);
    EXPECT_EQ(7u, (packed >> 16) & 0x1F);
    EXPECT_EQ(13u, (packed >> 11) & 0x1F);
    EXPECT_EQ(5u, (packed >> 5) & 0x3F);
    EXPECT_EQ(4u, packed & 0x1F);
}

TEST(FileTimeToDosDateTest, FirstAndLastMomentsOfTheRange) {
    const TFixedLocale utc;
    EXPECT_EQ(0x00210000u, FileTimeToDosDate(At(1980, 1, 1), utc));
    EXPECT_EQ(0xFF9FBF7Du, FileTimeToDosDate(At(2107, 12, 31, 23, 59, 59), utc));
}

TEST(FileTimeToDosDateTest, YearsThePackedFormCannotHoldGiveZero) {
    const TFixedLocale utc;
    EXPECT_EQ(0u, FileTimeToDosDate(At(1979, 12, 31, 23, 59, 59), utc));
    EXPECT_EQ(0u, FileTimeToDosDate(At(2108, 1, 1), utc));
    EXPECT_EQ(0u, FileTimeToDosDate(TFileTime(), utc));
    EXPECT_EQ(0u, FileTimeToDosDate(MakeFileTime(0x7FFFFFFFFFFFFFFF), utc));
}

TEST(FileTimeToDosDateTest, RangeIsJudgedInLocalTime) {
    EXPECT_EQ(0x00210000u, FileTimeToDosDate(At(1979, 12, 31, 23), TFixedLocale(60)));
    EXPECT_EQ(0u, FileTimeToDosDate(At(1980, 1, 1, 0, 30), TFixedLocale(-60)));
    EXPECT_EQ(0u, FileTimeToDosDate(At(2107, 12, 31, 23, 30), TFixedLocale(60)));
}

TEST(IsZeroFileTimeTest, OnlyBothHalvesZero) {
    EXPECT_TRUE(IsZeroFileTime(TFileTime()));
    EXPECT_FALSE(IsZeroFileTime(MakeFileTime(1)));
    EXPECT_FALSE(IsZeroFileTime(MakeFileTime(uint64_t(1) << 32)));
}

TEST(FixedLocaleTest, OffsetShiftsAndSaturatesAtTheEnds) {
    TFixedLocale locale(90);
    EXPECT_EQ(FileTimeValue(At(2026, 12, 7, 1, 30)), FileTimeValue(locale.UtcToLocalTime(At(2026, 12, 7))));
    EXPECT_EQ(UINT64_MAX, FileTimeValue(locale.UtcToLocalTime(MakeFileTime(UINT64_MAX - 1))));

    locale.SetUtcOffsetMinutes(-90);
    EXPECT_EQ(FileTimeValue(At(2026, 12, 6, 22, 30)), FileTimeValue(locale.UtcToLocalTime(At(2026, 12, 7))));
    EXPECT_EQ(0u, FileTimeValue(locale.UtcToLocalTime(Plus(TFileTime(), 89 * kTicksPerMinute))));
}

TEST(FixedLocaleTest, NamesOutsideTheRangeAreEmpty) {
    const TFixedLocale locale;
    EXPECT_EQ("", locale.LongDayName(7));
    EXPECT_EQ("", locale.LongDayName(-1));
    EXPECT_EQ("", locale.LongMonthName(0));
    EXPECT_EQ("", locale.LongMonthName(13));
}

}  // namespace
