#pragma once
#include <string>
#include <vector>

// What the command line asks of the program: the window, scanning the
// drives and folders it names, or one of the jobs done without a window.
enum class TCommandLineAction {
    OpenWindow,  // no switch: every argument is a drive or folder to scan
    Report,      // /report FILE PATH
    Csv,         // /csv FILE PATH
    Help,        // /?
    UsageError,  // a switch the program does not know, or one used wrongly
};

struct TCommandLineJob {
    TCommandLineAction Action = TCommandLineAction::OpenWindow;
    std::string OutputFile;          // FILE, as given
    std::string Path;                // PATH, as given
    std::string Problem;             // what is wrong, for a usage error
    std::vector<std::string> Paths;  // the drives and folders for the window
};

// Exit codes of the jobs without a window.
constexpr int kExitSuccess = 0;
constexpr int kExitFailed = 1;  // PATH could not be scanned or FILE not written
constexpr int kExitUsage = 2;

// Reads the arguments after the program's name. A switch starts with "/"
// and is recognised whatever its case; it must come first and alone.
TCommandLineJob ParseCommandLineJob(const std::vector<std::string>& arguments);

// The help text of /?, lines ending in "\n".
extern const char* const kCommandLineUsage;
