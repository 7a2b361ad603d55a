#pragma once
#include <windows.h>

#include "platform/MessageBoxes.h"

// Real message boxes, owned by a window (none: the desktop).
class TWin32MessageBoxes : public IMessageBoxes {
public:
    explicit TWin32MessageBoxes(HWND owner = nullptr) : Owner(owner) {}
    void SetOwner(HWND owner) { Owner = owner; }
    TMsgResult Show(const std::string& caption, const std::string& text, TMsgButtons buttons, TMsgIcon icon) override;

private:
    HWND Owner;
};
