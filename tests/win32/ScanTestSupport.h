#pragma once
#include <windows.h>

#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/win32/FolderBrowse.h"
#include "main/win32/ScanCommands.h"
#include "platform/win32/WideString.h"

// Answers the folder browser with a fixed folder of the real file system,
// or cancels when `Answer` is empty.
class TScriptedFolderBrowser : public IFolderBrowseDialog {
public:
    std::string Answer;
    std::vector<std::string> Titles;

    PIDLIST_ABSOLUTE Browse(BROWSEINFOW& request) override {
        Titles.push_back(request.lpszTitle ? Narrow(request.lpszTitle) : std::string());
        if (Answer.empty()) return nullptr;
        PIDLIST_ABSOLUTE item = nullptr;
        if (FAILED(SHParseDisplayName(Widen(Answer).c_str(), nullptr, &item, 0, nullptr))) return nullptr;
        return item;
    }
};

// Stands in for the shell's context menu: records where it was asked for
// and runs `Action` as the chosen command would.
class TRecordingContextMenus {
public:
    struct TShown {
        std::string Path;
        POINT ScreenPoint;
    };
    std::vector<TShown> Shown;
    std::function<void(const std::string& path)> Action;

    TShowContextMenu Function() {
        return [this](const std::string& path, HWND, POINT point) {
            Shown.push_back({path, point});
            if (Action) Action(path);
            return true;
        };
    }
};
