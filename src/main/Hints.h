#pragma once
#include <string>

// Hints have the form short text, "|", long text. The short text is the
// tooltip; the long text goes to the status bar. A hint without a bar is
// both.
std::string ShortHint(const std::string& hint);
std::string LongHint(const std::string& hint);

// The status bar's own hint: its long text ":" brings the path back.
constexpr const char* kStatusBarHint = "|:";

// A long hint that hands panel 0 back to the current path instead of
// showing a text: none at all, or ":".
bool RestoresStatusPath(const std::string& longHint);
