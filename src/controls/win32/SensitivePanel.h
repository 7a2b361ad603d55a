#pragma once
#include <windows.h>

#include "controls/win32/PaintedWindow.h"

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/GdiObjects.h"

class TSensitivePanel;

// The mouse notification behind a sensitive panel's event: WM_MOUSEMOVE for
// the move that brought the pointer in, WM_MOUSELEAVE when it went out.
// `Result` is what the panel answers; a handler may change it.
struct TPanelMessage {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TSensitiveActivation = std::function<void(TSensitivePanel& sender, TPanelMessage& message)>;
using TPanelClick = std::function<void(TSensitivePanel& sender)>;

enum class TPanelAlignment { Left, Center, Right };

// A panel that says when the mouse pointer enters and leaves it. The panel
// is a child window (the platform has no windowless controls) painted in its
// colour, with a one-line caption. Labels and icons placed on it take its
// colour and font colour, and let the mouse through to it, so pointing at
// or clicking them counts as the panel. Notifications of its children go on
// to its parent. The window is destroyed with this object or with its
// parent, whichever comes first.
class TSensitivePanel : public TPaintedWindow {
public:
    // Takes the parent's font. Throws std::runtime_error when the window
    // cannot be created.
    TSensitivePanel(HWND parent, int left, int top, int width, int height);
    ~TSensitivePanel() override;
    TSensitivePanel(const TSensitivePanel&) = delete;
    TSensitivePanel& operator=(const TSensitivePanel&) = delete;

    // Raised after the panel's own handling of the notification.
    TSensitiveActivation OnSensitiveActivate;
    TSensitiveActivation OnSensitiveDeactivate;
    // A left-button press and release on the panel.
    TPanelClick OnClick;

    bool MouseInside() const { return Inside; }

    COLORREF Color() const { return BackColor; }
    void SetColor(COLORREF color);
    COLORREF FontColor() const { return TextColor; }
    void SetFontColor(COLORREF color);
    const std::string& Caption() const { return CaptionText; }
    void SetCaption(const std::string& caption);
    TPanelAlignment Alignment() const { return CaptionAlignment; }
    void SetAlignment(TPanelAlignment alignment);

    // The system font when it has none of its own.
    void PaintTo(HDC dc) const override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT MouseMoved(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MouseLeft(UINT message, WPARAM wParam, LPARAM lParam);
    // Repaints the panel and the children that take its colours.
    void Repaint() override;

    COLORREF BackColor;
    COLORREF TextColor;
    std::unique_ptr<TGdiObject> BackBrush;  // of BackColor
    std::string CaptionText;
    TPanelAlignment CaptionAlignment = TPanelAlignment::Center;
    bool Inside = false;
    bool Pressed = false;
};
