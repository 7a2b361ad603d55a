#pragma once
// What the Options dialog's tests share: a scripted colour picker, the
// dialog's controls as a user works them, and a fixture with every service
// replaced by a test double.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../res/OptionsBoxIds.h"
#include "DrivePickerTestSupport.h"
#include "ScriptedModalRunner.h"
#include "config/Options.h"
#include "config/OptionsRules.h"
#include "config/win32/OptionsBox.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FixedLocale.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/WideString.h"

namespace options_box_test {

inline const char kProgram[] = "C:\\Apps\\Quarrymap.exe";
inline const char kInvalidSuffix[] = " is not a valid positive value between 0 and 360";

// Answers the colour picker with a chosen colour, or cancels it, and keeps
// what it was preset to.
class TScriptedColorPicker : public IColorPicker {
public:
    bool Pick(HWND owner, COLORREF& color) override {
        Owners.push_back(owner);
        Presets.push_back(color);
        if (!Confirm) return false;
        color = Answer;
        return true;
    }
    bool Confirm = true;
    COLORREF Answer = RGB(1, 2, 3);
    std::vector<HWND> Owners;
    std::vector<COLORREF> Presets;
};

inline HWND ItemOf(const TDialog& dialog, int id) { return GetDlgItem(dialog.Handle(), id); }
inline std::string ItemText(const TDialog& dialog, int id) { return WindowText(ItemOf(dialog, id)); }
inline void SetItemText(TDialog& dialog, int id, const std::string& text) {
    SetWindowTextW(ItemOf(dialog, id), Widen(text).c_str());
}
inline bool Ticked(const TDialog& dialog, int id) {
    return SendMessageW(ItemOf(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void SetTicked(TDialog& dialog, int id, bool ticked) {
    SendMessageW(ItemOf(dialog, id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}
inline void Press(TDialog& dialog, int id) {
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(ItemOf(dialog, id)));
}
// The user's pick in the colour list: the selection, then the notification.
inline void ChooseColorEntry(TDialog& dialog, int index, int notification = LBN_SELCHANGE) {
    SendMessageW(ItemOf(dialog, IDC_OPT_COLORS), LB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_OPT_COLORS, notification),
                 LPARAM(ItemOf(dialog, IDC_OPT_COLORS)));
}

class OptionsBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (char letter : {'C', 'D', 'E'}) Drives.AddLetter(letter);
        Names.Names = {{'C', "System (C:)"}, {'D', "Data (D:)"}, {'E', "Extra (E:)"}};
        Files.AddFile("C:\\Apps\\help\\4030.htm", 100);
    }

    // Runs the dialog over the host window with `script` acting on it;
    // returns whether it was confirmed.
    bool Run(const std::function<void(TOptionsBox&)>& script, IRegistry* registry = nullptr) {
        const TOptionsServices services = Services(registry ? *registry : Registry);
        TOptionsBox box(services);
        Runner.Script = [&](TDialog&) {
            ASSERT_NE(nullptr, box.Handle());
            script(box);
        };
        Runner.Run(box, Main.Handle());
        return box.Confirmed();
    }

    TOptionsServices Services(IRegistry& registry) {
        return TOptionsServices{registry, Boxes,  Shell,  Files,       Drives, Names,
                                Locale,   Picker, Runner, ProgramPath, Options};
    }

    TProgramOptions Options;   // what the dialog shows and changes
    TMemoryRegistry Registry;  // the Explorer entry
    TScriptedMessageBoxes Boxes;
    TRecordingShellOpen Shell;
    TMemoryFileSystem Files;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    TFixedLocale Locale;
    TScriptedColorPicker Picker;
    TScriptedModalRunner Runner;
    std::string ProgramPath = kProgram;
    THostWindow Main{200, 150, 800, 600};
};

}  // namespace options_box_test
