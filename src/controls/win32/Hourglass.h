#pragma once
#include <windows.h>

// Shows the hourglass while it lives, and the cursor before it afterwards.
class THourglass {
public:
    THourglass() : Previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~THourglass() { SetCursor(Previous); }
    THourglass(const THourglass&) = delete;
    THourglass& operator=(const THourglass&) = delete;

private:
    HCURSOR Previous;
};
