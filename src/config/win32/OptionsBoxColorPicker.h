#pragma once
#include <windows.h>

#include <array>

// The colour picker of the Options dialog, so that tests can answer it.
class IColorPicker {
public:
    virtual ~IColorPicker() = default;
    // Shows the picker over `owner`, preset to `color` (0x00BBGGRR). True
    // with the chosen colour in `color` when the user confirmed it.
    virtual bool Pick(HWND owner, COLORREF& color) = 0;
};

// The system's colour dialog. Its custom colours last as long as the object.
class TSystemColorPicker : public IColorPicker {
public:
    TSystemColorPicker();
    bool Pick(HWND owner, COLORREF& color) override;

private:
    std::array<COLORREF, 16> CustomColors;
};
