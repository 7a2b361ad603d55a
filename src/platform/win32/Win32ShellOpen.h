#pragma once
#include <windows.h>

#include "platform/ShellOpen.h"

// ShellExecuteW with an owner window for any message the shell shows
// (none: the desktop).
class TWin32ShellOpen : public IShellOpen {
public:
    explicit TWin32ShellOpen(HWND owner = nullptr) : Owner(owner) {}
    void SetOwner(HWND owner) { Owner = owner; }
    intptr_t Open(const std::string& target, const std::string& parameters, int showMode) override;

private:
    HWND Owner;
};
