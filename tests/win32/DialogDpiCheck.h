#pragma once
// A dialog told that its screen's scaling changed, as Windows tells it when
// the dialog moves between screens, and what it looks like before and after.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/win32/WindowDpi.h"

// Each control's place in the dialog and its font's height.
struct TDialogLook {
    SIZE Client;
    std::vector<RECT> Places;
    std::vector<LONG> FontHeights;
};

struct TDialogLookWalk {
    HWND Dialog;
    TDialogLook* Look;
    static BOOL CALLBACK Visit(HWND control, LPARAM context) {
        auto& walk = *reinterpret_cast<TDialogLookWalk*>(context);
        if (GetParent(control) != walk.Dialog) return TRUE;
        RECT place = {};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, walk.Dialog, reinterpret_cast<POINT*>(&place), 2);
        LOGFONTW font = {};
        const HGDIOBJ handle = HGDIOBJ(SendMessageW(control, WM_GETFONT, 0, 0));
        if (handle) GetObjectW(handle, sizeof font, &font);
        walk.Look->Places.push_back(place);
        walk.Look->FontHeights.push_back(std::abs(font.lfHeight));
        return TRUE;
    }
};

inline TDialogLook LookOf(HWND dialog) {
    TDialogLook look;
    RECT client = {};
    GetClientRect(dialog, &client);
    look.Client = {client.right, client.bottom};
    TDialogLookWalk walk{dialog, &look};
    EnumChildWindows(dialog, &TDialogLookWalk::Visit, LPARAM(&walk));
    return look;
}

// WM_DPICHANGED with a window rectangle grown in proportion.
inline void TellDpiChanged(HWND dialog, int dpi, int fromDpi) {
    RECT window = {};
    GetWindowRect(dialog, &window);
    RECT suggested = {window.left, window.top, window.left + MulDiv(window.right - window.left, dpi, fromDpi),
                      window.top + MulDiv(window.bottom - window.top, dpi, fromDpi)};
    SendMessageW(dialog, kDpiChangedMessage, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
}

// Everything 1.5 times as large, within the rounding of measures taken
// from text (a label fitted to its text); fonts of controls that had none
// keep none.
inline void ExpectHalfAsLargeAgain(const TDialogLook& before, const TDialogLook& after) {
    const auto closeEnough = [](LONG small, LONG large) {
        return std::abs(small * 1.5 - large) <= 2.0 + 0.06 * std::abs(small);
    };
    EXPECT_EQ(MulDiv(before.Client.cx, 3, 2), after.Client.cx);
    EXPECT_EQ(MulDiv(before.Client.cy, 3, 2), after.Client.cy);
    ASSERT_EQ(before.Places.size(), after.Places.size());
    for (size_t i = 0; i < before.Places.size(); ++i) {
        const RECT& a = before.Places[i];
        const RECT& b = after.Places[i];
        EXPECT_TRUE(closeEnough(a.left, b.left) && closeEnough(a.top, b.top) &&
                    closeEnough(a.right - a.left, b.right - b.left))
            << "control " << i << " at " << a.left << "," << a.top << " width " << a.right - a.left << " became "
            << b.left << "," << b.top << " width " << b.right - b.left;
        EXPECT_NEAR(before.FontHeights[i] * 1.5, after.FontHeights[i], 1.0) << "font of control " << i;
    }
}
