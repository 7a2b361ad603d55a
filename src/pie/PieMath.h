#pragma once
#include <cstdint>

// Degrees of a wedge for `part` of `total`: 360 for 0 of 0, 0 for anything
// else of 0.
double AngleOf(int64_t part, int64_t total);

// part x 100 / total truncated towards zero; 0 when total is 0. Exact for
// every 64-bit size.
int32_t PercentOf(int64_t part, int64_t total);
