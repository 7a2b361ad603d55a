// The libFuzzer entry point of one target, chosen when it is compiled.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return QM_FUZZ_TARGET(data, size); }
