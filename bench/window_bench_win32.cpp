// window_bench QMSCAN_EXE QUARRYMAP_EXE FOLDER [ROUNDS]: times a
// scan as the user waits for it, from starting Quarrymap with FOLDER on its
// command line until that folder is selected (the caption names it) and the
// Scan button is enabled again, against qmscan scanning the same folder
// without any window. Keeps the best of ROUNDS (default 3) of each and prints
// the ratio. Then times giving the scanned tree up, against the scan: File >
// Remove > All Drives until the folder tree is empty, and closing the window
// until the process ended. Wall time only: Wine's GetProcessTimes does not
// report another process's processor time. Last, Quarrymap.exe /csv of the
// same folder against qmscan: the table written without a window.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "main/MainCommands.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr DWORD kPollMs = 15;
constexpr double kScanTimeoutSeconds = 600;
constexpr DWORD kExitTimeoutMs = 30000;
// Cross-process messages wait at most this long for an answer; a busy
// window thread only delays the next poll.
constexpr UINT kMessageTimeoutMs = 2000;
constexpr wchar_t kCaption[] = L"Quarrymap 2000";
constexpr size_t kCaptionLength = sizeof kCaption / sizeof kCaption[0] - 1;
// Removing all drives and closing the window should each take at most this
// fraction of the scan.
constexpr double kReleaseTarget = 0.1;

double SecondsSince(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

// Starts EXE with ARGUMENTS. A non-null OUTPUT (inheritable) receives the
// child's standard output, so that a console tool's report stays out of ours.
// Returns the process handle, which the caller owns, or null.
HANDLE StartChild(const std::wstring& exe, const std::wstring& arguments, HANDLE output, DWORD& processId) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = output;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "window_bench: cannot start %s (error %lu)\n", Narrow(exe).c_str(),
                     (unsigned long)GetLastError());
        return nullptr;
    }
    CloseHandle(info.hThread);
    processId = info.dwProcessId;
    return info.hProcess;
}

// One command-line argument as the child's CommandLineToArgvW reads it back:
// in quotes, with the backslashes before the closing quote doubled ("R:\\").
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"" + argument;
    for (size_t i = argument.size(); i > 0 && argument[i - 1] == L'\\'; --i) quoted += L'\\';
    return quoted + L"\"";
}

struct TToolRun {
    bool Ok = false;
    double Wall = 0;
};

// Runs a console job to its end, its output thrown away; `name` is for
// the messages.
TToolRun RunTool(const char* name, const std::wstring& exe, const std::wstring& arguments) {
    TToolRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    TWin32Handle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr));
    const auto start = TClock::now();
    DWORD processId = 0;
    const TWin32Handle process(StartChild(exe, arguments, nul.IsValid() ? nul.Get() : nullptr, processId));
    if (!process.IsValid()) return run;
    if (WaitForSingleObject(process.Get(), DWORD(kScanTimeoutSeconds * 1000)) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "window_bench: %s did not finish within %.0f s; ended it\n", name, kScanTimeoutSeconds);
        TerminateProcess(process.Get(), 1);
        return run;
    }
    run.Wall = SecondsSince(start);
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    if (code != 0) {
        std::fprintf(stderr, "window_bench: %s ended with exit code %lu\n", name, (unsigned long)code);
        return run;
    }
    run.Ok = true;
    return run;
}

TToolRun RunQmscan(const std::wstring& exe, const std::wstring& folder) {
    return RunTool("qmscan", exe, Quoted(folder));
}

// Quarrymap.exe /csv of the folder into a file in the temporary folder.
TToolRun RunCsv(const std::wstring& exe, const std::wstring& folder) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring table = std::wstring(temp) + L"window_bench.csv";
    const TToolRun run = RunTool("Quarrymap /csv", exe, L"/csv " + Quoted(table) + L" " + Quoted(folder));
    DeleteFileW(table.c_str());
    return run;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

struct TMainSearch {
    DWORD ProcessId = 0;
    HWND Main = nullptr;
};

// The child's main window: its top-level window whose caption is the
// program's name, alone or followed by " - " and a folder.
BOOL CALLBACK FindMainProc(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TMainSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.ProcessId) return TRUE;
    const std::wstring text = WindowText(window);
    if (text.compare(0, kCaptionLength, kCaption) != 0) return TRUE;
    if (text.size() != kCaptionLength && text.compare(kCaptionLength, 3, L" - ") != 0) return TRUE;
    search.Main = window;
    return FALSE;
}

HWND FindMainWindow(DWORD processId) {
    TMainSearch search;
    search.ProcessId = processId;
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&search));
    return search.Main;
}

