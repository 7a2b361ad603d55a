#pragma once
#include <string>
#include <vector>

#include "platform/ShellLauncher.h"

// Remembers what it was asked to open and starts nothing.
class TRecordingShellLauncher : public IShellLauncher {
public:
    struct TOpened {
        std::string File;
        std::string Parameters;
    };

    bool Open(const std::string& file, const std::string& parameters) override {
        Opened.push_back(TOpened{file, parameters});
        return Succeeds;
    }

    std::vector<TOpened> Opened;
    bool Succeeds = true;
};
