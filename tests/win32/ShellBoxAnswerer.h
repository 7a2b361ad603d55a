#pragma once
// Answers the shell's own questions (its confirmation boxes) the way a user
// would, by pressing one of their buttons, from a thread of its own while
// the test's thread waits inside the shell call.

#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/WideString.h"

class TShellBoxAnswerer {
public:
    // Presses the first of `buttons` that the box has and that is enabled.
    // `except` is a dialog of the program's own that is not to be answered.
    explicit TShellBoxAnswerer(std::initializer_list<int> buttons = {IDYES, IDOK, IDCONTINUE}, HWND except = nullptr)
        : Buttons(buttons), Except(except), Watcher([this] { Watch(); }) {}
    ~TShellBoxAnswerer() {
        Stop = true;
        Watcher.join();
    }
    TShellBoxAnswerer(const TShellBoxAnswerer&) = delete;
    TShellBoxAnswerer& operator=(const TShellBoxAnswerer&) = delete;

    int Answered() const { return Count; }
    // The captions of the boxes answered, in order.
    std::vector<std::string> Questions() const {
        std::lock_guard<std::mutex> lock(Guard);
        return Asked;
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM param) {
        auto* self = reinterpret_cast<TShellBoxAnswerer*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (window == self->Except || process != GetCurrentProcessId() || !IsWindowVisible(window) ||
            lstrcmpW(className, L"#32770") != 0)
            return TRUE;
        for (const int button : self->Buttons) {
            const HWND item = GetDlgItem(window, button);
            if (!item || !IsWindowEnabled(item)) continue;
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            {
                std::lock_guard<std::mutex> lock(self->Guard);
                self->Asked.push_back(Narrow(caption));
            }
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(item));
            ++self->Count;
            break;
        }
        return TRUE;
    }
    void Watch() {
        while (!Stop) {
            EnumWindows(&Visit, LPARAM(this));
            // Long enough for a pressed box to close before it is seen again.
            Sleep(200);
        }
    }

    std::vector<int> Buttons;
    HWND Except;
    std::atomic<bool> Stop{false};
    std::atomic<int> Count{0};
    mutable std::mutex Guard;
    std::vector<std::string> Asked;
    std::thread Watcher;
};
