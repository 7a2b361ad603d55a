#pragma once
#include "platform/ShellLauncher.h"

// Opens through ShellExecuteW.
class TWin32ShellLauncher : public IShellLauncher {
public:
    bool Open(const std::string& file, const std::string& parameters) override;
};
