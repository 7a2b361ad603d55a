#pragma once
#include <windows.h>

// Registers a window class of this program with the arrow cursor. Safe to
// call again: a class that already exists counts as registered. False when
// the class cannot be registered (creating a window of it then fails).
bool RegisterWindowClass(const wchar_t* name, WNDPROC windowProc, UINT style, HBRUSH background = nullptr,
                         HICON icon = nullptr);
