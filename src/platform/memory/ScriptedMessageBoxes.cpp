#include "platform/memory/ScriptedMessageBoxes.h"

TMsgResult TScriptedMessageBoxes::Show(const std::string& caption, const std::string& text, TMsgButtons buttons,
                                       TMsgIcon icon) {
    Shown.push_back(TShown{caption, text, buttons, icon});
    if (Answers.empty()) {
        ++Unanswered;
        return buttons == TMsgButtons::Ok ? TMsgResult::Ok : TMsgResult::Cancel;
    }
    const TMsgResult answer = Answers.front();
    Answers.pop_front();
    return answer;
}
