#pragma once
#include <windows.h>

#include <functional>

#include "platform/Canvas.h"

// A plain child window that fills itself with a colour and passes its
// children's notifications (commands, notifications, control colours,
// owner drawing) on to the top-level window, so that one window procedure
// handles every control of the main window.
class TPanel {
public:
    TPanel(HWND parent, int id, DWORD extraStyle = 0);
    ~TPanel();
    TPanel(const TPanel&) = delete;
    TPanel& operator=(const TPanel&) = delete;

    HWND Handle() const { return Window; }
    TColor Color() const { return Background; }
    void SetColor(TColor color);
    // A thin line along the bottom edge.
    void SetBottomLine(bool on);
    void SetBounds(int left, int top, int width, int height);
    void SetVisible(bool visible);
    bool Visible() const;

    // Drawn after the background.
    std::function<void(HDC dc, const RECT& client)> OnPaint;
    // Any message the panel itself receives; true when handled.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void EraseBackground(HDC dc);
    void Paint();

    HWND Window = nullptr;
    TColor Background;
    bool BottomLine = false;
};
