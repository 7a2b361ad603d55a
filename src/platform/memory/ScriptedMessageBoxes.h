#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

// Answers message boxes from a queue and remembers what they said. A box
// with no answer queued is answered Cancel (or Ok for a box that has only
// Ok) and counted in Unanswered, so a test can tell it was not expected.
class TScriptedMessageBoxes : public IMessageBoxes {
public:
    struct TShown {
        std::string Caption;
        std::string Text;
        TMsgButtons Buttons;
        TMsgIcon Icon;
    };

    void Answer(TMsgResult result) { Answers.push_back(result); }
    TMsgResult Show(const std::string& caption, const std::string& text, TMsgButtons buttons, TMsgIcon icon) override;

    std::vector<TShown> Shown;
    int Unanswered = 0;

private:
    std::deque<TMsgResult> Answers;
};
