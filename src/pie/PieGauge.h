#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/Canvas.h"

// A request that the object's present state does not allow.
class EInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TGaugeBorderStyle { None, Single };

constexpr int32_t kDefaultGaugeSize = 100;
constexpr TColor kButtonFaceColor = kSystemColorFlag | 15;  // COLOR_BTNFACE

// The properties of a pie gauge: a percentage shown as a wedge of a disc.
// Every setter returns true when the gauge must be painted again, so that
// callers may set the progress on every mouse move without flicker.
class TPieGaugeModel {
public:
    int32_t MinValue() const { return Min; }
    int32_t MaxValue() const { return Max; }
    int32_t Progress() const { return Value; }
    bool ShowText() const { return TextShown; }
    TGaugeBorderStyle BorderStyle() const { return Border; }
    TColor ForeColor() const { return Fore; }
    TColor BackColor() const { return Back; }
    TColor BorderColor() const { return Outline; }
    // The colour around the disc.
    TColor Color() const { return Surround; }

    // The progress as a whole percentage of the range, cut toward zero;
    // 0 for an empty range, and never outside 0..100.
    int PercentDone() const;

    // Both throw EInvalidOperation, and change nothing, when the range would
    // become empty (unless loading); the progress follows into the new range.
    bool SetMinValue(int32_t value);
    bool SetMaxValue(int32_t value);
    // Clamped into the range; repaints only when the whole percentage moves.
    bool SetProgress(int32_t value);
    bool SetShowText(bool value);
    bool SetBorderStyle(TGaugeBorderStyle value);
    bool SetForeColor(TColor value);
    bool SetBackColor(TColor value);
    bool SetBorderColor(TColor value);
    bool SetColor(TColor value);

    // While loading, the range setters accept their values in any order.
    void SetLoading(bool loading) { IsLoading = loading; }
    bool Loading() const { return IsLoading; }

private:
    int32_t Min = 0;
    int32_t Max = 100;
    int32_t Value = 0;
    bool TextShown = true;
    TGaugeBorderStyle Border = TGaugeBorderStyle::Single;
    TColor Fore = kBlack;
    TColor Back = kWhite;
    TColor Outline = kBlack;
    TColor Surround = kButtonFaceColor;
    bool IsLoading = false;
};
