#pragma once
#include <windows.h>

#include "controls/PixelScale.h"
#include "controls/win32/Dialog.h"
#include "controls/win32/Fonts.h"
#include "main/win32/InfoBoxServices.h"
#include "platform/win32/GdiObjects.h"

// Shows the introductory letter modally over `owner`. Without key preview
// (its showing at a first start) only its buttons close it, not Esc.
void RunIntroLetterBox(const TInfoBoxServices& services, HWND owner, bool keyPreview);

// "Please read the entire letter before continuing": the banner, the
// letter in a read-only memo, "Continue", "Complete the survey" (opens
// SURVEY.TXT beside the program) and "Visit our Web site".
class TIntroLetterBox : public TDialog {
public:
    TIntroLetterBox(const TInfoBoxServices& services, bool keyPreview);
    ~TIntroLetterBox() override;

    HWND Memo() const;

    static constexpr int kClientWidth = 407;
    static constexpr int kClientHeight = 367;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // Scales its fonts made in code with everything else.
    bool OnDpiChanged(int dpi, LPARAM suggested) override;

private:
    void CreateControls();
    void Paint();
    void SurveyClick();
    void WebSiteClick();

    const TInfoBoxServices& Services;
    TControlHook MemoHook;
    bool KeyPreview;
    // The letter's resolution; the layout's numbers are for 96 DPI.
    TPixelScale Scale;
    TDialogFont DialogFont;
    TFont MemoFont;
};
