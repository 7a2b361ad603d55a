#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/GdiObjects.h"

// A font of the given face with a character height in pixels (the cell
// height less the internal leading, as a form designer gives it).
TGdiObject MakeFont(const wchar_t* face, int pixelHeight, bool bold = false);
// The same from a size in points at the given resolution.
TGdiObject MakePointFont(const wchar_t* face, int points, int dpi, bool bold = false);

// The user-interface font (DEFAULT_GUI_FONT, which Windows makes for the
// primary screen's resolution) made for a window at another resolution.
TGdiObject MakeGuiFont(int dpi);
// A copy of `font`, made for `fromDpi`, for a window at `toDpi`.
TGdiObject ScaledFont(HFONT font, int fromDpi, int toDpi);

// The font a dialog's template gives it, made for the resolution the dialog
// opened at, and a copy for the resolution it has now when that is another.
class TDialogFont {
public:
    // At WM_INITDIALOG.
    void Opened(HWND dialog, int dpi);
    HFONT Font() const { return Scaled.Font() ? Scaled.Font() : Template; }
    // Makes the font for `dpi`. The copy it replaces is handed back, to be
    // kept until no control uses it any more.
    TGdiObject Rescale(int dpi);

private:
    HFONT Template = nullptr;
    int TemplateDpi = 96;
    TGdiObject Scaled;
};

// The pixel size of a text in a font (null: the default GUI font) on the screen.
SIZE TextExtent(HFONT font, const std::wstring& text);
