#include "controls/win32/Fonts.h"

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
    LOGFONTW font = {};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return TGdiObject();
    font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
    return TGdiObject(CreateFontIndirectW(&font));
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
