#pragma once
#include <windows.h>

// The program's icon at the system's large or small icon size, from the
// executable's resources; shared, so nobody destroys it. Null when the
// running module carries no icon.
HICON ProgramIcon(bool small);
// Gives a top-level window the program's icon, large and small.
void SetProgramIcon(HWND window);
