#include "controls/ShellOpenReport.h"

#include "platform/MessageBoxes.h"

namespace {

// The shell's own codes (ShellExecute's SE_ERR_... values).
constexpr intptr_t kFileNotFound = 2, kPathNotFound = 3, kAccessDenied = 5, kNoAssociation = 31;

}  // namespace

std::string ShellOpenFailureText(const std::string& target, intptr_t result) {
    std::string why;
    switch (result) {
        case kFileNotFound:
        case kPathNotFound: why = " The file was not found."; break;
        case kAccessDenied: why = " Access is denied."; break;
        case kNoAssociation: why = " There is no program on this computer for this kind of file."; break;
        default: break;
    }
    return "Windows could not open " + target + "." + why;
}

bool OpenOrSay(IShellOpen& shell, IMessageBoxes& boxes, const std::string& target, const std::string& parameters,
               int showMode) {
    const intptr_t result = shell.Open(target, parameters, showMode);
    if (ShellOpenSucceeded(result)) return true;
    boxes.Show(kProductName, ShellOpenFailureText(target, result), TMsgButtons::Ok, TMsgIcon::Warning);
    return false;
}
