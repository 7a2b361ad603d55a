#pragma once
#include <windows.h>

#include <memory>

#include "controls/win32/Panel.h"

// A panel that shows a larger content panel through scroll bars: the bars
// appear only while the content does not fit, and scrolling moves the
// content panel. Children go on Content().
class TScrollBox {
public:
    explicit TScrollBox(HWND parent);

    TPanel& Frame() { return *Outer; }
    TPanel& Content() { return *Inner; }
    void SetColor(TColor color);
    void SetBounds(int left, int top, int width, int height);
    // The content's size: at least the visible area, so it always fills it.
    void SetContentSize(int width, int height);
    // The visible area, without the scroll bars.
    SIZE ClientSize() const;
    // The content panel's size: the wanted size, or the visible area where larger.
    SIZE ContentSize() const;
    POINT ScrollPosition() const { return Position; }

private:
    bool OnMessage(UINT message, WPARAM wParam, LRESULT& result);
    void Scroll(int bar, int code);
    void UpdateBars();
    void PlaceContent();

    std::unique_ptr<TPanel> Outer;
    std::unique_ptr<TPanel> Inner;
    SIZE Wanted = {0, 0};
    POINT Position = {0, 0};
    bool Updating = false;
};
