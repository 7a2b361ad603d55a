#pragma once
#include <windows.h>

#include <commctrl.h>

#include "controls/PixelScale.h"
#include "platform/win32/Owned.h"

constexpr int kToolImageSize = 16;

// The toolbar's pictures (TToolImage order), drawn here at the scale;
// null on failure.
HIMAGELIST CreateToolbarImages(TPixelScale scale);
