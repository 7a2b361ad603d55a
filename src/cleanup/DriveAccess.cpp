#include "cleanup/DriveAccess.h"

std::string DriveNotAccessibleText(char letter) {
    return std::string(1, letter) +
           ": is not accessible. The drive door may not be closed or the network connection may be down. "
           "Please try to correct this error and retry.";
}

bool CheckDriveAccessible(char letter, ICurrentDirectory& directory, IMessageBoxes& boxes) {
    const std::string root = std::string(1, letter) + ":\\";
    // Windows reports a missing or unready drive with several different
    // error codes, so every failure gets the same prompt.
    while (!directory.Change(root)) {
        const TMsgResult answer =
            boxes.Show(kProductName, DriveNotAccessibleText(letter), TMsgButtons::RetryCancel, TMsgIcon::Error);
        if (answer != TMsgResult::Retry) return false;
    }
    return true;
}
