#pragma once
#include <string>

#include "platform/MessageBoxes.h"

// Message boxes for a run with nobody to answer them: every box is answered
// the way that changes nothing (Cancel, No or Abort, Ok when that is all it
// offers) and its text is kept, so the run can say what went wrong.
class TUnattendedMessageBoxes : public IMessageBoxes {
public:
    TMsgResult Show(const std::string& caption, const std::string& text, TMsgButtons buttons, TMsgIcon icon) override;

    // The first box's text; "" while none was shown.
    const std::string& FirstText() const { return First; }

private:
    std::string First;
};
