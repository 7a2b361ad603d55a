#include "controls/win32/Fonts.h"

#include <utility>

#include "platform/win32/WindowDpi.h"

TGdiObject MakeFont(const wchar_t* face, int pixelHeight, bool bold) {
    return TGdiObject(CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, face));
}

TGdiObject MakePointFont(const wchar_t* face, int points, int dpi, bool bold) {
    return MakeFont(face, MulDiv(points, dpi, 72), bold);
}

TGdiObject MakeGuiFont(int dpi) {
    return ScaledFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), ScreenDpi(), dpi);
}

TGdiObject ScaledFont(HFONT font, int fromDpi, int toDpi) {
    LOGFONTW description = {};
    if (!font || fromDpi <= 0 || !GetObjectW(font, sizeof description, &description)) return TGdiObject();
    description.lfHeight = MulDiv(description.lfHeight, toDpi, fromDpi);
    description.lfWidth = MulDiv(description.lfWidth, toDpi, fromDpi);
    return TGdiObject(CreateFontIndirectW(&description));
}

void TDialogFont::Opened(HWND dialog, int dpi) {
    Template = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    TemplateDpi = dpi;
    Scaled = TGdiObject();
}

TGdiObject TDialogFont::Rescale(int dpi) {
    TGdiObject previous = std::move(Scaled);
    if (dpi != TemplateDpi) Scaled = ScaledFont(Template, TemplateDpi, dpi);
    return previous;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    SIZE size = {0, 0};
    HDC screen = GetDC(nullptr);
    if (!screen) return size;
    {
        TSelection useFont(screen, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(screen, text.c_str(), int(text.size()), &size);
    }
    ReleaseDC(nullptr, screen);
    return size;
}
