#pragma once
// One call of UnzDllExec: reads the archive's central directory and
// extracts (or tests) the selected entries into the current folder.
#include <cstdint>

#include "zipdll/ZipDllInterface.h"

// The number of files extracted (or tested) whole. Reports through the
// block's callback; may throw only what the standard library throws.
int32_t RunUnzipJob(const TUnzipBlock& block);
