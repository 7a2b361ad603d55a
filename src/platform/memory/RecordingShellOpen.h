#pragma once
#include <string>
#include <vector>

#include "platform/ShellOpen.h"

// Remembers what it was asked to open and answers with `Result`; nothing
// is ever started.
class TRecordingShellOpen : public IShellOpen {
public:
    struct TOpened {
        std::string Target;
        std::string Parameters;
        int ShowMode;
    };

    intptr_t Open(const std::string& target, const std::string& parameters, int showMode) override {
        Opened.push_back(TOpened{target, parameters, showMode});
        return Result;
    }

    intptr_t Result = 42;  // any value above 32 is success
    std::vector<TOpened> Opened;
};
