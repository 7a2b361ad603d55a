#pragma once
#include <windows.h>

#include <string>

// A window's text as UTF-8, and setting it from UTF-8.
std::string WindowTextOf(HWND window);
void SetWindowTextOf(HWND window, const std::string& text);
