#pragma once
#include <windows.h>

#include "platform/win32/Owned.h"

// Selects an object into a device context for the life of the scope.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : Dc(dc), Previous(SelectObject(dc, object)) {}
    ~TSelection() { SelectObject(Dc, Previous); }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC Dc;
    HGDIOBJ Previous;
};

// A memory device context from CreateCompatibleDC; null on failure.
inline TMemoryDcHandle MakeMemoryDc(HDC compatibleWith = nullptr) {
    return TMemoryDcHandle(CreateCompatibleDC(compatibleWith));
}

// A window's device context (the screen's for a null window) from GetDC,
// released with ReleaseDC.
class TWindowDc {
public:
    explicit TWindowDc(HWND window = nullptr) : Window(window), Dc(GetDC(window)) {}
    ~TWindowDc() {
        if (Dc) ReleaseDC(Window, Dc);
    }
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;

    HDC Get() const { return Dc; }

private:
    HWND Window;
    HDC Dc;
};

// The device context of WM_PAINT, from BeginPaint to EndPaint.
class TPaintDc {
public:
    explicit TPaintDc(HWND window) : Window(window), Dc(BeginPaint(window, &Paint)) {}
    ~TPaintDc() { EndPaint(Window, &Paint); }
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;

    HDC Get() const { return Dc; }
    // Whether the background is to be erased first.
    bool Erase() const { return Paint.fErase != FALSE; }

private:
    HWND Window;
    PAINTSTRUCT Paint = {};
    HDC Dc;
};
