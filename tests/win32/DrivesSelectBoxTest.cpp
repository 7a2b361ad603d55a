#include "controls/win32/DrivesSelectBox.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

#include "../res/DrivesSelectIds.h"
#include "DialogDpiCheck.h"
#include "DrivePickerTestSupport.h"
#include "ScriptedModalRunner.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/memory/FakeDriveInfo.h"

namespace {

const char kProgramOnD[] = "d:\\Programs\\Quarrymap.exe";

std::string FaceNameOf(HWND window) {
    LOGFONTW font = {};
    GetObjectW(HGDIOBJ(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return Narrow(font.lfFaceName);
}

RECT BoundsOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

void Press(TDialog& dialog, int id) {
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog.Handle(), id)));
}

// A key as the dialog manager would take it from the message loop.
void PressKey(TDialog& dialog, WPARAM key) {
    MSG message = {};
    message.hwnd = dialog.Handle();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    IsDialogMessageW(dialog.Handle(), &message);
}

class DrivesSelectBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        for (char letter : {'A', 'C', 'D', 'X'}) Drives.AddLetter(letter);
        Names.Names = {{'A', "Floppy (A:)"}, {'C', "System (C:)"}, {'D', "Data (D:)"}, {'X', "Extra (X:)"}};
        DriveInfo.AddDrive("C:\\").Fixed = true;
        DriveInfo.AddDrive("X:\\").Fixed = true;
        DriveInfo.AddDrive("D:\\");  // the program's drive is not a fixed disk
    }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    // Runs the dialog over the main window with `script` acting on it.
    INT_PTR Run(TDrivesSelectBox& box, const std::function<void(TDrivesSelectBox&)>& script) {
        Runner.Script = [&](TDialog&) { script(box); };
        return Runner.Run(box, Main.Handle());
    }

    bool ComReady = false;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    TFakeDriveInfo DriveInfo;
    THostWindow Main{200, 150, 700, 500};
    TScriptedModalRunner Runner;
};

TEST_F(DrivesSelectBoxTest, ShowsItsTextsButtonsAndFonts) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [](TDrivesSelectBox& dialog) {
        const HWND window = dialog.Handle();
        ASSERT_NE(nullptr, window);
        EXPECT_EQ("Scan Drives", WindowText(window));
        EXPECT_EQ(
            "Quarrymap 2000 will show you detailed information about how your disk space is being used, but "
            "first it has to collect information about your folders and files. This process is called scanning.",
            WindowText(GetDlgItem(window, IDC_DRIVES_INTRO)));
        EXPECT_EQ("Note: NO changes will take place on your drives during the scan process.",
                  WindowText(GetDlgItem(window, IDC_DRIVES_NOTE)));
        EXPECT_EQ(" Select one or more drives to scan ", WindowText(GetDlgItem(window, IDC_DRIVES_GROUP)));
        EXPECT_EQ("&Scan", WindowText(GetDlgItem(window, IDOK)));
        EXPECT_EQ("Cancel", WindowText(GetDlgItem(window, IDCANCEL)));
        EXPECT_EQ("Select &all", WindowText(GetDlgItem(window, IDC_DRIVES_SELECT_ALL)));
        EXPECT_EQ("&Fixed drives", WindowText(GetDlgItem(window, IDC_DRIVES_FIXED)));
        EXPECT_EQ("&Deselect all", WindowText(GetDlgItem(window, IDC_DRIVES_DESELECT_ALL)));
        EXPECT_EQ(IDOK, LOWORD(SendMessageW(window, DM_GETDEFID, 0, 0)));
        EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_EQ("MS Sans Serif", FaceNameOf(window));
        EXPECT_EQ("Arial", FaceNameOf(GetDlgItem(window, IDC_DRIVES_INTRO)));
        EXPECT_EQ("Arial", FaceNameOf(GetDlgItem(window, IDC_DRIVES_NOTE)));
    });
}

TEST_F(DrivesSelectBoxTest, TheDriveListFillsTheGroupBoxInTheDialogsFont) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [](TDrivesSelectBox& dialog) {
        const HWND group = GetDlgItem(dialog.Handle(), IDC_DRIVES_GROUP);
        const HWND list = dialog.TheDrivesBox().Handle();
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(4, SendMessageW(list, LB_GETCOUNT, 0, 0));
        EXPECT_EQ(SendMessageW(dialog.Handle(), WM_GETFONT, 0, 0), SendMessageW(list, WM_GETFONT, 0, 0));
        const RECT outer = BoundsOf(group), inner = BoundsOf(list);
        EXPECT_TRUE(inner.left > outer.left && inner.top > outer.top && inner.right < outer.right &&
                    inner.bottom < outer.bottom);
        EXPECT_EQ(list, GetWindow(group, GW_HWNDNEXT));  // tabbing reaches the list before the buttons
    });
}

