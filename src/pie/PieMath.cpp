#include "pie/PieMath.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

double AngleOf(int64_t part, int64_t total) {
    if (total == 0) return part == 0 ? 360.0 : 0.0;
    return double((long double)part * 360.0L / (long double)total);
}

namespace {

int32_t ClampToInt32(long double value) {
    const long double low = std::numeric_limits<int32_t>::min();
    const long double high = std::numeric_limits<int32_t>::max();
    return int32_t(std::clamp(value, low, high));
}

}  // namespace

int32_t PercentOf(int64_t part, int64_t total) {
    if (total == 0) return 0;
    // Sizes are never negative; should one be, an approximation will do.
    if (part < 0 || total < 0) return ClampToInt32((long double)part * 100.0L / (long double)total);
    // part x 100 overflows 64 bits above 92 petabytes: scale only the
    // remainder after the whole multiples.
    const int64_t whole = part / total;
    if (whole > std::numeric_limits<int32_t>::max() / 100) return std::numeric_limits<int32_t>::max();
    const int64_t rest = part % total;
    const int64_t scaledRest = rest <= std::numeric_limits<int64_t>::max() / 100
                                   ? rest * 100 / total
                                   : int64_t((long double)rest * 100.0L / (long double)total);
    return ClampToInt32((long double)(whole * 100 + scaledRest));
}
