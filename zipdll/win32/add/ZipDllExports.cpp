// ZIPDLL.DLL's two entry points.
#include <exception>
#include <new>
#include <string>

#include "ZipAddJob.h"
#include "ZipAddReporter.h"
#include "zipdll/ZipDllInterface.h"

extern "C" __declspec(dllexport) int32_t QM_ZIPAPI ZipDllExec(TZipAddBlock* block) {
    if (!block) return 0;
    TZipAddReporter reporter(block->Callback, block->Caller);
    // Nothing may escape into the caller: every fault becomes a message.
    try {
        return RunZipAdd(ReadAddBlock(*block), reporter);
    } catch (const std::bad_alloc&) {
        reporter.Message(ERROR_OUTOFMEMORY, "Not enough memory to add the files; no archive was written.");
    } catch (const std::exception& fault) {
        reporter.Message(ERROR_GEN_FAILURE, std::string("The add failed: ") + fault.what());
    } catch (...) {
        reporter.Message(ERROR_GEN_FAILURE, "The add failed unexpectedly.");
    }
    return 0;
}

extern "C" __declspec(dllexport) int32_t QM_ZIPAPI GetZipDllVersion() { return kZipDllVersion; }
