// window_bench QMSCAN_EXE QUARRYMAP_EXE FOLDER [ROUNDS]: times a
// scan as the user waits for it, from starting Quarrymap with FOLDER on its
// command line until that folder is selected (the caption names it) and the
// Scan button is enabled again, against qmscan scanning the same folder
// without any window. Keeps the best of ROUNDS (default 3) of each and prints
// the ratio. Wall time only: Wine's GetProcessTimes does not
// report another process's processor time.

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
#include "platform/win32/Win32Handle.h"

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

TToolRun RunQmscan(const std::wstring& exe, const std::wstring& folder) {
    TToolRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    TWin32Handle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                 OPEN_EXISTING, 0, nullptr));
    const auto start = TClock::now();
    DWORD processId = 0;
    const TWin32Handle process(StartChild(exe, Quoted(folder), nul.IsValid() ? nul.Get() : nullptr, processId));
    if (!process.IsValid()) return run;
    if (WaitForSingleObject(process.Get(), DWORD(kScanTimeoutSeconds * 1000)) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "window_bench: qmscan did not finish within %.0f s; ended it\n", kScanTimeoutSeconds);
        TerminateProcess(process.Get(), 1);
        return run;
    }
    run.Wall = SecondsSince(start);
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    if (code != 0) {
        std::fprintf(stderr, "window_bench: qmscan ended with exit code %lu\n", (unsigned long)code);
        return run;
    }
    run.Ok = true;
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
    double Close = 0;       // WM_CLOSE until the process ended
    bool Killed = false;
};

TWindowRun RunWindow(const std::wstring& exe, const std::wstring& argument, const std::wstring& caption) {
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
    std::printf("qmscan %s against Quarrymap %s until \"%s\" with Scan enabled, best of %d\n",
                Narrow(folder).c_str(), Narrow(argument).c_str(), Narrow(caption).c_str(), rounds);
    std::fflush(stdout);

    if (!RunQmscan(qmscan, folder).Ok) return 2;  // warm-up: both meet a cached tree
    // Alternate the two, so that the machine's state favours neither.
    TToolRun bestTool;
    TWindowRun bestWindow;
    bestTool.Wall = bestWindow.Wall = 1e30;
    for (int i = 1; i <= rounds; ++i) {
        const TToolRun tool = RunQmscan(qmscan, folder);
        if (!tool.Ok) return 2;
        const TWindowRun window = RunWindow(quarrymap, argument, caption);
        if (!window.Ok) return 2;
        std::printf("run %d: qmscan %.3f s; window %.3f s (main window after %.3f s, caption after %.3f s; %s in "
                    "%.3f s)\n",
                    i, tool.Wall, window.Wall, window.MainWindow, window.Caption,
                    window.Killed ? "ended by force" : "closed", window.Close);
        std::fflush(stdout);
        bestTool.Wall = std::min(bestTool.Wall, tool.Wall);
        bestWindow.Wall = std::min(bestWindow.Wall, window.Wall);
    }
    std::printf("best of %d wall time: qmscan %.3f s, Quarrymap window %.3f s\n", rounds, bestTool.Wall,
                bestWindow.Wall);
    std::printf("ratio window/qmscan: %.3f\n", bestWindow.Wall / bestTool.Wall);
    return 0;
}
