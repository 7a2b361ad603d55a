#include "controls/win32/DriveItemDrawing.h"

#include "controls/DriveItems.h"
#include "controls/win32/ShellDriveList.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowDpi.h"

namespace {

const int kIconLeftMargin = 2;
const int kTextGap = 6;  // between the icon's left edge plus its width and the text

}  // namespace

TSmallIconSize SmallIconMetrics(HWND window) {
    const int dpi = WindowDpi(window);
    TSmallIconSize size;
    size.Width = SystemMetricForDpi(SM_CXSMICON, dpi);
    size.Height = SystemMetricForDpi(SM_CYSMICON, dpi);
    return size;
}

int DriveItemHeight(HFONT font, int smallIconHeight) {
    const TMemoryDcHandle dc = MakeMemoryDc();
    TEXTMETRICW metrics = {};
    if (dc.Get()) {
        TSelection useFont(dc.Get(), font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
        GetTextMetricsW(dc.Get(), &metrics);
    }
    return metrics.tmHeight > smallIconHeight ? int(metrics.tmHeight) : smallIconHeight;
}

void DrawDriveItem(HDC dc, const RECT& rect, const TShellDrive* drive, UINT itemState, TSmallIconSize icon) {
    const bool selected = (itemState & ODS_SELECTED) != 0;
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    if (drive) {
        if (drive->Icon.Get()) {
            const int top = (rect.top + rect.bottom - icon.Height) / 2;
            DrawIconEx(dc, rect.left + kIconLeftMargin, top, drive->Icon.Get(), icon.Width, icon.Height, 0, nullptr,
                       DI_NORMAL);
        }
        RECT textRect = rect;
        textRect.left += icon.Width + kTextGap;
        const std::wstring name = Widen(DriveItemName(drive->Text));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                                               : selected ? COLOR_HIGHLIGHTTEXT
                                                                          : COLOR_WINDOWTEXT));
        DrawTextW(dc, name.c_str(), int(name.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }
    if ((itemState & ODS_FOCUS) && !(itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &rect);
}
