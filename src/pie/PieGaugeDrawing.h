#pragma once
#include <cstdint>
#include <string>

#include "pie/PieGauge.h"
#include "platform/Canvas.h"

// The area a gauge of the given client size draws in: all of it without a
// border, one pixel less on every side with one.
TRect GaugeInnerRect(const TPieGaugeModel& gauge, int32_t width, int32_t height);

// Fills `inner` with the gauge's colour and draws the disc with the wedge of
// the percentage, starting at 12 o'clock and growing clockwise.
void DrawGaugePie(ICanvas& canvas, const TPieGaugeModel& gauge, const TRect& inner);

// The percentage as the gauge writes it, such as "45%".
std::string GaugeText(const TPieGaugeModel& gauge);

// Top-left corner of text of the given size centred in `inner`.
TPoint GaugeTextPosition(const TRect& inner, TTextSize size);

// Writes the text in white, centred in `inner`, over whatever is there.
// Clipping to `inner` is the caller's, as the canvas has none.
void DrawGaugeText(ICanvas& canvas, const TPieGaugeModel& gauge, const TRect& inner);
