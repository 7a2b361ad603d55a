#pragma once
#include <windows.h>

#include "controls/PixelScale.h"

// Pictures of the main window, drawn at run time.

// The sponsor banner: the product's own advertisement across `area`.
void PaintSponsorBanner(HDC dc, const RECT& area, TPixelScale scale);

// The not-scanned sheet's picture: a folder with a question mark, centred
// at the top of `area`.
void PaintNotScannedPicture(HDC dc, const RECT& area, TPixelScale scale);
