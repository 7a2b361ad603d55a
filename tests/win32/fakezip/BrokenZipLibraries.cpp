// Stand-ins for the ZIP libraries that misbehave, for the adapter's tests:
// built as ZIPDLL.DLL, whose add faults once it has reported a file, and as
// UNZDLL.DLL, which lacks its main entry point.
#include <cstdint>
#include <cstring>

#include "zipdll/ZipDllInterface.h"

#if defined(QM_BROKEN_ZIPDLL)
extern "C" __declspec(dllexport) int32_t QM_ZIPAPI ZipDllExec(TZipAddBlock* block) {
    TZipCallbackRecord record{};
    record.Caller = block->Caller;
    record.Action = kZipActionFileBegins;
    std::strcpy(record.Text, "first.txt");
    block->Callback(&record);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 1;
}
extern "C" __declspec(dllexport) int32_t QM_ZIPAPI GetZipDllVersion() { return kZipDllVersion; }
#else
extern "C" __declspec(dllexport) int32_t QM_ZIPAPI GetUnzDllVersion() { return kZipDllVersion; }
#endif
