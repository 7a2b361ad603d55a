#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/Canvas.h"
#include "platform/win32/BoundWindow.h"
#include "platform/win32/GdiObjects.h"

// The system's window colour, behind the pages' texts.
constexpr TColor kWindowColor = kSystemColorFlag | COLOR_WINDOW;

// A plain child window that fills itself with a colour. Its OnMessage sees
// its children's notifications first, so a page can handle its own
// controls; what it leaves (commands, notifications, owner drawing) goes on
// to the top-level window. Labels on it get its colour.
class TPanel : public TBoundWindow {
public:
    TPanel(HWND parent, int id, DWORD extraStyle = 0);
    TColor Color() const { return Background; }
    void SetColor(TColor color);
    // A thin line along the bottom edge.
    void SetBottomLine(bool on);

    // Drawn after the background.
    std::function<void(HDC dc, const RECT& client)> OnPaint;
    // Any message the panel itself receives; true when handled.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void EraseBackground(HDC dc);
    void Paint();

    TColor Background;
    bool BottomLine = false;
    std::unique_ptr<TGdiObject> Brush;  // for the labels on the panel
    TColor BrushColor = 0;
};
