#include "platform/win32/Win32DriveEnumerator.h"

#include <windows.h>

uint32_t TWin32DriveEnumerator::GetLogicalDriveMask() { return GetLogicalDrives(); }
