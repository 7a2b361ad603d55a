#include "platform/UnattendedMessageBoxes.h"

TMsgResult TUnattendedMessageBoxes::Show(const std::string&, const std::string& text, TMsgButtons buttons, TMsgIcon) {
    if (First.empty()) First = text;
    switch (buttons) {
        case TMsgButtons::Ok: return TMsgResult::Ok;
        case TMsgButtons::YesNo:
        case TMsgButtons::YesNoDefaultNo: return TMsgResult::No;
        case TMsgButtons::AbortRetryIgnore: return TMsgResult::Abort;
        case TMsgButtons::OkCancel:
        case TMsgButtons::YesNoCancel:
        case TMsgButtons::RetryCancel: break;
    }
    return TMsgResult::Cancel;
}
