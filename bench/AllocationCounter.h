#pragma once
#include <cstddef>

// Bytes currently allocated through operator new in this program. The
// counting operators are defined in AllocationCounter.cpp, which must be
// linked into the benchmark only.
size_t LiveHeapBytes();
