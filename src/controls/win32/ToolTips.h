#pragma once
#include <windows.h>

#include <string>

// One tooltip window serving any number of child controls, each with its
// own text. The tooltip is destroyed with this object.
class TToolTips {
public:
    explicit TToolTips(HWND owner);
    ~TToolTips();
    TToolTips(const TToolTips&) = delete;
    TToolTips& operator=(const TToolTips&) = delete;

    HWND Handle() const { return Window; }
    // Adds the control on first use; an empty text shows no tip.
    void SetTip(HWND control, const std::string& text);
    std::string Tip(HWND control) const;

private:
    HWND Window = nullptr;
};
