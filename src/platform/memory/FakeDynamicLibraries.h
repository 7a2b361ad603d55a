#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/DynamicLibraries.h"

// Libraries made of functions of the test: each path that can be loaded
// maps to its exports. Counts what is loaded, so tests can see every
// library unloaded again (or kept, after a fault).
class TFakeDynamicLibraries : public IDynamicLibraries {
public:
    using TExports = std::map<std::string, void*>;

    std::unique_ptr<ILoadedLibrary> Load(const std::string& fullPath) override;
    // Runs the call with the guard armed; a call while FaultCalls is set is
    // abandoned as a fault.
    bool CallGuarded(const std::function<void()>& call) override;
    bool ArmGuard(bool armed) override;

    std::map<std::string, TExports> Libraries;
    std::vector<std::string> LoadAttempts;
    int Loaded = 0;  // libraries loaded and not yet unloaded
    int Kept = 0;    // of those, the ones left loaded for good
    bool FaultCalls = false;
    bool Armed = false;    // the guard of the running call catches faults now
    int GuardedCalls = 0;  // guarded calls running, one inside another
};
