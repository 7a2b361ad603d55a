#include "platform/win32/Win32DynamicLibraries.h"

#include "platform/win32/WideString.h"

namespace {

class TWin32LoadedLibrary : public ILoadedLibrary {
public:
    explicit TWin32LoadedLibrary(TLibraryHandle module) : Module(std::move(module)) {}
    void* Find(const char* name) override { return reinterpret_cast<void*>(GetProcAddress(Module.Get(), name)); }

private:
    TLibraryHandle Module;
};

// Where a guarded call on this thread resumes after a fault.
thread_local void* ResumePoint[5];
thread_local bool InGuardedCall = false;

bool IsFault(DWORD code) {
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
        return true;
    default:
        return false;
    }
}

LONG CALLBACK ResumeAfterFault(EXCEPTION_POINTERS* info) {
    if (!InGuardedCall || !IsFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    InGuardedCall = false;
    __builtin_longjmp(ResumePoint, 1);
}

// Removes the vectored handler however the guarded call ends.
class TVectoredHandler {
public:
    TVectoredHandler() : Handle(AddVectoredExceptionHandler(1, ResumeAfterFault)) {}
    ~TVectoredHandler() {
        if (Handle) RemoveVectoredExceptionHandler(Handle);
    }
    TVectoredHandler(const TVectoredHandler&) = delete;
    TVectoredHandler& operator=(const TVectoredHandler&) = delete;

private:
    PVOID Handle;
};

// Kept out of line so that nothing of the caller's frame lives in registers
// the jump back could leave stale.
__attribute__((noinline)) bool RunWithResumePoint(const std::function<void()>& call) {
#if defined(__i386__)
    // On 32-bit Windows, code may chain exception records on its stack (the
    // chain starts at fs:[0]); the jump back abandons that stack, so the
    // chain is put back as it was.
    static thread_local void* chainAtStart;
    void* chain;
    asm volatile("movl %%fs:0, %0" : "=r"(chain));
    chainAtStart = chain;
#endif
    if (__builtin_setjmp(ResumePoint) != 0) {  // back from a fault
#if defined(__i386__)
        void* const restored = chainAtStart;
        asm volatile("movl %0, %%fs:0" : : "r"(restored) : "memory");
#endif
        return false;
    }
    InGuardedCall = true;
    call();
    InGuardedCall = false;
    return true;
}

}  // namespace

std::unique_ptr<ILoadedLibrary> TWin32DynamicLibraries::Load(const std::string& pathOrName) {
    // A missing file on a floppy or CD must not bring up the system's box.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    TLibraryHandle module(LoadLibraryW(Widen(pathOrName).c_str()));
    SetErrorMode(previousMode);
    if (!module.Get()) return nullptr;
    return std::make_unique<TWin32LoadedLibrary>(std::move(module));
}

bool TWin32DynamicLibraries::CallGuarded(const std::function<void()>& call) {
    // A call already guarded further up keeps its own resume point.
    if (InGuardedCall) {
        call();
        return true;
    }
    struct TLeaveGuard {
        ~TLeaveGuard() { InGuardedCall = false; }
    } leave;
    TVectoredHandler handler;
    return RunWithResumePoint(call);
}
