#pragma once
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "controls/PixelScale.h"

// The strokes the program's own small pictures (toolbar buttons, page
// items) are drawn with, in 16-pixel cells.
constexpr COLORREF kPictureMaskColor = RGB(255, 0, 255);
constexpr COLORREF kPictureDark = RGB(32, 32, 32);

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF edge);
void FillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge);
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width = 1);
// A yellow folder filling the cell whose top left corner is (x, y).
void DrawFolder(HDC dc, int x, int y);

// An image list of `count` square pictures of `size` pixels at 96 DPI, made
// at `scale`: `draw` paints picture i at (x, 0) of a strip whose background
// is the mask colour, in the 96-DPI measures, and the device context turns
// them into the scaled pixels, so lines and shapes are drawn sharp at any
// resolution rather than stretched. Null on failure; the caller owns the
// list.
HIMAGELIST DrawImageStrip(int size, int count, const std::function<void(HDC dc, int index, int x)>& draw,
                          TPixelScale scale = TPixelScale());
