#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "controls/PixelScale.h"
#include "controls/win32/Panel.h"
#include "platform/win32/BoundWindow.h"

// The sheet shown instead of the pages while the selected item has no
// results: a picture strip on the left and a read-only message beside it,
// both on the "not scanned" colour.
class TNotScannedPage {
public:
    TNotScannedPage(TPanel& sheet, TPixelScale scale);

    void Layout();
    // For a screen of another scaling; the next Layout places the sheet.
    void SetScale(TPixelScale scale) { Scale = scale; }
    void SetColor(TColor color);
    void SetMessage(const std::string& text);
    HWND Memo() const { return txtNotReady; }

private:
    bool OnTextPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    TPanel& Sheet;
    TPixelScale Scale;
    std::unique_ptr<TPanel> NotReadyPanel;
    std::unique_ptr<TPanel> imgNotReady;
    std::unique_ptr<TPanel> NotReadyTextPanel;
    HWND txtNotReady = nullptr;
    TControlHook MemoHook;
};
