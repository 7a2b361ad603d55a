#include "config/win32/OptionsBox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "OptionsBoxTestSupport.h"
#include "platform/win32/GdiCanvas.h"

namespace {

using namespace options_box_test;

// ---------------------------------------------------------------- the window

TEST_F(OptionsBoxTest, ShowsEveryControlWithItsText) {
    Run([this](TOptionsBox& box) {
        const HWND window = box.Handle();
        EXPECT_EQ("Options", WindowText(window));
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_TRUE(style & DS_MODALFRAME);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        const std::vector<std::pair<int, std::string>> texts = {
            {IDC_OPT_COLORS_GROUP, " Co&lors "},
            {IDC_OPT_COLOR_LABEL, "Color"},
            {IDC_OPT_DEFAULT_COLORS, "&Default colors"},
            {IDC_OPT_PREFERENCES_GROUP, " Preferences "},
            {IDC_OPT_INCLUDE_WASTED, "Include &wasted space"},
            {IDC_OPT_SHOW_FILE_NAMES, "Show file&names"},
            {IDC_OPT_AUTO_EXPAND, "Auto &Expand"},
            {IDC_OPT_AUTO_COLLAPSE, "Auto &Collapse"},
            {IDC_OPT_PIE_GROUP, " Pie "},
            {IDC_OPT_MIN_FILE_LABEL, "Show &files larger than"},
            {IDC_OPT_MIN_FOLDER_LABEL, "Show folde&rs larger than"},
            {IDC_OPT_MIN_TEXT_LABEL, "Show &text near sections larger than"},
            {IDC_OPT_MIN_FILE_UNIT, "% of parent"},
            {IDC_OPT_MIN_FOLDER_UNIT, "% of parent"},
            {IDC_OPT_MIN_TEXT_UNIT, "% of parent"},
            {IDC_OPT_DEFAULT_VALUES, "Default &values"},
            {IDC_OPT_DRIVES_GROUP, " Scan the following drives on &start-up "},
            {IDC_OPT_EXPLORER_MENU, "Quarrymap in the Explorer contex menu"},
            {IDC_OPT_OK, "OK"},
            {IDC_OPT_CANCEL, "Cancel"},
            {IDC_OPT_HELP, "Help"},
        };
        for (const auto& text : texts) EXPECT_EQ(text.second, ItemText(box, text.first)) << text.first;
        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongW(ItemOf(box, IDC_OPT_OK), GWL_STYLE) & 0x0F);

        const HWND list = ItemOf(box, IDC_OPT_COLORS);
        ASSERT_EQ(kColorCount, SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int k = 0; k < kColorCount; ++k) {
            wchar_t name[100] = {};
            SendMessageW(list, LB_GETTEXT, WPARAM(k), LPARAM(name));
            EXPECT_EQ(ColorNames[size_t(k)], Narrow(name));
        }
        EXPECT_EQ(0, SendMessageW(list, LB_GETCURSEL, 0, 0));
        EXPECT_EQ(box.TheColorButton().Handle(), ItemOf(box, IDC_OPT_COLOR));
        EXPECT_EQ(Options.Colors[0], box.TheColorButton().Color());
        EXPECT_EQ(box.TheDrivesBox().Handle(), ItemOf(box, IDC_OPT_DRIVES));
        EXPECT_EQ(3, box.TheDrivesBox().Count());
        EXPECT_EQ(Main.Handle(), GetWindow(window, GW_OWNER));
        RECT placed, owner;
        GetWindowRect(window, &placed);
        GetWindowRect(Main.Handle(), &owner);
        EXPECT_NEAR((owner.left + owner.right) / 2, (placed.left + placed.right) / 2, 1);
        EXPECT_NEAR((owner.top + owner.bottom) / 2, (placed.top + placed.bottom) / 2, 1);
    });
}

