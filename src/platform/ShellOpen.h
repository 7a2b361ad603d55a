#pragma once
#include <cstdint>
#include <string>

// How a window opened by the shell is shown: the values of ShowWindow.
enum : int { kShowNormal = 1, kShowNoActivate = 4 };

// Starts programs and opens documents and addresses with the shell's
// default action, so that tests can see what would be started.
class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    // Default verb, no working folder. Returns the shell's result code:
    // greater than 32 on success, an error code otherwise.
    virtual intptr_t Open(const std::string& target, const std::string& parameters, int showMode) = 0;
};

inline bool ShellOpenSucceeded(intptr_t result) { return result > 32; }
