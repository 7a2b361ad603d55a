#pragma once
#include <windows.h>

#include "platform/DynamicLibraries.h"

// Owns a module from LoadLibrary; frees it once.
class TLibraryHandle {
public:
    explicit TLibraryHandle(HMODULE module = nullptr) : Module(module) {}
    ~TLibraryHandle() { Reset(); }
    TLibraryHandle(const TLibraryHandle&) = delete;
    TLibraryHandle& operator=(const TLibraryHandle&) = delete;
    TLibraryHandle(TLibraryHandle&& other) noexcept : Module(other.Module) { other.Module = nullptr; }
    TLibraryHandle& operator=(TLibraryHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            Module = other.Module;
            other.Module = nullptr;
        }
        return *this;
    }

    HMODULE Get() const { return Module; }
    void Reset() {
        if (Module) FreeLibrary(Module);
        Module = nullptr;
    }
    // Gives the module up without freeing it: it stays loaded.
    HMODULE Release() {
        const HMODULE module = Module;
        Module = nullptr;
        return module;
    }

private:
    HMODULE Module;
};

class TWin32DynamicLibraries : public IDynamicLibraries {
public:
    // Refuses anything but a full path (drive or network), so that no
    // library of that name is taken from the current folder or the PATH.
    std::unique_ptr<ILoadedLibrary> Load(const std::string& fullPath) override;
    // Faults are caught by a vectored exception handler that jumps back to
    // the start of the guarded call on the same thread, while it is armed.
    bool CallGuarded(const std::function<void()>& call) override;
    bool ArmGuard(bool armed) override;
};

// At start-up, before any library is loaded by name: takes the current
// folder out of the search for libraries and, where the system offers it,
// limits the search to the program's folder and the system folder. The
// current folder may be one of the user's folders, holding anything.
void RestrictLibrarySearch();
