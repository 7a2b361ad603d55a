#pragma once
#include <cstdint>

// The stored numbers of the window states.
enum class TWindowState : int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

// The position, size and state of one window, in screen pixels. Each setter
// takes effect at once, so the order of the calls is the order of the moves.
class IWindowPlacement {
public:
    virtual ~IWindowPlacement() = default;
    virtual int32_t GetLeft() const = 0;
    virtual int32_t GetTop() const = 0;
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    virtual TWindowState GetWindowState() const = 0;
    virtual void SetLeft(int32_t left) = 0;
    virtual void SetTop(int32_t top) = 0;
    virtual void SetWidth(int32_t width) = 0;
    virtual void SetHeight(int32_t height) = 0;
    virtual void SetWindowState(TWindowState state) = 0;
};
