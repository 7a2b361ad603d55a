#pragma once
#include <functional>
#include <memory>
#include <string>

// A library loaded at run time; unloaded when destroyed.
class ILoadedLibrary {
public:
    virtual ~ILoadedLibrary() = default;
    // The address of an exported function; null when the library has none of that name.
    virtual void* Find(const char* name) = 0;
    // Leaves the library loaded for the rest of the process, for code of it
    // that may still run (a thread it started before it faulted).
    virtual void KeepLoaded() = 0;
};

// Loading libraries and calling into them, so that the code that drives a
// plug-in library can be tested with functions of the test standing in.
class IDynamicLibraries {
public:
    virtual ~IDynamicLibraries() = default;
    // Loads the library at a full path, never through a search, taking the
    // libraries it needs from its own folder and the system folder, with
    // the system's critical-error boxes kept away; null when it cannot.
    virtual std::unique_ptr<ILoadedLibrary> Load(const std::string& fullPath) = 0;
    // Runs `call`, which calls into loaded code. False when that code faulted
    // (bad memory access, illegal instruction...) instead of returning: the
    // call is abandoned at the fault.
    virtual bool CallGuarded(const std::function<void()>& call) = 0;
    // Arms or disarms the guard of the guarded call running on this thread;
    // whether it was armed. Without a guarded call nothing is armed.
    virtual bool ArmGuard(bool armed) = 0;
};

// Where loaded code calls back into the program: for as long as the scope
// lives, a fault is the program's own and not the loaded code's, so the
// guard lets it go on as any fault of the program would.
class TUnguardedScope {
public:
    explicit TUnguardedScope(IDynamicLibraries& libraries)
        : Libraries(libraries), WasArmed(libraries.ArmGuard(false)) {}
    ~TUnguardedScope() { Libraries.ArmGuard(WasArmed); }
    TUnguardedScope(const TUnguardedScope&) = delete;
    TUnguardedScope& operator=(const TUnguardedScope&) = delete;

private:
    IDynamicLibraries& Libraries;
    bool WasArmed;
};
