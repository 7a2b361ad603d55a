#pragma once
#include <windows.h>

#include <commctrl.h>

#include "cleanup/CleanUpMenu.h"
#include "controls/PixelScale.h"

constexpr int kCleanUpPictureSize = 16;

// The Free Some Space page's pictures, one per action in TCleanUpAction
// order, drawn here; null on failure. The caller owns the list.
HIMAGELIST CreateCleanUpPictures(TPixelScale scale);