// The toolbar below the main window that carries the Scan button.
BOOL CALLBACK FindToolbarProc(HWND window, LPARAM param) {
    if (ClassOf(window) != TOOLBARCLASSNAMEW) return TRUE;
    DWORD_PTR index = DWORD_PTR(-1);
    if (!SendMessageTimeoutW(window, TB_COMMANDTOINDEX, toolScan, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &index))
        return TRUE;
    if (LRESULT(index) < 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

HWND FindScanToolbar(HWND main) {
    HWND toolbar = nullptr;
    EnumChildWindows(main, FindToolbarProc, reinterpret_cast<LPARAM>(&toolbar));
    return toolbar;
}

BOOL CALLBACK FindTreeProc(HWND window, LPARAM param) {
    if (ClassOf(window) != WC_TREEVIEWW) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

HWND FindFolderTree(HWND main) {
    HWND tree = nullptr;
    EnumChildWindows(main, FindTreeProc, reinterpret_cast<LPARAM>(&tree));
    return tree;
}

// The number of items in the tree control; -1 when it did not answer in time.
int64_t TreeItemCount(HWND tree) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &count)) return -1;
    return int64_t(count);
}

bool ScanButtonEnabled(HWND toolbar) {
    DWORD_PTR enabled = 0;
    return SendMessageTimeoutW(toolbar, TB_ISBUTTONENABLED, toolScan, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                               &enabled) &&
           enabled != 0;
}

// Names the child's top-level windows, so that a run that gives up shows
// what was on the screen (a message box left open, say).
BOOL CALLBACK ListWindowProc(HWND window, LPARAM param) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != DWORD(param)) return TRUE;
    std::fprintf(stderr, "  window \"%s\" (class %s)%s\n", Narrow(WindowText(window)).c_str(),
                 Narrow(ClassOf(window)).c_str(), IsWindowVisible(window) ? "" : ", hidden");
    return TRUE;
}

struct TWindowRun {
    bool Ok = false;
    double Wall = 0;        // start until the scan is finished
    double MainWindow = 0;  // start until the main window exists
    double Caption = 0;     // start until the caption names the folder
    double RemoveAll = 0;   // Remove All Drives until the tree is empty; 0 when not asked for
    double Close = 0;       // WM_CLOSE until the process ended
    bool Killed = false;
};

enum class TAfterScan { Close, RemoveAllDrivesThenClose };

// Sends Remove All Drives and waits until the folder tree holds no item.
// The seconds it took, or a negative number when the tree did not empty.
double RemoveAllDrives(HWND main) {
    const HWND tree = FindFolderTree(main);
    if (!tree || TreeItemCount(tree) <= 0) {
        std::fprintf(stderr, "window_bench: no folder tree with items to remove\n");
        return -1;
    }
    const auto start = TClock::now();
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(cmdFileRemoveAllDrives, 0), 0);
    // A busy window thread answers only once it is done, so the count is
    // asked again until it is 0, not for a fixed time.
    while (TreeItemCount(tree) != 0) {
        if (SecondsSince(start) > kScanTimeoutSeconds) {
            std::fprintf(stderr, "window_bench: the tree did not empty within %.0f s\n", kScanTimeoutSeconds);
            return -1;
        }
        Sleep(kPollMs);
    }
    return SecondsSince(start);
}

TWindowRun RunWindow(const std::wstring& exe, const std::wstring& argument, const std::wstring& caption,
                     TAfterScan after) {
    TWindowRun run;
    const auto start = TClock::now();
    DWORD processId = 0;
    const TWin32Handle process(StartChild(exe, Quoted(argument), nullptr, processId));
    if (!process.IsValid()) return run;
    HWND main = nullptr, toolbar = nullptr;
    bool named = false;
    for (;;) {
        if (WaitForSingleObject(process.Get(), kPollMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process.Get(), &code);
            std::fprintf(stderr, "window_bench: Quarrymap ended (exit code %lu) before its scan finished\n",
                         (unsigned long)code);
            return run;
        }
        if (SecondsSince(start) > kScanTimeoutSeconds) {
            std::fprintf(stderr, "window_bench: the scan did not finish within %.0f s; ending Quarrymap\n",
                         kScanTimeoutSeconds);
            EnumWindows(ListWindowProc, LPARAM(processId));
            TerminateProcess(process.Get(), 1);
            WaitForSingleObject(process.Get(), kExitTimeoutMs);
            return run;
        }
        if (!main || !IsWindow(main)) {
            main = FindMainWindow(processId);
            toolbar = nullptr;
            if (!main) continue;
            if (run.MainWindow == 0) run.MainWindow = SecondsSince(start);
        }
        if (_wcsicmp(WindowText(main).c_str(), caption.c_str()) != 0) continue;
        if (!named) {
            run.Caption = SecondsSince(start);
            named = true;
        }
        if (!toolbar) toolbar = FindScanToolbar(main);
        if (toolbar && ScanButtonEnabled(toolbar)) break;
    }
    run.Wall = SecondsSince(start);
    run.Ok = true;
    if (after == TAfterScan::RemoveAllDrivesThenClose) {
        run.RemoveAll = RemoveAllDrives(main);
        if (run.RemoveAll < 0) run.Ok = false;
    }

    const auto closing = TClock::now();
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.Get(), kExitTimeoutMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "window_bench: Quarrymap did not end within %lu s of WM_CLOSE; ended it\n",
                     (unsigned long)(kExitTimeoutMs / 1000));
        EnumWindows(ListWindowProc, LPARAM(processId));
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), kExitTimeoutMs);
        run.Killed = true;
    }
    run.Close = SecondsSince(closing);
    return run;
}