TEST_F(DrivesSelectBoxTest, ComesUpCentredWithTheProgramsDriveCheckedAndSelected) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [this](TDrivesSelectBox& dialog) {
        EXPECT_EQ("D", dialog.TheDrivesBox().CheckedLetters());
        EXPECT_EQ(2, dialog.TheDrivesBox().SelectedIndex());
        const RECT main = BoundsOf(Main.Handle()), own = BoundsOf(dialog.Handle());
        EXPECT_NEAR((main.left + main.right) / 2, (own.left + own.right) / 2, 1);
        EXPECT_NEAR((main.top + main.bottom) / 2, (own.top + own.bottom) / 2, 1);
    });
    EXPECT_FALSE(box.Confirmed());
}

TEST_F(DrivesSelectBoxTest, AProgramOnAnUnlistedDriveChecksNothing) {
    for (const char* path : {"Q:\\Quarrymap.exe", "\\\\server\\share\\Quarrymap.exe", ""}) {
        TDrivesSelectBox box(Drives, Names, DriveInfo, path);
        Run(box, [path](TDrivesSelectBox& dialog) {
            EXPECT_EQ("", dialog.TheDrivesBox().CheckedLetters()) << path;
            EXPECT_EQ(-1, dialog.TheDrivesBox().SelectedIndex()) << path;
        });
    }
}

TEST_F(DrivesSelectBoxTest, FixedDrivesAddsEveryFixedDiskAndSelectAllAndDeselectAllSetEveryCheck) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [](TDrivesSelectBox& dialog) {
        Press(dialog, IDC_DRIVES_FIXED);
        EXPECT_EQ("CDX", dialog.TheDrivesBox().CheckedLetters());  // D stays checked though not fixed
        Press(dialog, IDC_DRIVES_SELECT_ALL);
        EXPECT_EQ("ACDX", dialog.TheDrivesBox().CheckedLetters());
        Press(dialog, IDC_DRIVES_DESELECT_ALL);
        EXPECT_EQ("", dialog.TheDrivesBox().CheckedLetters());
        EXPECT_NE(nullptr, dialog.Handle());  // none of them closes the dialog
    });
}

TEST_F(DrivesSelectBoxTest, ScanConfirmsWithTheCheckedItemsInListOrder) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    const INT_PTR result = Run(box, [](TDrivesSelectBox& dialog) {
        const HWND list = dialog.TheDrivesBox().Handle();
        RECT item = {};
        SendMessageW(list, LB_GETITEMRECT, 3, LPARAM(&item));
        const LPARAM onCheckBox = MAKELPARAM(item.left + 6, (item.top + item.bottom) / 2);
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, onCheckBox);
        SendMessageW(list, WM_LBUTTONUP, 0, onCheckBox);
        Press(dialog, IDOK);
        EXPECT_EQ(nullptr, dialog.Handle());
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(box.Confirmed());
    EXPECT_EQ((std::vector<std::string>{"DData (D:)", "XExtra (X:)"}), box.TheDrivesBox().CheckedItems());
}

TEST_F(DrivesSelectBoxTest, DeselectAllThenEnterConfirmsWithNothingToScan) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [](TDrivesSelectBox& dialog) {
        Press(dialog, IDC_DRIVES_DESELECT_ALL);
        PressKey(dialog, VK_RETURN);
    });
    EXPECT_TRUE(box.Confirmed());
    EXPECT_TRUE(box.TheDrivesBox().CheckedItems().empty());
}

TEST_F(DrivesSelectBoxTest, CancelEscAndTheCloseBoxLeaveItUnconfirmed) {
    const std::function<void(TDrivesSelectBox&)> ways[] = {
        [](TDrivesSelectBox& dialog) { Press(dialog, IDCANCEL); },
        [](TDrivesSelectBox& dialog) { PressKey(dialog, VK_ESCAPE); },
        [](TDrivesSelectBox& dialog) {
            SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
            PumpMessages();  // the dialog manager posts the close box's Cancel
        },
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(&way - ways);
        TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
        bool closed = false;
        const INT_PTR result = Run(box, [&](TDrivesSelectBox& dialog) {
            way(dialog);
            closed = dialog.Handle() == nullptr;
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_FALSE(box.Confirmed());
    }
}

// Moved to a screen at 150 %, the box grows with its fonts, the labels'
// Arial among them.
TEST_F(DrivesSelectBoxTest, FollowsItsScreensScaling) {
    TDrivesSelectBox box(Drives, Names, DriveInfo, kProgramOnD);
    Run(box, [](TDrivesSelectBox& dialog) {
        const TDialogLook at96 = LookOf(dialog.Handle());
        TellDpiChanged(dialog.Handle(), 144, 96);
        ExpectHalfAsLargeAgain(at96, LookOf(dialog.Handle()));
        EXPECT_EQ("Arial", FaceNameOf(GetDlgItem(dialog.Handle(), IDC_DRIVES_INTRO)));
    });
}

}  // namespace
