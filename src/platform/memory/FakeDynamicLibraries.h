#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/DynamicLibraries.h"

// Libraries made of functions of the test: each name that can be loaded
// maps to its exports. Counts what is loaded, so tests can see every
// library unloaded again.
class TFakeDynamicLibraries : public IDynamicLibraries {
public:
    using TExports = std::map<std::string, void*>;

    std::unique_ptr<ILoadedLibrary> Load(const std::string& pathOrName) override;
    // Runs the call; a call while FaultCalls is set is abandoned as a fault.
    bool CallGuarded(const std::function<void()>& call) override;

    std::map<std::string, TExports> Libraries;
    std::vector<std::string> LoadAttempts;
    int Loaded = 0;  // libraries loaded and not yet unloaded
    bool FaultCalls = false;
};
