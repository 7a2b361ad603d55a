#include "pie/PieGauge.h"

#include <algorithm>
#include <limits>

namespace {

const int64_t kLowestBound = -int64_t(std::numeric_limits<int32_t>::max());
const int64_t kHighestBound = std::numeric_limits<int32_t>::max();

// The bounds are 64-bit so that MaxValue - 1 and MinValue + 1 cannot
// overflow at the ends of the range.
EInvalidOperation RangeError(int64_t low, int64_t high) {
    return EInvalidOperation("Value must be between " + std::to_string(low) + " and " + std::to_string(high));
}

template <typename T>
bool Change(T& field, T value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

int TPieGaugeModel::PercentDone() const {
    const int64_t span = int64_t(Max) - Min;
    if (span == 0) return 0;
    // 64-bit, since the range may span the whole 32-bit scale. Loading may
    // leave the progress outside the range; the percentage stays a gauge's.
    const int64_t percent = (int64_t(Value) - Min) * 100 / span;
    return int(std::clamp<int64_t>(percent, 0, 100));
}

bool TPieGaugeModel::SetMinValue(int32_t value) {
    if (value == Min) return false;
    if (value > Max && !IsLoading) throw RangeError(kLowestBound, int64_t(Max) - 1);
    Min = value;
    if (Value < value) Value = value;
    return true;
}

bool TPieGaugeModel::SetMaxValue(int32_t value) {
    if (value == Max) return false;
    if (value < Min && !IsLoading) throw RangeError(int64_t(Min) + 1, kHighestBound);
    Max = value;
    if (value < Value) Value = value;
    return true;
}

bool TPieGaugeModel::SetProgress(int32_t value) {
    if (value < Min)
        value = Min;
    else if (value > Max)
        value = Max;
    if (value == Value) return false;
    const int before = PercentDone();
    Value = value;
    return PercentDone() != before;
}

bool TPieGaugeModel::SetShowText(bool value) { return Change(TextShown, value); }
bool TPieGaugeModel::SetBorderStyle(TGaugeBorderStyle value) { return Change(Border, value); }
bool TPieGaugeModel::SetForeColor(TColor value) { return Change(Fore, value); }
bool TPieGaugeModel::SetBackColor(TColor value) { return Change(Back, value); }
bool TPieGaugeModel::SetBorderColor(TColor value) { return Change(Outline, value); }
bool TPieGaugeModel::SetColor(TColor value) { return Change(Surround, value); }
