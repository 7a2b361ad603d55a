#pragma once
#include <string>
#include <unordered_map>

#include "platform/ShellInfo.h"

// Remembers what the shell said about each path until cleared, so that a
// view asking again and again about the same few items (the mouse moving
// over a pie) asks the shell only once per item.
class TCachedShellInfo : public IShellInfo {
public:
    explicit TCachedShellInfo(IShellInfo& shell) : Shell(shell) {}

    std::string GetShellDisplayName(const std::string& path) override {
        TAnswer& answer = Answers[path];
        if (!answer.HasName) {
            answer.Name = Shell.GetShellDisplayName(path);
            answer.HasName = true;
        }
        return answer.Name;
    }
    std::string GetShellTypeName(const std::string& path) override {
        TAnswer& answer = Answers[path];
        if (!answer.HasType) {
            answer.Type = Shell.GetShellTypeName(path);
            answer.HasType = true;
        }
        return answer.Type;
    }
    int GetShellIconIndex(const std::string& path, bool open) override {
        TAnswer& answer = Answers[path];
        int& icon = open ? answer.OpenIcon : answer.Icon;
        if (icon == kNotAsked) icon = Shell.GetShellIconIndex(path, open);
        return icon;
    }
    // Forgets every answer: the items may have changed.
    void Clear() { Answers.clear(); }

private:
    static constexpr int kNotAsked = -2;
    struct TAnswer {
        bool HasName = false;
        bool HasType = false;
        std::string Name;
        std::string Type;
        int Icon = kNotAsked;
        int OpenIcon = kNotAsked;
    };

    IShellInfo& Shell;
    std::unordered_map<std::string, TAnswer> Answers;
};
