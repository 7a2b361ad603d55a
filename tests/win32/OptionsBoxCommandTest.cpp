#include "main/win32/OptionsCommands.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "MainFormTestSupport.h"
#include "OptionsBoxTestSupport.h"
#include "pie/win32/PieView.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Win32Registry.h"

namespace {

using namespace options_box_test;

// ---------------------------------------------------------------- the real registry

// The entry lands in the user's own classes, where the merged view of
// HKEY_CLASSES_ROOT finds it; the test leaves none behind.
class OptionsBoxWin32RegistryTest : public OptionsBoxTest {
protected:
    void SetUp() override {
        OptionsBoxTest::SetUp();
        RegDeleteTreeW(HKEY_CURRENT_USER, kEntry);  // left by a run that was cut short
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        ProgramPath = Narrow(path);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kEntry);
        OptionsBoxTest::TearDown();
    }
    static std::wstring DefaultValue(const wchar_t* key) {
        wchar_t text[1024] = {};
        DWORD size = sizeof(text);
        if (RegGetValueW(HKEY_CURRENT_USER, key, nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
            return L"(none)";
        return text;
    }
    static bool UserKeyExists(const wchar_t* key) {
        TRegKey opened;
        return RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
    }

    static constexpr const wchar_t* kEntry = L"Software\\Classes\\Folder\\shell\\Quarrymap";
    static constexpr const wchar_t* kCommand = L"Software\\Classes\\Folder\\shell\\Quarrymap\\Command";
    TWin32Registry System;
};

TEST_F(OptionsBoxWin32RegistryTest, TheEntryIsWrittenWithTheProgramsPathAndRemovedAgain) {
    ASSERT_EQ(TRegRead::Missing, System.ClassesKeyState(kExplorerClassesKey));
    EXPECT_TRUE(Run(
        [](TOptionsBox& box) {
            EXPECT_FALSE(Ticked(box, IDC_OPT_EXPLORER_MENU));
            SetTicked(box, IDC_OPT_EXPLORER_MENU, true);
            Press(box, IDC_OPT_OK);
            EXPECT_EQ(nullptr, box.Handle());
        },
        &System));
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(L"Analyze with Quarrymap 2000", DefaultValue(kEntry));
    EXPECT_EQ(L"\"" + Widen(ProgramPath) + L"\" \"%1\"", DefaultValue(kCommand));
    EXPECT_EQ(TRegRead::Found, System.ClassesKeyState(kExplorerClassesKey));

    EXPECT_TRUE(Run(
        [](TOptionsBox& box) {
            EXPECT_TRUE(Ticked(box, IDC_OPT_EXPLORER_MENU));
            SetTicked(box, IDC_OPT_EXPLORER_MENU, false);
            Press(box, IDC_OPT_OK);
        },
        &System));
    EXPECT_FALSE(UserKeyExists(kCommand));
    EXPECT_FALSE(UserKeyExists(kEntry));
    EXPECT_TRUE(UserKeyExists(L"Software\\Classes"));
    EXPECT_EQ(TRegRead::Missing, System.ClassesKeyState(kExplorerClassesKey));
}

TEST_F(OptionsBoxWin32RegistryTest, KeysWithSubkeysAreNotDeleted) {
    ASSERT_TRUE(System.CreateKey(kExplorerCommandKey));
    EXPECT_FALSE(System.DeleteKey(kExplorerVerbKey));
    EXPECT_TRUE(UserKeyExists(kEntry));
    EXPECT_TRUE(System.DeleteKey(kExplorerCommandKey));
    EXPECT_TRUE(System.DeleteKey(kExplorerVerbKey));
    EXPECT_FALSE(System.DeleteKey(kExplorerVerbKey));
    EXPECT_FALSE(System.DeleteKey(""));
    EXPECT_FALSE(UserKeyExists(kEntry));
}

// ---------------------------------------------------------------- the main window's command

class OptionsCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fixture.Parts.Dialogs = &Fixture.DialogsFake;
        Fixture.DialogsFake.OptionsRun = [this] { RunOptionsCommand(Services, *Fixture.Form); };
        Fixture.Start();
        ASSERT_TRUE(Fixture.Created);
    }