// "R:" and "r:\" name the drive's root, "R:\"; other paths lose a trailing
// backslash. The drive letter is upper case, as the program shows it.
std::wstring FolderPath(std::wstring path) {
    if (path.size() >= 2 && path[1] == L':') path[0] = wchar_t(towupper(path[0]));
    if (path.size() == 2 && path[1] == L':') return path + L"\\";
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: window_bench QMSCAN_EXE QUARRYMAP_EXE FOLDER_OR_DRIVE [ROUNDS]\n");
        return 1;
    }
    const std::wstring qmscan = argv[1], quarrymap = argv[2], argument = argv[3];
    const int rounds = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
    const std::wstring folder = FolderPath(argument);
    const std::wstring caption = std::wstring(kCaption) + L" - " + folder;
    std::printf("qmscan %s against Quarrymap %s until \"%s\" with Scan enabled, best of %d\n", Narrow(folder).c_str(),
                Narrow(argument).c_str(), Narrow(caption).c_str(), rounds);
    std::fflush(stdout);

    if (!RunQmscan(qmscan, folder).Ok) return 2;  // warm-up: both meet a cached tree
    // Alternate the two, so that the machine's state favours neither.
    TToolRun bestTool;
    TToolRun bestCsv;
    TWindowRun bestWindow;
    bestTool.Wall = bestCsv.Wall = bestWindow.Wall = bestWindow.Close = bestWindow.RemoveAll = 1e30;
    for (int i = 1; i <= rounds; ++i) {
        const TToolRun tool = RunQmscan(qmscan, folder);
        if (!tool.Ok) return 2;
        const TWindowRun window = RunWindow(quarrymap, argument, caption, TAfterScan::Close);
        if (!window.Ok) return 2;
        // A second window gives its scanned tree up through the menu instead.
        const TWindowRun removing = RunWindow(quarrymap, argument, caption, TAfterScan::RemoveAllDrivesThenClose);
        if (!removing.Ok) return 2;
        const TToolRun csv = RunCsv(quarrymap, folder);
        if (!csv.Ok) return 2;
        std::printf(
            "run %d: qmscan %.3f s; window %.3f s (main window after %.3f s, caption after %.3f s; %s in "
            "%.3f s); again %.3f s, all drives removed in %.3f s\n",
            i, tool.Wall, window.Wall, window.MainWindow, window.Caption, window.Killed ? "ended by force" : "closed",
            window.Close, removing.Wall, removing.RemoveAll);
        std::fflush(stdout);
        std::printf("run %d: Quarrymap /csv %.3f s\n", i, csv.Wall);
        bestTool.Wall = std::min(bestTool.Wall, tool.Wall);
        bestCsv.Wall = std::min(bestCsv.Wall, csv.Wall);
        bestWindow.Wall = std::min({bestWindow.Wall, window.Wall, removing.Wall});
        if (!window.Killed) bestWindow.Close = std::min(bestWindow.Close, window.Close);
        bestWindow.RemoveAll = std::min(bestWindow.RemoveAll, removing.RemoveAll);
    }
    std::printf("best of %d wall time: qmscan %.3f s, Quarrymap window %.3f s\n", rounds, bestTool.Wall,
                bestWindow.Wall);
    std::printf("ratio window/qmscan: %.3f\n", bestWindow.Wall / bestTool.Wall);
    std::printf("Quarrymap /csv of the same folder: %.3f s, ratio to qmscan %.3f (target at most 1.2)\n", bestCsv.Wall,
                bestCsv.Wall / bestTool.Wall);
    std::printf("remove all drives: %.3f s, ratio to the window's scan %.3f (target at most %.1f)\n",
                bestWindow.RemoveAll, bestWindow.RemoveAll / bestWindow.Wall, kReleaseTarget);
    if (bestWindow.Close < 1e30)
        std::printf("close the window: %.3f s, ratio to the window's scan %.3f (target at most %.1f)\n",
                    bestWindow.Close, bestWindow.Close / bestWindow.Wall, kReleaseTarget);
    else
        std::printf("close the window: never ended by itself (target at most %.1f of the scan)\n", kReleaseTarget);
    return 0;
}
