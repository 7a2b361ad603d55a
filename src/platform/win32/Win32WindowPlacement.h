#pragma once
#include <windows.h>

#include "platform/WindowPlacement.h"

// The placement of a top-level window. Bounds are its window rectangle in
// screen pixels; while the window is minimised or maximised they are its
// restored rectangle, so that they keep their meaning in every state.
class TWin32WindowPlacement : public IWindowPlacement {
public:
    explicit TWin32WindowPlacement(HWND window) : Window(window) {}

    int32_t GetLeft() const override { return Bounds().left; }
    int32_t GetTop() const override { return Bounds().top; }
    int32_t GetWidth() const override { return Bounds().right - Bounds().left; }
    int32_t GetHeight() const override { return Bounds().bottom - Bounds().top; }
    TWindowState GetWindowState() const override;
    void SetLeft(int32_t left) override;
    void SetTop(int32_t top) override;
    void SetWidth(int32_t width) override;
    void SetHeight(int32_t height) override;
    void SetWindowState(TWindowState state) override;

private:
    RECT Bounds() const;
    void SetBounds(const RECT& bounds);

    HWND Window;
};
