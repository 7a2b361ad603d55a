#pragma once
#include <windows.h>

// The colour a tab control fills its page with, read back from the control:
// classic tabs use the dialog face, themed ones a lighter page. Labels and
// check boxes placed on the page paint their background in it. The dialog
// face when the control cannot draw itself into a bitmap.
COLORREF TabPageColor(HWND tabs);