// Group boxes side by side or stacked, never overlapping, each control
// inside the dialog, and every text within its control's width.
TEST_F(OptionsBoxTest, ControlsNeitherOverlapNorClipTheirTexts) {
    Run([](TOptionsBox& box) {
        const HWND window = box.Handle();
        auto boundsOf = [window](HWND control) {
            RECT rect;
            GetWindowRect(control, &rect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            return rect;
        };
        RECT client;
        GetClientRect(window, &client);
        const int groups[] = {IDC_OPT_COLORS_GROUP, IDC_OPT_PREFERENCES_GROUP, IDC_OPT_PIE_GROUP, IDC_OPT_DRIVES_GROUP};
        for (int a : groups)
            for (int b : groups) {
                if (a == b) continue;
                RECT overlap;
                const RECT first = boundsOf(ItemOf(box, a));
                const RECT second = boundsOf(ItemOf(box, b));
                EXPECT_FALSE(IntersectRect(&overlap, &first, &second)) << a << " and " << b;
            }
        const HDC dc = GetDC(window);
        const HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(SendMessageW(window, WM_GETFONT, 0, 0)));
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const RECT bounds = boundsOf(child);
            EXPECT_TRUE(bounds.left >= 0 && bounds.top >= 0 && bounds.right <= client.right &&
                        bounds.bottom <= client.bottom)
                << GetDlgCtrlID(child);
            std::wstring text = Widen(WindowText(child));
            text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
            if (text.empty()) continue;
            SIZE extent = {};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            const LONG kind = GetWindowLongW(child, GWL_STYLE) & 0x0F;
            const bool checkBox = std::wstring(className) == L"Button" && kind == BS_AUTOCHECKBOX;
            const int room = (bounds.right - bounds.left) - (checkBox ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
            EXPECT_LE(extent.cx, room) << Narrow(text.c_str());
        }
        SelectObject(dc, oldFont);
        ReleaseDC(window, dc);
    });
}

TEST_F(OptionsBoxTest, OpensWithTheCurrentOptions) {
    Options.IncludeWastedInformation = false;
    Options.AutoCollapse = false;
    Options.DrivesToAutoScan = "ex";
    Options.MinFileSectionAngle = 3.6;
    Options.MinFolderSectionAngle = 360;
    Options.MinTextSectionAngle = 0;
    Locale.SetDecimalSeparator(",");
    Run([](TOptionsBox& box) {
        EXPECT_FALSE(Ticked(box, IDC_OPT_INCLUDE_WASTED));
        EXPECT_TRUE(Ticked(box, IDC_OPT_SHOW_FILE_NAMES));
        EXPECT_TRUE(Ticked(box, IDC_OPT_AUTO_EXPAND));
        EXPECT_FALSE(Ticked(box, IDC_OPT_AUTO_COLLAPSE));
        EXPECT_EQ("1,000", ItemText(box, IDC_OPT_MIN_FILE));
        EXPECT_EQ("100,000", ItemText(box, IDC_OPT_MIN_FOLDER));
        EXPECT_EQ("0,000", ItemText(box, IDC_OPT_MIN_TEXT));
        const TShExDriveCheckListBox& drives = box.TheDrivesBox();
        EXPECT_EQ(drives.IndexOfLetter('C'), drives.SelectedIndex());  // the program's own drive
        EXPECT_EQ("E", drives.CheckedLetters());                       // "x" names no drive
        EXPECT_FALSE(Ticked(box, IDC_OPT_EXPLORER_MENU));              // no entry in the registry
    });
}

TEST_F(OptionsBoxTest, TheExplorerBoxFollowsTheRegistryOrKeepsItsTick) {
    Registry.PlantMachineClassesKey(kExplorerClassesKey);
    Run([](TOptionsBox& box) { EXPECT_TRUE(Ticked(box, IDC_OPT_EXPLORER_MENU)); });
    TMemoryRegistry unreadable;
    unreadable.FailClassesReads();
    Run([](TOptionsBox& box) { EXPECT_TRUE(Ticked(box, IDC_OPT_EXPLORER_MENU)); }, &unreadable);
}

// ---------------------------------------------------------------- OK and the thresholds

TEST_F(OptionsBoxTest, ConfirmingUnchangedKeepsEveryOption) {
    Options.ShowFileNames = false;
    Options.DrivesToAutoScan = "DE";
    Options.Colors[kColorFile] = RGB(10, 20, 30);
    Registry.PlantMachineClassesKey(kExplorerClassesKey);
    const TOptionsChoice before = OptionsChoiceOf(Options);
    const bool confirmed = Run([](TOptionsBox& box) {
        Press(box, IDC_OPT_OK);
        EXPECT_EQ(nullptr, box.Handle());
        EXPECT_EQ(IDOK, box.Result());
    });
    EXPECT_TRUE(confirmed);
    EXPECT_TRUE(Boxes.Shown.empty());
    const TOptionsChoice after = OptionsChoiceOf(Options);
    EXPECT_EQ(before.IncludeWasted, after.IncludeWasted);
    EXPECT_FALSE(after.ShowFileNames);
    EXPECT_EQ(before.AutoExpand, after.AutoExpand);
    EXPECT_EQ(before.AutoCollapse, after.AutoCollapse);
    EXPECT_EQ("DE", after.DrivesToAutoScan);
    EXPECT_EQ(before.Colors, after.Colors);
    // The angles come back through their three-decimal texts: 2 degrees become 2.0016.
    EXPECT_NEAR(2.0016, after.Angles[kFileThreshold], 1e-12);
    EXPECT_NEAR(1.0008, after.Angles[kFolderThreshold], 1e-12);
    EXPECT_NEAR(5.0004, after.Angles[kTextThreshold], 1e-12);
    // The box was ticked, so the entry is (re)written for this program.
    ASSERT_NE(nullptr, Registry.Find(kExplorerCommandKey, ""));
    EXPECT_EQ(ExplorerCommand(kProgram), Registry.Find(kExplorerCommandKey, "")->Text);
}

