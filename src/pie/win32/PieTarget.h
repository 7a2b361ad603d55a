#pragma once
#include <windows.h>

#include "pie/PieChart.h"
#include "platform/win32/GdiCanvas.h"

// Points the chart's Target at a window's client area for the life of the
// scope, so that what the chart draws reaches the screen at once.
class TPieTarget {
public:
    TPieTarget(THPieChart& chart, HWND window) : Chart(chart), Dc(window), Canvas(Dc.Get()) {
        Previous = Chart.Target;
        if (Dc.Get()) Chart.Target = &Canvas;
    }
    ~TPieTarget() { Chart.Target = Previous; }
    TPieTarget(const TPieTarget&) = delete;
    TPieTarget& operator=(const TPieTarget&) = delete;

private:
    THPieChart& Chart;
    TWindowDc Dc;
    TGdiCanvas Canvas;
    ICanvas* Previous = nullptr;
};
