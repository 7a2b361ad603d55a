#pragma once
#include <windows.h>

#include <utility>
#include <vector>

// What a window needs when it moves to a screen of another scaling and its
// controls were placed and given fonts for the old one.

// Every window below `root` whose font is the first of a pair gets the
// second, and repaints.
void ReplaceFonts(HWND root, const std::vector<std::pair<HFONT, HFONT>>& replacements);

// Every window below `root` that sits in one of the program's own panels
// (or in `root` itself) is moved and sized by toDpi / fromDpi, and the
// columns of report lists are widened the same way. Controls that place
// their own parts (a list's header, a combo box's edit) are left to do so.
// Layout code that runs afterwards overrides whatever it places itself.
void RescaleChildWindows(HWND root, int fromDpi, int toDpi);

// The columns of a report list, widened or narrowed by toDpi / fromDpi.
void RescaleListColumns(HWND list, int fromDpi, int toDpi);

// A dialog that places its controls in code, moving to a screen of another
// scaling: its controls take the new fonts and are moved and sized by
// toDpi / fromDpi, and the dialog takes the place Windows suggests (the
// message's lParam) with a client area of `client` pixels.
void RescaleDialog(HWND dialog, int fromDpi, int toDpi, const std::vector<std::pair<HFONT, HFONT>>& fonts,
                   LPARAM suggested, SIZE client);