TEST_F(OptionsBoxTest, OneHundredPercentIsAcceptedAsTheWholeCircle) {
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        SetItemText(box, IDC_OPT_MIN_FILE, "100");
        SetItemText(box, IDC_OPT_MIN_FOLDER, " 0 ");
        SetItemText(box, IDC_OPT_MIN_TEXT, "50.000");
        Press(box, IDC_OPT_OK);
        EXPECT_EQ(nullptr, box.Handle());
    }));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(360.0, Options.MinFileSectionAngle);
    EXPECT_EQ(0.0, Options.MinFolderSectionAngle);
    EXPECT_EQ(180.0, Options.MinTextSectionAngle);
}

TEST_F(OptionsBoxTest, BadThresholdsAreNamedAndNothingIsStored) {
    struct TCase {
        int Edit;
        std::string Text;
    };
    const std::vector<TCase> cases = {
        {IDC_OPT_MIN_FILE, "101"}, {IDC_OPT_MIN_FOLDER, "-1"}, {IDC_OPT_MIN_TEXT, "text"}, {IDC_OPT_MIN_TEXT, ""}};
    for (const TCase& c : cases) {
        Boxes.Shown.clear();
        Options.MinFileSectionAngle = 7;
        Options.MinFolderSectionAngle = 8;
        Options.MinTextSectionAngle = 9;
        const bool confirmed = Run([&c](TOptionsBox& box) {
            SetTicked(box, IDC_OPT_INCLUDE_WASTED, false);
            SetItemText(box, IDC_OPT_MIN_FILE, "1");  // valid, yet not stored either
            SetItemText(box, c.Edit, c.Text);
            Press(box, IDC_OPT_OK);
            EXPECT_NE(nullptr, box.Handle()) << "the dialog stays open";
            EXPECT_EQ(ItemOf(box, c.Edit), GetFocus());
        });
        EXPECT_FALSE(confirmed) << c.Text;
        ASSERT_EQ(1u, Boxes.Shown.size()) << c.Text;
        EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
        EXPECT_EQ(c.Text + kInvalidSuffix, Boxes.Shown[0].Text);
        EXPECT_EQ(TMsgButtons::Ok, Boxes.Shown[0].Buttons);
        EXPECT_EQ(TMsgIcon::Error, Boxes.Shown[0].Icon);
        EXPECT_EQ(7, Options.MinFileSectionAngle) << c.Text;
        EXPECT_EQ(8, Options.MinFolderSectionAngle) << c.Text;
        EXPECT_EQ(9, Options.MinTextSectionAngle) << c.Text;
        EXPECT_TRUE(Options.IncludeWastedInformation) << c.Text;
        EXPECT_TRUE(Registry.Writes().empty()) << c.Text;
    }
}

TEST_F(OptionsBoxTest, TheUsersDecimalSeparatorAndAPointAreBothAccepted) {
    Locale.SetDecimalSeparator(",");
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        EXPECT_EQ("0,556", ItemText(box, IDC_OPT_MIN_FILE));
        SetItemText(box, IDC_OPT_MIN_FOLDER, "0.5");
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_NEAR(2.0016, Options.MinFileSectionAngle, 1e-12);
    EXPECT_NEAR(1.8, Options.MinFolderSectionAngle, 1e-12);
}

TEST_F(OptionsBoxTest, DefaultValuesFillTheEditsAndOkStoresThemRounded) {
    Options.MinFileSectionAngle = 30;
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        SetItemText(box, IDC_OPT_MIN_FOLDER, "junk");
        Press(box, IDC_OPT_DEFAULT_VALUES);
        EXPECT_EQ("0.556", ItemText(box, IDC_OPT_MIN_FILE));
        EXPECT_EQ("0.278", ItemText(box, IDC_OPT_MIN_FOLDER));
        EXPECT_EQ("1.389", ItemText(box, IDC_OPT_MIN_TEXT));
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_NEAR(2.0016, Options.MinFileSectionAngle, 1e-12);
    EXPECT_NEAR(1.0008, Options.MinFolderSectionAngle, 1e-12);
    EXPECT_NEAR(5.0004, Options.MinTextSectionAngle, 1e-12);
}

