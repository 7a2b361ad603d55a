#pragma once
#include <windows.h>

#include <string>

#include "controls/PixelScale.h"
#include "platform/win32/GdiObjects.h"

// A font's size: a character height in pixels at 96 DPI (the cell height
// less the internal leading, as a form designer gives it), or points.
struct TFontSize {
    int Value;
    bool InPoints;
    static constexpr TFontSize Pixels(int pixelsAt96) { return {pixelsAt96, false}; }
    static constexpr TFontSize Points(int points) { return {points, true}; }
};

// What a font looks like, whatever the screen.
struct TFontLook {
    TFontLook(const wchar_t* face, TFontSize size, int weight = FW_NORMAL) : Face(face), Size(size), Weight(weight) {}
    const wchar_t* Face;
    TFontSize Size;
    int Weight;
    bool Italic = false;
    BYTE Quality = DEFAULT_QUALITY;
    BYTE PitchAndFamily = DEFAULT_PITCH | FF_SWISS;
};

// The one place the program makes a font from a description: the look at
// the scale of the window it is for.
TFont MakeFont(const TFontLook& look, TPixelScale scale);

// A font like `font`, at its size, with another weight, a height larger by
// `grow` pixels, or underlined; none when `font` is none.
struct TFontChange {
    int Weight = 0;  // 0 keeps the font's own
    int Grow = 0;
    bool Underline = false;
};
TFont VariantOf(HFONT font, const TFontChange& change);

// The user-interface font (DEFAULT_GUI_FONT, which Windows makes for the
// primary screen's resolution) made for a window at another resolution.
TFont MakeGuiFont(int dpi);
// A copy of `font`, made for `fromDpi`, for a window at `toDpi`.
TFont ScaledFont(HFONT font, int fromDpi, int toDpi);

// The font a dialog's template gives it, made for the resolution the dialog
// opened at, and a copy for the resolution it has now when that is another.
class TDialogFont {
public:
    // At WM_INITDIALOG.
    void Opened(HWND dialog, int dpi);
    HFONT Font() const { return Scaled.Get() ? Scaled.Get() : Template; }
    // Makes the font for `dpi`. The copy it replaces is handed back, to be
    // kept until no control uses it any more.
    TFont Rescale(int dpi);

private:
    HFONT Template = nullptr;
    int TemplateDpi = 96;
    TFont Scaled;
};

// The pixel size of a text in a font (null: the default GUI font) on the screen.
SIZE TextExtent(HFONT font, const std::wstring& text);
