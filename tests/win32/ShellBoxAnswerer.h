#pragma once
// Answers the shell's own questions (its confirmation boxes) the way a user
// would, by pressing one of their buttons, from a thread of its own while
// the test's thread waits inside the shell call.

#include <windows.h>

#include <atomic>
#include <thread>

class TShellBoxAnswerer {
public:
    explicit TShellBoxAnswerer(int button = IDYES) : Button(button), Watcher([this] { Watch(); }) {}
    ~TShellBoxAnswerer() {
        Stop = true;
        Watcher.join();
    }
    TShellBoxAnswerer(const TShellBoxAnswerer&) = delete;
    TShellBoxAnswerer& operator=(const TShellBoxAnswerer&) = delete;

    int Answered() const { return Count; }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM param) {
        auto* self = reinterpret_cast<TShellBoxAnswerer*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0)
            return TRUE;
        if (HWND button = GetDlgItem(window, self->Button)) {
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(self->Button, BN_CLICKED), LPARAM(button));
            ++self->Count;
        }
        return TRUE;
    }
    void Watch() {
        while (!Stop) {
            EnumWindows(&Visit, LPARAM(this));
            Sleep(100);
        }
    }

    int Button;
    std::atomic<bool> Stop{false};
    std::atomic<int> Count{0};
    std::thread Watcher;
};