TEST_F(OptionsBoxTest, PreferencesAndDrivesAreStored) {
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        SetTicked(box, IDC_OPT_INCLUDE_WASTED, false);
        SetTicked(box, IDC_OPT_SHOW_FILE_NAMES, false);
        SetTicked(box, IDC_OPT_AUTO_EXPAND, false);
        SetTicked(box, IDC_OPT_AUTO_COLLAPSE, false);
        auto& drives = const_cast<TShExDriveCheckListBox&>(box.TheDrivesBox());
        drives.SetChecked(drives.IndexOfLetter('E'), true);
        drives.SetChecked(drives.IndexOfLetter('C'), true);
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_FALSE(Options.IncludeWastedInformation);
    EXPECT_FALSE(Options.ShowFileNames);
    EXPECT_FALSE(Options.AutoExpand);
    EXPECT_FALSE(Options.AutoCollapse);
    EXPECT_EQ("CE", Options.DrivesToAutoScan);
}

// ---------------------------------------------------------------- colours

TEST_F(OptionsBoxTest, ThePanelShowsTheSelectedColourAndPressesLikeAButton) {
    Options.Colors[kColorFile] = RGB(200, 100, 50);
    EXPECT_TRUE(Run([this](TOptionsBox& box) {
        ChooseColorEntry(box, kColorFile);
        EXPECT_EQ(RGB(200, 100, 50), box.TheColorButton().Color());
        const HWND panel = box.TheColorButton().Handle();
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        EXPECT_TRUE(box.TheColorButton().Pressed());  // both bevels lowered
        EXPECT_TRUE(Picker.Presets.empty());          // nothing opens before the release
        SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_FALSE(box.TheColorButton().Pressed());
        ASSERT_EQ(1u, Picker.Presets.size());
        EXPECT_EQ(RGB(200, 100, 50), Picker.Presets[0]);
        EXPECT_EQ(box.Handle(), Picker.Owners[0]);
        EXPECT_EQ(RGB(1, 2, 3), box.DialogColors()[kColorFile]);
        EXPECT_EQ(RGB(1, 2, 3), box.TheColorButton().Color());
        EXPECT_EQ(RGB(200, 100, 50), Options.Colors[kColorFile]);  // the current table waits for OK

        // A release away from the panel opens nothing.
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(-20, 3));
        EXPECT_FALSE(box.TheColorButton().Pressed());
        EXPECT_EQ(1u, Picker.Presets.size());
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_EQ(RGB(1, 2, 3), Options.Colors[kColorFile]);
}

TEST_F(OptionsBoxTest, DoubleClickingANamePicksAndSystemColoursArePresetResolved) {
    EXPECT_TRUE(Run([this](TOptionsBox& box) {
        ChooseColorEntry(box, kColorNotScannedPanel, LBN_DBLCLK);
        ASSERT_EQ(1u, Picker.Presets.size());
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), Picker.Presets[0]);
        Picker.Confirm = false;  // the picker cancelled: nothing changes
        ChooseColorEntry(box, kColorPieLines, LBN_DBLCLK);
        EXPECT_EQ(DefaultColors[kColorPieLines], box.DialogColors()[kColorPieLines]);
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_EQ(TColor(RGB(1, 2, 3)), Options.Colors[kColorNotScannedPanel]);
    EXPECT_EQ(DefaultColors[kColorPieLines], Options.Colors[kColorPieLines]);
}

TEST_F(OptionsBoxTest, DefaultColorsThenCancelChangesNothing) {
    Options.Colors[kColorPieBackground] = RGB(9, 9, 9);
    Options.Colors[kColorText] = RGB(8, 8, 8);
    const TColorTable before = Options.Colors;
    const TOptionsChoice choiceBefore = OptionsChoiceOf(Options);
    EXPECT_FALSE(Run([](TOptionsBox& box) {
        EXPECT_EQ(TColor(RGB(9, 9, 9)), box.TheColorButton().Color());
        Press(box, IDC_OPT_DEFAULT_COLORS);
        EXPECT_EQ(DefaultColors, box.DialogColors());
        EXPECT_EQ(DefaultColors[kColorPieBackground], box.TheColorButton().Color());
        Press(box, IDC_OPT_DEFAULT_VALUES);
        SetTicked(box, IDC_OPT_AUTO_EXPAND, false);
        Press(box, IDC_OPT_CANCEL);
        EXPECT_EQ(nullptr, box.Handle());
    }));
    EXPECT_EQ(before, Options.Colors);
    EXPECT_EQ(choiceBefore.Angles, OptionsChoiceOf(Options).Angles);
    EXPECT_TRUE(Options.AutoExpand);
    EXPECT_TRUE(Registry.Writes().empty());
}

TEST_F(OptionsBoxTest, DefaultColorsThenOkRestoresTheDefaultTable) {
    Options.Colors[kColorFile] = RGB(9, 9, 9);
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        Press(box, IDC_OPT_DEFAULT_COLORS);
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_EQ(DefaultColors, Options.Colors);
}

// ---------------------------------------------------------------- the Explorer entry and help

TEST_F(OptionsBoxTest, TheExplorerEntryIsWrittenAndRemoved) {
    EXPECT_TRUE(Run([](TOptionsBox& box) {
        SetTicked(box, IDC_OPT_EXPLORER_MENU, true);
        Press(box, IDC_OPT_OK);
    }));
    ASSERT_NE(nullptr, Registry.Find(kExplorerVerbKey, ""));
    EXPECT_EQ("Analyze with Quarrymap 2000", Registry.Find(kExplorerVerbKey, "")->Text);
    EXPECT_EQ("\"C:\\Apps\\Quarrymap.exe\" \"%1\"", Registry.Find(kExplorerCommandKey, "")->Text);

    EXPECT_TRUE(Run([](TOptionsBox& box) {
        EXPECT_TRUE(Ticked(box, IDC_OPT_EXPLORER_MENU));
        SetTicked(box, IDC_OPT_EXPLORER_MENU, false);
        Press(box, IDC_OPT_OK);
    }));
    EXPECT_FALSE(Registry.KeyExists(kExplorerCommandKey));
    EXPECT_FALSE(Registry.KeyExists(kExplorerVerbKey));
    EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(OptionsBoxTest, AFailedExplorerWriteKeepsTheDialogOpenWithTheOptionsStored) {
    Registry.FailKeyCreation("Software\\Classes\\Folder");
    const bool confirmed = Run([](TOptionsBox& box) {
        SetTicked(box, IDC_OPT_EXPLORER_MENU, true);
        SetTicked(box, IDC_OPT_AUTO_EXPAND, false);
        Press(box, IDC_OPT_OK);
        EXPECT_NE(nullptr, box.Handle());
        EXPECT_TRUE(box.Confirmed());
        Press(box, IDC_OPT_CANCEL);
    });
    EXPECT_TRUE(confirmed);  // the main window still applies what was stored
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("Error creating system registry entry", Boxes.Shown[0].Text);
    EXPECT_EQ("Quarrymap 2000", Boxes.Shown[0].Caption);
    EXPECT_EQ(TMsgIcon::Error, Boxes.Shown[0].Icon);
    EXPECT_FALSE(Options.AutoExpand);
}

TEST_F(OptionsBoxTest, RunningTheBoxReportsTheConfirmation) {
    const TOptionsServices services = Services(Registry);
    Runner.Script = [](TDialog& box) { Press(box, IDC_OPT_OK); };
    EXPECT_TRUE(RunOptionsBox(services, Main.Handle()));
    Runner.Script = [](TDialog& box) { Press(box, IDC_OPT_CANCEL); };
    EXPECT_FALSE(RunOptionsBox(services, Main.Handle()));
    Runner.Script = nullptr;  // closed by the runner, as by the close box
    EXPECT_FALSE(RunOptionsBox(services, Main.Handle()));
    EXPECT_EQ(3, Runner.Runs);
}

TEST_F(OptionsBoxTest, HelpOpensItsPage) {
    Run([](TOptionsBox& box) {
        Press(box, IDC_OPT_HELP);
        HELPINFO info = {};
        info.cbSize = sizeof(info);
        SendMessageW(box.Handle(), WM_HELP, 0, LPARAM(&info));
    });
    ASSERT_EQ(2u, Shell.Opened.size());
    EXPECT_EQ("C:\\Apps\\help\\4030.htm", Shell.Opened[0].Target);
    EXPECT_EQ(kShowNormal, Shell.Opened[0].ShowMode);
    EXPECT_EQ("C:\\Apps\\help\\4030.htm", Shell.Opened[1].Target);
}

}  // namespace
