#pragma once
#include <functional>
#include <string>

#include "controls/HelpOpener.h"

class IFileSystem;
class IMessageBoxes;
class IShellOpen;

// Help is a folder of HTML topics beside the executable: "help\index.htm"
// holds the contents, and each help context number has its own page, such
// as "help\4000.htm".

// The menus' topics, for F1 while a menu is open.
constexpr int kFileMenuHelpContext = 4000;
constexpr int kViewMenuHelpContext = 4010;
constexpr int kHelpMenuHelpContext = 4020;

// The page for the contents ("&Help Topics").
std::string HelpIndexPath(const std::string& exeFolder);
// The page of a context number, or the contents when it has no page.
std::string HelpTopicPath(const std::string& exeFolder, int context,
                          const std::function<bool(const std::string& path)>& fileExists);

// The product's web page, without its scheme: a link opens it over http.
constexpr const char* kProductWebPage = "www.tollvane.example/quarrymap/";

// The help beside the program: opens the topic of a context number (0:
// the contents), and says so when Windows could not open it. The one way
// the windows and dialogs open help.
class THelpTopics : public IHelpOpener {
public:
    THelpTopics(IShellOpen& shell, IMessageBoxes& boxes, IFileSystem& files, const std::string& programPath)
        : Shell(shell), Boxes(boxes), Files(files), ProgramPath(programPath) {}
    void OpenHelp(int context) const override;

private:
    IShellOpen& Shell;
    IMessageBoxes& Boxes;
    IFileSystem& Files;
    std::string ProgramPath;
};
