#include "controls/win32/Fonts.h"

#include <utility>

#include "platform/win32/WindowDpi.h"

TFont MakeFont(const TFontLook& look, TPixelScale scale) {
    const int height = look.Size.InPoints ? MulDiv(look.Size.Value, scale.DotsPerInch(), 72) : scale(look.Size.Value);
    return TFont(CreateFontW(-height, 0, 0, 0, look.Weight, look.Italic, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, look.Quality, look.PitchAndFamily, look.Face));
}

TFont VariantOf(HFONT font, const TFontChange& change) {
    LOGFONTW description = {};
    if (!font || !GetObjectW(font, sizeof description, &description)) return TFont();
    if (change.Weight) description.lfWeight = change.Weight;
    if (change.Grow) description.lfHeight += description.lfHeight < 0 ? -change.Grow : change.Grow;
    if (change.Underline) description.lfUnderline = TRUE;
    return TFont(CreateFontIndirectW(&description));
}

TFont MakeGuiFont(int dpi) {
    return ScaledFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), ScreenDpi(), dpi);
}

TFont ScaledFont(HFONT font, int fromDpi, int toDpi) {
    LOGFONTW description = {};
    if (!font || fromDpi <= 0 || !GetObjectW(font, sizeof description, &description)) return TFont();
    description.lfHeight = MulDiv(description.lfHeight, toDpi, fromDpi);
    description.lfWidth = MulDiv(description.lfWidth, toDpi, fromDpi);
    return TFont(CreateFontIndirectW(&description));
}

void TDialogFont::Opened(HWND dialog, int dpi) {
    Template = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    TemplateDpi = dpi;
    Scaled = TFont();
}

TFont TDialogFont::Rescale(int dpi) {
    TFont previous = std::move(Scaled);
    if (dpi != TemplateDpi) Scaled = ScaledFont(Template, TemplateDpi, dpi);
    return previous;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    SIZE size = {0, 0};
    const TWindowDc screen;
    if (!screen.Get()) return size;
    TSelection useFont(screen.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(screen.Get(), text.c_str(), int(text.size()), &size);
    return size;
}
