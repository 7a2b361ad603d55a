// The about box and the introductory letter through their messages, with
// the help and the survey that the build puts beside the program.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../res/InfoBoxIds.h"
#include "DialogDpiCheck.h"
#include "DrivePickerTestSupport.h"
#include "ProgramRun.h"
#include "ScriptedModalRunner.h"
#include "main/AboutTexts.h"
#include "main/HelpTopics.h"
#include "main/win32/AboutBox.h"
#include "main/win32/IntroLetterBox.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32VersionInfo.h"
#include "platform/win32/WindowText.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

void Click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// A key as the modal loop hands it on: through the dialog manager first.
void PressKey(HWND dialog, HWND focus, UINT message, WPARAM key) {
    SetFocus(focus);
    MSG msg = {focus, message, key, 1, 0, {0, 0}};
    if (!IsDialogMessageW(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Ctrl and Alt held in this thread's keyboard state while it lives.
class THeldKeys {
public:
    THeldKeys() {
        GetKeyboardState(Saved);
        BYTE held[256];
        GetKeyboardState(held);
        held[VK_CONTROL] = held[VK_LCONTROL] = held[VK_MENU] = held[VK_LMENU] = 0x80;
        SetKeyboardState(held);
    }
    ~THeldKeys() { SetKeyboardState(Saved); }

private:
    BYTE Saved[256] = {};
};

class InfoBoxesTest : public ::testing::Test {
protected:
    std::string ProgramPath = Narrow(ProgramUnderTest());
    std::string ProgramFolder = ProgramPath.substr(0, ProgramPath.find_last_of('\\'));
    TRecordingShellOpen Shell;
    TWin32FileSystem Files;
    TScriptedMessageBoxes Boxes;
    TWin32VersionInfo Version;
    TScriptedModalRunner Runner;
    TInfoBoxServices Services{Shell, Files, Boxes, Version, Runner, ProgramPath};
    THostWindow Main{200, 150, 800, 600};
};

TEST_F(InfoBoxesTest, TheAboutBoxShowsTheProductAndItsBuild) {
    TAboutBox box(Services);
    Runner.Script = [&](TDialog&) {
        const HWND dialog = box.Handle();
        EXPECT_EQ("About Quarrymap 2000", WindowTextOf(dialog));
        const SIZE client = ClientSize(dialog);
        EXPECT_EQ(385, client.cx);
        EXPECT_EQ(359, client.cy);
        EXPECT_EQ("Quarrymap 2000", WindowTextOf(box.ProductLabel()));
        EXPECT_EQ(kProductLinkTip, box.ProductTip());
        ASSERT_NE(nullptr, box.BuildLabel());
        // The test program carries the program's own version resource; the
        // label puts a space after its prefix "Build ".
        EXPECT_EQ("Build  2.1.0.6", box.BuildLabel()->Caption());
        EXPECT_EQ("&Support", WindowTextOf(GetDlgItem(dialog, IDC_ABOUT_SUPPORT)));
        EXPECT_EQ("OK", WindowTextOf(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus());

        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED), LPARAM(box.ProductLabel()));
        Click(dialog, IDC_ABOUT_SUPPORT);
        Click(dialog, IDOK);
        EXPECT_EQ(nullptr, box.Handle());
    };
    Runner.Run(box, Main.Handle());
    EXPECT_EQ(IDOK, box.Result());
    ASSERT_EQ(2u, Shell.Opened.size());
    EXPECT_EQ(std::string("http://") + kProductWebPage, Shell.Opened[0].Target);
    EXPECT_EQ(ProgramFolder + "\\help\\5030.htm", Shell.Opened[1].Target);
    EXPECT_TRUE(Files.PathExists(Shell.Opened[1].Target)) << "the build copies the help beside the program";
    EXPECT_EQ(0u, Boxes.Shown.size());
}

TEST_F(InfoBoxesTest, TheHiddenMessageNeedsCtrlAltF9OnSupport) {
    TAboutBox box(Services);
    Runner.Script = [&](TDialog&) {
        const HWND dialog = box.Handle();
        const HWND support = GetDlgItem(dialog, IDC_ABOUT_SUPPORT);
        PressKey(dialog, support, WM_KEYDOWN, VK_F9);  // F9 alone
        {
            THeldKeys held;
            PressKey(dialog, GetDlgItem(dialog, IDOK), WM_SYSKEYDOWN, VK_F9);  // not on "&Support"
            EXPECT_EQ(0u, Boxes.Shown.size());
            PressKey(dialog, support, WM_SYSKEYDOWN, VK_F9);
        }
        EXPECT_NE(nullptr, box.Handle());
    };
    Runner.Run(box, Main.Handle());
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
    EXPECT_EQ(HiddenMessage(), Boxes.Shown[0].Text);
    EXPECT_EQ(TMsgIcon::Information, Boxes.Shown[0].Icon);
}

TEST_F(InfoBoxesTest, TheLetterFitsItsMemoAndOpensTheSurveyAndTheSite) {
    TIntroLetterBox letter(Services, true);
    Runner.Script = [&](TDialog&) {
        const HWND dialog = letter.Handle();
        EXPECT_EQ("Please read the entire letter before continuing", WindowTextOf(dialog));
        const SIZE client = ClientSize(dialog);
        EXPECT_EQ(407, client.cx);
        EXPECT_EQ(367, client.cy);
        const HWND memo = letter.Memo();
        EXPECT_EQ(IntroLetterText(), WindowTextOf(memo));
        const LONG style = GetWindowLongW(memo, GWL_STYLE);
        EXPECT_TRUE(style & ES_READONLY);
        EXPECT_TRUE(style & WS_VSCROLL);
        // No word wrap, so every line must fit the memo's width.
        RECT text = {};
        SendMessageW(memo, EM_GETRECT, 0, LPARAM(&text));
        const HDC dc = GetDC(memo);
        const HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageW(memo, WM_GETFONT, 0, 0)));
        const std::string all = IntroLetterText();
        for (size_t start = 0; start < all.size();) {
            size_t end = all.find("\r\n", start);
            if (end == std::string::npos) end = all.size();
            const std::wstring line = Widen(all.substr(start, end - start));
            SIZE extent = {};
            GetTextExtentPoint32W(dc, line.c_str(), int(line.size()), &extent);
            EXPECT_LE(extent.cx, text.right - text.left) << Narrow(line);
            start = end + 2;
        }
        SelectObject(dc, previous);
        ReleaseDC(memo, dc);
        EXPECT_EQ("Continue", WindowTextOf(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus());

        Click(dialog, IDC_LETTER_SURVEY);
        Click(dialog, IDC_LETTER_WEB_SITE);
        EXPECT_NE(nullptr, letter.Handle());
        Click(dialog, IDOK);
    };
    Runner.Run(letter, Main.Handle());
    EXPECT_EQ(IDOK, letter.Result());
    ASSERT_EQ(2u, Shell.Opened.size());
    EXPECT_EQ(ProgramFolder + "\\SURVEY.TXT", Shell.Opened[0].Target);
    EXPECT_EQ(kShowNormal, Shell.Opened[0].ShowMode);
    EXPECT_TRUE(Files.PathExists(Shell.Opened[0].Target)) << "the build puts the survey beside the program";
    EXPECT_EQ(std::string("http://") + kMakerWebSite, Shell.Opened[1].Target);
}

TEST_F(InfoBoxesTest, EscClosesTheLetterOnlyWhenItPreviewsKeys) {
    for (bool preview : {true, false}) {
        SCOPED_TRACE(preview ? "from the Help menu" : "at a first start");
        TIntroLetterBox letter(Services, preview);
        bool closedByEsc = false;
        Runner.Script = [&](TDialog&) {
            PressKey(letter.Handle(), letter.Memo(), WM_KEYDOWN, VK_ESCAPE);
            PressKey(letter.Handle(), letter.Memo(), WM_CHAR, 27);
            if (letter.Handle()) PressKey(letter.Handle(), GetDlgItem(letter.Handle(), IDOK), WM_KEYDOWN, VK_ESCAPE);
            closedByEsc = letter.Handle() == nullptr;
        };
        Runner.Run(letter, Main.Handle());
        EXPECT_EQ(preview, closedByEsc);
    }
}

// Moved to a screen at 150 %, the boxes grow with their fonts: the fonts
// made in code as well as the template's.
TEST_F(InfoBoxesTest, TheAboutBoxAndTheLetterFollowTheirScreensScaling) {
    TAboutBox about(Services);
    TIntroLetterBox letter(Services, true);
    for (TDialog* box : {static_cast<TDialog*>(&about), static_cast<TDialog*>(&letter)}) {
        Runner.Script = [&](TDialog& dialog) {
            const TDialogLook at96 = LookOf(dialog.Handle());
            TellDpiChanged(dialog.Handle(), 144, 96);
            ExpectHalfAsLargeAgain(at96, LookOf(dialog.Handle()));
            dialog.Close(IDOK);
        };
        Runner.Run(*box, Main.Handle());
    }
}

}  // namespace
