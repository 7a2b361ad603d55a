#include "platform/win32/WindowText.h"

#include <algorithm>

#include "platform/win32/WideString.h"

std::string WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(std::max(0, length)) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], int(text.size()));
    text.resize(size_t(std::max(0, copied)));
    return Narrow(text);
}

void SetWindowTextOf(HWND window, const std::string& text) { SetWindowTextW(window, Widen(text).c_str()); }
