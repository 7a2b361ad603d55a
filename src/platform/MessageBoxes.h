#pragma once
#include <string>

// Message boxes go through this interface, so that tests can answer them
// instead of a user.
// YesNoDefaultNo: a question whose safe answer is No, so Enter gives No.
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore, YesNoDefaultNo };
enum class TMsgIcon { None, Information, Warning, Error, Question };  // Error is the stop sign
enum class TMsgResult { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual TMsgResult Show(const std::string& caption, const std::string& text, TMsgButtons buttons,
                            TMsgIcon icon) = 0;
};

// The caption of the program's message boxes.
constexpr const char* kProductName = "Quarrymap 2000";
