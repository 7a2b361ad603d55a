#pragma once
#include <cstdint>

// Turns a measure given for a 96-DPI screen into pixels at the window's
// resolution. Every fixed measure of the layout goes through one of these,
// so that the whole window can follow the screen's scaling.
class TPixelScale {
public:
    constexpr TPixelScale() = default;
    constexpr explicit TPixelScale(int dpi) : Dpi(dpi > 0 ? dpi : 96) {}

    int DotsPerInch() const { return Dpi; }
    // The factor a drawing transform applies: 1.5 at 144 DPI.
    float Factor() const { return float(Dpi) / 96.0f; }
    // Rounded to the nearest pixel, halves away from zero, as MulDiv does.
    int operator()(int pixelsAt96) const {
        const int64_t product = int64_t(pixelsAt96) * Dpi;
        return int(product >= 0 ? (product + 48) / 96 : (product - 48) / 96);
    }

private:
    int Dpi = 96;
};
