#pragma once
#include <windows.h>

// The pie header's pictures for grouped wedges, drawn to fill `area`: a
// stack of folders for the smaller folders, a stack of pages for files.
void PaintGroupPicture(HDC dc, const RECT& area, bool folders);
