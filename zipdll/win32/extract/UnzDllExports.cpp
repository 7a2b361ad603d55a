// UNZDLL.DLL's entry points.
#include <windows.h>

#include <new>

#include "UnzipJob.h"
#include "UnzipReporter.h"
#include "zipdll/ZipDllInterface.h"

extern "C" __declspec(dllexport) int32_t QM_ZIPAPI UnzDllExec(TUnzipBlock* block) {
    if (!block) return 0;
    // Nothing may escape into the caller, which knows nothing of C++
    // exceptions: a failure becomes a message.
    try {
        return RunUnzipJob(*block);
    } catch (const std::bad_alloc&) {
        TUnzipReporter(block->Callback, block->Caller)
            .Message(ERROR_OUTOFMEMORY, "Not enough memory to extract the archive.");
    } catch (...) {
        TUnzipReporter(block->Callback, block->Caller).Message(ERROR_GEN_FAILURE, "The extract failed unexpectedly.");
    }
    return 0;
}

extern "C" __declspec(dllexport) int32_t QM_ZIPAPI GetUnzDllVersion() { return kZipDllVersion; }
