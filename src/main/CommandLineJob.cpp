#include "main/CommandLineJob.h"

#include "scan/TextUtils.h"

const char* const kCommandLineUsage =
    "Quarrymap 2000 - disk space analyser\n"
    "\n"
    "Quarrymap.exe [DRIVE-OR-FOLDER...]\n"
    "    Opens the window and scans the drives and folders named.\n"
    "Quarrymap.exe /report FILE PATH\n"
    "    Scans PATH and writes its folder report to FILE, as File > Export\n"
    "    Folder Report would in a window of the default size.\n"
    "Quarrymap.exe /csv FILE PATH\n"
    "    Scans PATH and writes one row per folder to FILE: UTF-8 CSV with a\n"
    "    header row, each folder before its subfolders.\n"
    "Quarrymap.exe /?\n"
    "    Shows this text.\n"
    "\n"
    "PATH is a drive root (C:\\) or a folder; a folder is found after its\n"
    "whole drive has been scanned. No window opens and no setting is saved.\n"
    "FILE is replaced only once it is complete.\n"
    "Exit codes: 0 done, 1 PATH could not be scanned or FILE not written,\n"
    "2 wrong command line.\n";

namespace {

bool IsSwitch(const std::string& argument) { return !argument.empty() && argument[0] == '/'; }

TCommandLineJob UsageError(const std::string& problem) {
    TCommandLineJob job;
    job.Action = TCommandLineAction::UsageError;
    job.Problem = problem;
    return job;
}

// "C:\Data\" quoted reaches the program as C:\Data" (the backslash escapes
// the quote), and no Windows name holds a quote: the user meant the
// backslash. Explorer's own entry passes a drive's root this way ("C:\").
std::string RepairQuotedBackslash(std::string path) {
    if (!path.empty() && path.back() == '"') path.back() = '\\';
    return path;
}

}  // namespace

TCommandLineJob ParseCommandLineJob(const std::vector<std::string>& arguments) {
    TCommandLineJob job;
    if (arguments.empty() || !IsSwitch(arguments[0])) {
        for (const std::string& argument : arguments)
            if (IsSwitch(argument)) return UsageError(argument + " must come first, and alone");
        for (const std::string& argument : arguments) job.Paths.push_back(RepairQuotedBackslash(argument));
        return job;
    }
    const std::string name = AsciiLower(arguments[0]);
    for (size_t i = 1; i < arguments.size(); ++i)
        if (IsSwitch(arguments[i])) return UsageError("only one switch at a time: " + arguments[i]);
    if (name == "/?" || name == "/help") {
        if (arguments.size() != 1) return UsageError(arguments[0] + " takes nothing after it");
        job.Action = TCommandLineAction::Help;
        return job;
    }
    if (name != "/report" && name != "/csv") return UsageError("unknown switch " + arguments[0]);
    if (arguments.size() != 3 || arguments[1].empty() || arguments[2].empty())
        return UsageError(arguments[0] + " needs FILE and PATH");
    job.Action = name == "/report" ? TCommandLineAction::Report : TCommandLineAction::Csv;
    job.OutputFile = arguments[1];
    job.Path = RepairQuotedBackslash(arguments[2]);
    return job;
}
