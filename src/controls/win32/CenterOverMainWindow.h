#pragma once
#include <windows.h>

// Moves a dialog so that it stands centred over the main window, inside the
// screen. Does nothing when either window is missing. Every dialog of the
// program does this once, when it is created.
void CenterOverMainWindow(HWND dialog, HWND mainWindow);
