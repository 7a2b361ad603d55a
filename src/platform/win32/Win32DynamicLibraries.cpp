#include "platform/win32/Win32DynamicLibraries.h"

#include "platform/win32/WideString.h"

namespace {

class TWin32LoadedLibrary : public ILoadedLibrary {
public:
    explicit TWin32LoadedLibrary(TLibraryHandle module) : Module(std::move(module)) {}
    void* Find(const char* name) override { return reinterpret_cast<void*>(GetProcAddress(Module.Get(), name)); }
    void KeepLoaded() override { Module.Release(); }

private:
    TLibraryHandle Module;
};

bool IsFullPath(const std::string& path) {
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool network = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    return drive || network;
}

// Where a guarded call on this thread resumes after a fault. Guarded calls
// can nest (the program, called back by a library, calls another), each
// with its own point.
struct TResumePoint {
    void* Buffer[5] = {};
    void* ExceptionChain = nullptr;  // 32-bit Windows: the chain at fs:[0]
    TResumePoint* Outer = nullptr;
    bool Armed = false;
};
thread_local TResumePoint* CurrentPoint = nullptr;

bool IsFault(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_IN_PAGE_ERROR: return true;
        default: return false;
    }
}

LONG CALLBACK ResumeAfterFault(EXCEPTION_POINTERS* info) {
    TResumePoint* point = CurrentPoint;
    if (!point || !point->Armed || !IsFault(info->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    point->Armed = false;
    __builtin_longjmp(point->Buffer, 1);
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

// Makes a point the thread's current one; the outer one is current again
// however the call ends (returned, thrown, or jumped back after a fault).
class TCurrentPoint {
public:
    explicit TCurrentPoint(TResumePoint& point) {
        point.Outer = CurrentPoint;
        CurrentPoint = &point;
        Outer = point.Outer;
    }
    ~TCurrentPoint() { CurrentPoint = Outer; }
    TCurrentPoint(const TCurrentPoint&) = delete;
    TCurrentPoint& operator=(const TCurrentPoint&) = delete;

private:
    TResumePoint* Outer;
};

// Kept out of line so that nothing of the caller's frame lives in registers
// the jump back could leave stale; after the jump only the thread's current
// point is read, never this frame's locals.
__attribute__((noinline)) bool RunWithResumePoint(const std::function<void()>& call) {
    TResumePoint point;
    const TCurrentPoint current(point);
#if defined(__i386__)
    // On 32-bit Windows, code may chain exception records on its stack (the
    // chain starts at fs:[0]); the jump back abandons that stack, so the
    // chain is put back as it was.
    void* chain;
    asm volatile("movl %%fs:0, %0" : "=r"(chain));
    point.ExceptionChain = chain;
#endif
    if (__builtin_setjmp(CurrentPoint->Buffer) != 0) {  // back from a fault
#if defined(__i386__)
        void* const restored = CurrentPoint->ExceptionChain;
        asm volatile("movl %0, %%fs:0" : : "r"(restored) : "memory");
#endif
        return false;
    }
    CurrentPoint->Armed = true;
    call();
    CurrentPoint->Armed = false;
    return true;
}

}  // namespace

std::unique_ptr<ILoadedLibrary> TWin32DynamicLibraries::Load(const std::string& fullPath) {
    if (!IsFullPath(fullPath)) {
        SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    const std::wstring path = Widen(fullPath);
    // A missing file on a floppy or CD must not bring up the system's box.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module =
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Systems without the restricted search take these flags for an error;
    // there the library's own folder still comes first for what it needs.
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
        module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(previousMode);
    if (!module) return nullptr;
    return std::make_unique<TWin32LoadedLibrary>(TLibraryHandle(module));
}

bool TWin32DynamicLibraries::CallGuarded(const std::function<void()>& call) {
    const TVectoredHandler handler;
    return RunWithResumePoint(call);
}

bool TWin32DynamicLibraries::ArmGuard(bool armed) {
    TResumePoint* point = CurrentPoint;
    if (!point) return false;
    const bool was = point->Armed;
    point->Armed = armed;
    return was;
}

void RestrictLibrarySearch() {
    // An empty folder takes the current folder out of the classic search order.
    SetDllDirectoryW(L"");
    // Looked up, since systems without the update that brought it lack it.
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
        const auto setDefault = reinterpret_cast<TSetDefaultDllDirectories>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
        if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}
