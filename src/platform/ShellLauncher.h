#pragma once
#include <string>

// Starts a program or opens a document or web address through the shell,
// so that tests can see what would have been started without starting it.
class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    // Opens `file` (a program, document or address) with the shell's default
    // action, shown normally, with no working folder. False when the shell
    // could not start it.
    virtual bool Open(const std::string& file, const std::string& parameters) = 0;
};