    TMainFormFixture Fixture;
    TScriptedColorPicker Picker;
    TMemoryRegistry Classes;
    std::string ProgramPath = kProgram;
    TOptionsServices Services{Classes,        Fixture.Boxes, Fixture.Launcher, Fixture.Files,
                              Fixture.Drives, Fixture.Shell, Fixture.Locale,   Picker,
                              Fixture.Runner, ProgramPath,   Fixture.Options};
};

TEST_F(OptionsCommandTest, AConfirmedDialogReachesThePieAndTheToolButtons) {
    TMainForm& form = *Fixture.Form;
    ASSERT_TRUE(form.IsToolDown(toolShowWasted));
    ASSERT_TRUE(form.IsToolDown(toolShowFiles));
    Fixture.Runner.Script = [](TDialog& box) {
        SetTicked(box, IDC_OPT_INCLUDE_WASTED, false);
        SetTicked(box, IDC_OPT_SHOW_FILE_NAMES, false);
        SetItemText(box, IDC_OPT_MIN_TEXT, "2.5");
        ChooseColorEntry(box, kColorPieBackground);
        Press(box, IDC_OPT_COLOR);
        ChooseColorEntry(box, kColorText);
        Press(box, IDC_OPT_COLOR);
        Press(box, IDC_OPT_OK);
    };
    const int runsBefore = Fixture.Runner.Runs;  // the start-up's drive selection ran too
    form.ExecuteCommand(cmdViewOptions);
    EXPECT_EQ(runsBefore + 1, Fixture.Runner.Runs);
    EXPECT_FALSE(form.IsToolDown(toolShowWasted));
    EXPECT_FALSE(form.IsToolDown(toolShowFiles));
    EXPECT_FALSE(Fixture.Options.IncludeWastedInformation);
    EXPECT_NEAR(9.0, Fixture.Options.MinTextSectionAngle, 1e-12);
    EXPECT_EQ(Fixture.Options.MinTextSectionAngle, form.Pie()->PieChart().MinTextAngle);
    EXPECT_EQ(TColor(RGB(1, 2, 3)), form.Pie()->PieChart().BackColor);
    EXPECT_EQ(TColor(RGB(1, 2, 3)), form.Pie()->PieChart().TextColor);
}

TEST_F(OptionsCommandTest, ACancelledDialogChangesNothing) {
    TMainForm& form = *Fixture.Form;
    const double textAngle = form.Pie()->PieChart().MinTextAngle;
    const TColor back = form.Pie()->PieChart().BackColor;
    Fixture.Runner.Script = [](TDialog& box) {
        SetTicked(box, IDC_OPT_INCLUDE_WASTED, false);
        SetItemText(box, IDC_OPT_MIN_TEXT, "2.5");
        Press(box, IDC_OPT_DEFAULT_COLORS);
        ChooseColorEntry(box, kColorPieBackground);
        Press(box, IDC_OPT_COLOR);
        Press(box, IDC_OPT_CANCEL);
    };
    const int runsBefore = Fixture.Runner.Runs;  // the start-up's drive selection ran too
    form.ExecuteCommand(cmdViewOptions);
    EXPECT_EQ(runsBefore + 1, Fixture.Runner.Runs);
    EXPECT_TRUE(form.IsToolDown(toolShowWasted));
    EXPECT_TRUE(Fixture.Options.IncludeWastedInformation);
    EXPECT_EQ(textAngle, form.Pie()->PieChart().MinTextAngle);
    EXPECT_EQ(back, form.Pie()->PieChart().BackColor);
    EXPECT_EQ(DefaultColors[kColorPieBackground], Fixture.Options.Colors[kColorPieBackground]);
}

}  // namespace
