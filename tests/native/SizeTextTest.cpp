#include "scan/SizeText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/memory/FixedLocale.h"

namespace {

const int64_t kKB = 1024;
const int64_t kMB = 1024 * kKB;
const int64_t kGB = 1024 * kMB;

TEST(FormatSizeTest, PicksTheUnitAtTheThresholds) {
    const TFixedLocale locale;
    EXPECT_EQ("0 bytes", FormatSize(0, locale));
    EXPECT_EQ("1,024 bytes", FormatSize(kKB, locale));
    EXPECT_EQ("1 KB", FormatSize(kKB + 1, locale));
    EXPECT_EQ("1,024 KB", FormatSize(kMB - 1, locale));
    EXPECT_EQ("1.0 MB", FormatSize(kMB, locale));
    EXPECT_EQ("1,024.0 MB", FormatSize(kGB - 1, locale));
    EXPECT_EQ("1.00 GB", FormatSize(kGB, locale));
    EXPECT_EQ("5,120.00 GB", FormatSize(5 * 1024 * kGB, locale));
    EXPECT_EQ("8,589,934,592.00 GB", FormatSize(std::numeric_limits<int64_t>::max(), locale));
}

TEST(FormatSizeTest, RoundsExactHalvesAwayFromZero) {
    const TFixedLocale locale;
    EXPECT_EQ("2 KB", FormatSize(1536, locale));              // 1.5
    EXPECT_EQ("3 KB", FormatSize(2560, locale));              // 2.5, not to the even 2
    EXPECT_EQ("1.3 MB", FormatSize(kMB + kMB / 4, locale));   // 1.25
    EXPECT_EQ("1.13 GB", FormatSize(kGB + kGB / 8, locale));  // 1.125
    EXPECT_EQ("1 KB", FormatSize(1535, locale));              // just below 1.5
}

TEST(FormatSizeTest, NegativeSizesReadAsBytes) {
    const TFixedLocale locale;
    EXPECT_EQ("-1 bytes", FormatSize(-1, locale));
    EXPECT_EQ("-5,000,000 bytes", FormatSize(-5000000, locale));
    EXPECT_EQ("-9,223,372,036,854,775,808 bytes", FormatSize(std::numeric_limits<int64_t>::min(), locale));
}

TEST(FormatSmallSizeTest, StopsAtMegabytes) {
    const TFixedLocale locale;
    EXPECT_EQ("512 bytes", FormatSmallSize(512, locale));
    EXPECT_EQ("1,024 bytes", FormatSmallSize(1024, locale));
    EXPECT_EQ("2 KB", FormatSmallSize(1536, locale));
    EXPECT_EQ("4 KB", FormatSmallSize(4096, locale));
    EXPECT_EQ("1.0 MB", FormatSmallSize(int32_t(kMB), locale));
    EXPECT_EQ("2,048.0 MB", FormatSmallSize(std::numeric_limits<int32_t>::max(), locale));
    EXPECT_EQ("-1 bytes", FormatSmallSize(-1, locale));
}

TEST(FormatCountTest, GroupsDigitsExactly) {
    const TFixedLocale locale;
    EXPECT_EQ("0", FormatCount(0, locale));
    EXPECT_EQ("999", FormatCount(999, locale));
    EXPECT_EQ("1,000", FormatCount(1000, locale));
    EXPECT_EQ("123,456", FormatCount(123456, locale));
    EXPECT_EQ("-1,000", FormatCount(-1000, locale));
    EXPECT_EQ("-999", FormatCount(-999, locale));
    // 2^53 + 1 has no double; a detour through floating point would lose the 3.
    EXPECT_EQ("9,007,199,254,740,993", FormatCount(9007199254740993, locale));
    EXPECT_EQ("9,223,372,036,854,775,807", FormatCount(std::numeric_limits<int64_t>::max(), locale));
    EXPECT_EQ("-9,223,372,036,854,775,808", FormatCount(std::numeric_limits<int64_t>::min(), locale));
    EXPECT_EQ("-2,147,483,648", FormatCount(std::numeric_limits<int32_t>::min(), locale));
}

TEST(FormatExactSizeTest, SingularOnlyForOneByte) {
    const TFixedLocale locale;
    EXPECT_EQ("1 byte", FormatExactSize(1, locale));
    EXPECT_EQ("0 bytes", FormatExactSize(0, locale));
    EXPECT_EQ("-1 bytes", FormatExactSize(-1, locale));
    EXPECT_EQ("2,048 bytes", FormatExactSize(2048, locale));
    EXPECT_EQ("1,000,000 bytes", FormatExactSize(1000000, locale));
}

TEST(FormatNumberTest, RoundsTheExactValueHalfAwayFromZero) {
    const TFixedLocale locale;
    EXPECT_EQ("3", FormatNumber(2.5, 0, locale));
    EXPECT_EQ("-3", FormatNumber(-2.5, 0, locale));
    EXPECT_EQ("0.13", FormatNumber(0.125, 2, locale));
    EXPECT_EQ("-0.13", FormatNumber(-0.125, 2, locale));
    // The largest double below one half must not be pushed up by adding 0.5.
    EXPECT_EQ("0", FormatNumber(0.49999999999999994, 0, locale));
    // 1.005 is stored a little below itself, so it is not a half.
    EXPECT_EQ("1.00", FormatNumber(1.005, 2, locale));
    EXPECT_EQ("1.2346", FormatNumber(1.23456, 4, locale));
    EXPECT_EQ("0.0001", FormatNumber(0.00005, 4, locale));
    EXPECT_EQ("0.0000", FormatNumber(0.0000499, 4, locale));
}

TEST(FormatNumberTest, CarriesRoundingIntoTheWholePart) {
    const TFixedLocale locale;
    EXPECT_EQ("1,000.0", FormatNumber(999.96, 1, locale));
    EXPECT_EQ("1,000", FormatNumber(999.5, 0, locale));
    EXPECT_EQ("-1,000.00", FormatNumber(-999.999, 2, locale));
}

TEST(FormatNumberTest, EdgesOfTheRange) {
    const TFixedLocale locale;
    // Values that round to zero carry no sign.
    EXPECT_EQ("0", FormatNumber(-0.4, 0, locale));
    EXPECT_EQ("0.00", FormatNumber(-std::numeric_limits<double>::denorm_min(), 2, locale));
    // Past 2^64 the whole part can no longer go through a 64-bit integer.
    EXPECT_EQ("100,000,000,000,000,000,000.00", FormatNumber(1e20, 2, locale));
    EXPECT_EQ("-36,893,488,147,419,103,232", FormatNumber(-36893488147419103232.0, 0, locale));  // -2^65
    EXPECT_EQ("1.0000", FormatNumber(1.0, 9, locale));  // decimals clamped to 4
    EXPECT_EQ("-INF", FormatNumber(-std::numeric_limits<double>::infinity(), 2, locale));
    EXPECT_EQ("NaN", FormatNumber(std::numeric_limits<double>::quiet_NaN(), 2, locale));
}

TEST(SizeTextSeparatorTest, UsesTheLocaleSeparators) {
    TFixedLocale locale;
    locale.SetThousandsSeparator(".");
    locale.SetDecimalSeparator(",");
    EXPECT_EQ("5.120,00 GB", FormatSize(5 * 1024 * kGB, locale));
    EXPECT_EQ("1,0 MB", FormatSize(kMB, locale));
    EXPECT_EQ("1.024 bytes", FormatSize(kKB, locale));
    EXPECT_EQ("1.000.000 bytes", FormatExactSize(1000000, locale));
    EXPECT_EQ("-1.000", FormatCount(-1000, locale));
}

TEST(SizeTextSeparatorTest, AcceptsMultiByteAndEmptySeparators) {
    TFixedLocale locale;
    locale.SetThousandsSeparator("\xC2\xA0");  // no-break space
    locale.SetDecimalSeparator("\xD9\xAB");    // Arabic decimal separator
    EXPECT_EQ(
        "1\xC2\xA0"
        "234\xC2\xA0"
        "567",
        FormatCount(1234567, locale));
    EXPECT_EQ(
        "1\xC2\xA0"
        "024\xD9\xAB"
        "0 MB",
        FormatSize(kGB - 1, locale));

    locale.SetThousandsSeparator("");
    EXPECT_EQ("1234567", FormatCount(1234567, locale));
    EXPECT_EQ(
        "5120\xD9\xAB"
        "00 GB",
        FormatSize(5 * 1024 * kGB, locale));
}

}  // namespace
