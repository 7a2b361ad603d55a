#pragma once
// The password for an extraction's encrypted entries: the block's, or,
// when the block has none, the one the user types when the first
// encrypted entry needs it (asked once per extraction).
#include <string>

class TUnzipPassword {
public:
    TUnzipPassword(void* ownerWindow, const char* given)
        : OwnerWindow(ownerWindow), Password(given ? given : ""), Asked(!Password.empty()) {}

    // "" when there is none: the user cancelled, or no prompt could be shown.
    const std::string& Get();

private:
    void* OwnerWindow;
    std::string Password;
    bool Asked;
};
