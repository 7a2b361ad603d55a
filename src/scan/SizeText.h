#pragma once
#include <cstdint>
#include <string>

#include "platform/Locale.h"

// `value` with its digits grouped in thousands and `decimals` digits after the
// decimal separator, rounded half away from zero on the exact binary value.
// `decimals` runs from 0 to 4; values outside are clamped. Negative values
// carry a leading "-", except when they round to zero.
std::string FormatNumber(double value, int decimals, const ILocale& locale);

// Short size with a unit: bytes up to 1024, then KB, MB (one decimal) and GB
// (two decimals); larger sizes stay in GB. Negative sizes read as bytes.
std::string FormatSize(int64_t bytes, const ILocale& locale);

// Like FormatSize, for 32-bit sizes, stopping at MB.
std::string FormatSmallSize(int32_t bytes, const ILocale& locale);

// The integer with thousands separators, exact over the whole 64-bit range.
std::string FormatCount(int64_t n, const ILocale& locale);

// The exact count followed by " byte" for exactly 1 and " bytes" otherwise.
std::string FormatExactSize(int64_t bytes, const ILocale& locale);
