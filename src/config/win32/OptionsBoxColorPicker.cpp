#include "config/win32/OptionsBoxColorPicker.h"

#include <commdlg.h>

TSystemColorPicker::TSystemColorPicker() { CustomColors.fill(RGB(255, 255, 255)); }

bool TSystemColorPicker::Pick(HWND owner, COLORREF& color) {
    CHOOSECOLORW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.rgbResult = color;
    request.lpCustColors = CustomColors.data();
    request.Flags = CC_RGBINIT;
    if (!ChooseColorW(&request)) return false;
    color = request.rgbResult;
    return true;
}
