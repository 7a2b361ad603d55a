#pragma once
#include <windows.h>

#include "platform/DynamicLibraries.h"
#include "platform/win32/Owned.h"

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
