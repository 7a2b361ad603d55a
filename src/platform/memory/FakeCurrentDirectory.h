#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/CurrentDirectory.h"

// A current directory held in memory. Only added folders can be entered;
// a folder may refuse a number of attempts first, as a drive does until a
// disc is inserted. Paths match exactly, case included.
class TFakeCurrentDirectory : public ICurrentDirectory {
public:
    void AddFolder(const std::string& path, int refusalsFirst = 0) { Folders[path] = refusalsFirst; }
    bool Change(const std::string& path) override;
    std::string Path() override { return Current; }

    std::string Current;
    std::vector<std::string> Attempts;

private:
    std::map<std::string, int> Folders;  // path -> attempts still to refuse
};
