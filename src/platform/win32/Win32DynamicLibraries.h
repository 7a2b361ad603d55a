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

private:
    HMODULE Module;
};

class TWin32DynamicLibraries : public IDynamicLibraries {
public:
    std::unique_ptr<ILoadedLibrary> Load(const std::string& pathOrName) override;
    // Faults are caught by a vectored exception handler that jumps back to
    // the start of the guarded call on the same thread.
    bool CallGuarded(const std::function<void()>& call) override;
};
