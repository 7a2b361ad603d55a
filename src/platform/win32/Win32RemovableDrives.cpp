#include "platform/win32/Win32RemovableDrives.h"

#include <windows.h>

#include "platform/win32/WideString.h"

bool TWin32RemovableDrives::IsRemovableOrCdRom(const std::string& root) {
    const UINT type = GetDriveTypeW(Widen(root).c_str());
    return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}
