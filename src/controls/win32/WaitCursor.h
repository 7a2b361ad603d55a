#pragma once
#include <windows.h>

// Shows the hourglass while it lives, and the cursor before it afterwards:
// for work the user waits for on the window's thread. The arrow would come
// back with the next mouse move anyway; this restores it at once.
class TWaitCursor {
public:
    TWaitCursor() : Previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(Previous); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR Previous;
};
