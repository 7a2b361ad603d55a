#include "scan/SizeText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const int kMaxDecimals = 4;
const uint64_t kPowersOfTen[kMaxDecimals + 1] = {1, 10, 100, 1000, 10000};
const uint64_t kPowersOfFive[kMaxDecimals + 1] = {1, 5, 25, 125, 625};

const double kTwoToThe64 = 18446744073709551616.0;

std::string GroupThousands(const std::string& digits, const std::string& separator) {
    std::string grouped;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

// Scales a fraction in [0, 1) by 10^decimals and rounds it half away from
// zero, without the rounding error a floating-point multiplication would add:
// the fraction is m / 2^s exactly, so the scaled value is m * 5^d / 2^(s - d)
// and the bits shifted out say whether the remainder reaches one half.
uint64_t ScaleFraction(double fraction, int decimals) {
    if (fraction == 0) return 0;
    int exponent = 0;
    const double mantissa = std::frexp(fraction, &exponent);  // [0.5, 1), exponent <= 0
    const uint64_t m = uint64_t(std::ldexp(mantissa, 53));    // exact, below 2^53
    const uint64_t scaled = m * kPowersOfFive[decimals];      // below 2^63
    const int shift = 53 - exponent - decimals;               // at least 49
    const uint64_t truncated = shift < 64 ? scaled >> shift : 0;
    const bool atLeastHalf = shift <= 64 && ((scaled >> (shift - 1)) & 1) != 0;
    return truncated + (atLeastHalf ? 1 : 0);
}

// Decimal digits of a whole number too large for 64 bits; every double of
// that size is an integer, so nothing is rounded.
std::string HugeWholeDigits(double whole) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return buffer;
}

}  // namespace

std::string FormatNumber(double value, int decimals, const ILocale& locale) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    const double magnitude = std::fabs(value);
    std::string wholeDigits;
    uint64_t fractionDigits = 0;
    if (magnitude >= kTwoToThe64) {
        wholeDigits = HugeWholeDigits(magnitude);
    } else {
        uint64_t whole = uint64_t(magnitude);
        fractionDigits = ScaleFraction(magnitude - double(whole), decimals);
        if (fractionDigits == kPowersOfTen[decimals]) {
            ++whole;  // cannot overflow: the largest double below 2^64 is 2^64 - 2048
            fractionDigits = 0;
        }
        wholeDigits = std::to_string(whole);
    }

    std::string text;
    if (value < 0 && (wholeDigits != "0" || fractionDigits != 0)) text = "-";
    text += GroupThousands(wholeDigits, locale.ThousandsSeparator());
    if (decimals > 0) {
        std::string fraction = std::to_string(fractionDigits);
        fraction.insert(0, size_t(decimals) - fraction.size(), '0');
        text += locale.DecimalSeparator() + fraction;
    }
    return text;
}

std::string FormatSize(int64_t bytes, const ILocale& locale) {
    const double kb = double(bytes) / 1024;
    const double mb = double(bytes) / 1048576;
    if (mb >= 1024) return FormatNumber(mb / 1024, 2, locale) + " GB";
    if (kb >= 1024) return FormatNumber(kb / 1024, 1, locale) + " MB";
    if (bytes > 1024) return FormatNumber(kb, 0, locale) + " KB";
    return FormatCount(bytes, locale) + " bytes";
}

std::string FormatSmallSize(int32_t bytes, const ILocale& locale) {
    const double kb = double(bytes) / 1024;
    if (kb >= 1024) return FormatNumber(kb / 1024, 1, locale) + " MB";
    if (bytes > 1024) return FormatNumber(kb, 0, locale) + " KB";
    return FormatCount(bytes, locale) + " bytes";
}

std::string FormatCount(int64_t n, const ILocale& locale) {
    // Negating in unsigned arithmetic keeps the most negative value exact.
    const uint64_t magnitude = n < 0 ? 0 - uint64_t(n) : uint64_t(n);
    const std::string digits = GroupThousands(std::to_string(magnitude), locale.ThousandsSeparator());
    return n < 0 ? "-" + digits : digits;
}

std::string FormatExactSize(int64_t bytes, const ILocale& locale) {
    return FormatCount(bytes, locale) + (bytes == 1 ? " byte" : " bytes");
}
