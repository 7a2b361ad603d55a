#pragma once
#include <windows.h>

#include <objbase.h>

// COM for the shell's calls on this thread (a single-threaded apartment, as
// the shell's dialogs and menus need), released at the end of the scope
// when this scope started it. Nested scopes are counted by COM itself.
class TComInit {
public:
    TComInit() : Started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~TComInit() {
        if (Started) CoUninitialize();
    }
    TComInit(const TComInit&) = delete;
    TComInit& operator=(const TComInit&) = delete;

private:
    bool Started;
};
