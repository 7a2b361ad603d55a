#pragma once
#include <windows.h>

// The resolution a window is drawn at: its monitor's when the program is
// aware of per-monitor scaling, otherwise the system's (96 for a program
// that Windows scales itself). Windows before 10 have no per-window value;
// the screen's is used there.
int WindowDpi(HWND window);
