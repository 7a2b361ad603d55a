#pragma once
#include <windows.h>

#include "platform/win32/BoundWindow.h"

#include <string>

#include "controls/VersionCaption.h"

// A label showing one field of the executable's version resource, such as
// "File Version: 2.1.0.6". A static control, subclassed to size itself to
// its text whenever the text or the font (WM_SETFONT) changes; one line, no
// word wrap. The window is destroyed with this object or with its parent,
// whichever comes first.
class TVersionLabel : public TBoundWindow {
public:
    // Takes the parent's font. Throws std::runtime_error when the window
    // cannot be created.
    TVersionLabel(HWND parent, int left, int top, IVersionInfo& info);

    const std::string& Caption() const { return Text.Caption(); }

    TVersionResource VersionResource() const { return Text.VersionResource(); }
    const std::string& VersionResourceKey() const { return Text.VersionResourceKey(); }
    const std::string& InfoPrefix() const { return Text.InfoPrefix(); }
    bool ShowInfoPrefix() const { return Text.ShowInfoPrefix(); }
    const std::string& LangCharset() const { return Text.LangCharset(); }

    // Each setter shows the new caption at once; see TVersionCaption for how
    // the properties pull each other along.
    void SetVersionResource(TVersionResource field);
    void SetVersionResourceKey(const std::string& key);
    void SetInfoPrefix(const std::string& prefix);
    void SetShowInfoPrefix(bool show);
    void SetLangCharset(const std::string& langCharset);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowCaption();
    void FitToText();

    TVersionCaption Text;
};
