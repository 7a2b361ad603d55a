#include "platform/win32/ProgramIcon.h"

#include "../res/ProgramIds.h"

HICON ProgramIcon(bool small) {
    const int width = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    const int height = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, width, height, LR_SHARED));
}

void SetProgramIcon(HWND window) {
    SendMessageW(window, WM_SETICON, ICON_BIG, LPARAM(ProgramIcon(false)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, LPARAM(ProgramIcon(true)));
}
