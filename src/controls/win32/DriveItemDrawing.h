#pragma once
#include <windows.h>

struct TShellDrive;

// The system's small icon size, which the drive lists read when they are
// created or given a font.
struct TSmallIconSize {
    int Width = 16;
    int Height = 16;
};

// At the resolution of the window that shows the icons (null: the primary
// screen's).
TSmallIconSize SmallIconMetrics(HWND window);

// The larger of the font's character cell height and the icon height.
// A null font stands for the system font.
int DriveItemHeight(HFONT font, int smallIconHeight);

// Paints one drive item into `rect` with the font selected into `dc`: the
// background in the colour of the state, the icon 2 pixels from the left
// and centred vertically, then the drive's name on one line with "&" taken
// literally. `drive` null paints an empty item, as the closed combo box
// shows when nothing is selected. The focus rectangle comes last.
void DrawDriveItem(HDC dc, const RECT& rect, const TShellDrive* drive, UINT itemState, TSmallIconSize icon);
