#include <gtest/gtest.h>

#include <algorithm>

#include "MainFormTestSupport.h"
#include "config/Options.h"
#include "controls/win32/DrivesSelectBox.h"
#include "scan/Scanner.h"

namespace {

const std::string kDesktopKey = std::string(kRegistryRoot) + "\\Desktop";
const std::string kVersionKey = std::string(kRegistryRoot) + "\\Version";

class MainFormStartTest : public ::testing::Test, public TMainFormFixture {};

TEST_F(MainFormStartTest, FreshRegistryOpensAtTheDefaultPlaceWithEverythingShown) {
    Start();
    ASSERT_TRUE(Created);
    // Nothing stored: 70 % of the screen's work area, centred.
    RECT bounds, work;
    GetWindowRect(Window(), &bounds);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = (work.right - work.left) * 7 / 10, height = (work.bottom - work.top) * 7 / 10;
    EXPECT_EQ(work.left + (work.right - work.left - width) / 2, bounds.left);
    EXPECT_EQ(work.top + (work.bottom - work.top - height) / 2, bounds.top);
    EXPECT_EQ(width, bounds.right - bounds.left);
    EXPECT_EQ(height, bounds.bottom - bounds.top);
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_EQ(L"Quarrymap 2000", Text(Window()));
    for (int id : {int(idToolbarSupport), int(idStatusBar), int(idLeftPanel), int(idSplitter)})
        EXPECT_TRUE(IsWindowVisible(Control(id))) << id;
    for (int id : {int(cmdViewToolbar), int(cmdViewStatusBar), int(cmdViewFolderTree)}) EXPECT_TRUE(MenuChecked(id));
}

TEST_F(MainFormStartTest, FreshRegistryAsksForDrivesAtStartUp) {
    Parts.Scan = &ScanFake;
    bool sawDriveSelection = false;
    Runner.Script = [&](TDialog& dialog) {
        sawDriveSelection = dynamic_cast<TDrivesSelectBox*>(&dialog) != nullptr;
        SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     LPARAM(GetDlgItem(dialog.Handle(), IDOK)));
    };
    Start();
    EXPECT_EQ(1, Runner.Runs);
    EXPECT_TRUE(sawDriveSelection);
    // The dialog ticks the program's own drive; its Scan button scans it.
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line", "scan CLocal Disk (C:)"}), ScanFake.Calls);
}

TEST_F(MainFormStartTest, NoQuestionWhenTheStartUpScansFoundSomething) {
    Parts.Scan = &ScanFake;
    ScanFake.OnCall = [&](const std::string& call) {
        if (call == "auto D") Form->State().ScannedDrives.Append('D');
    };
    Registry.PlantString(std::string(kRegistryRoot) + "\\Options", "DrivesToAutoScan", "d");
    Start();
    EXPECT_EQ((std::vector<std::string>{"auto D", "command line"}), ScanFake.Calls);
    EXPECT_EQ(0, Runner.Runs);
}

TEST_F(MainFormStartTest, CancelledDriveSelectionScansNothing) {
    Parts.Scan = &ScanFake;
    Start();
    EXPECT_EQ(1, Runner.Runs);
    EXPECT_EQ((std::vector<std::string>{"auto ", "command line"}), ScanFake.Calls);
}

TEST_F(MainFormStartTest, IntroLetterThenAboutBoxOnceAtTheFirstRun) {
    Parts.Dialogs = &DialogsFake;
    const std::vector<std::string>& shown = DialogsFake.Shown;
    Registry.PlantString(kVersionKey, "ShowIntroLetter", "1");
    Start();
    EXPECT_EQ((std::vector<std::string>{"letter", "about"}), shown);
    EXPECT_EQ("0", Registry.Find(kVersionKey, "ShowIntroLetter")->Text);

    // Activated again: the start-up work does not run a second time.
    SendMessageW(Window(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(Window(), WM_ACTIVATE, WA_ACTIVE, 0);
    Pump();
    EXPECT_EQ(2u, shown.size());
    EXPECT_EQ(1, Runner.Runs);

    // From the Help menu the letter keeps its Esc key and the flag stays.
    Command(cmdHelpIntroductoryLetter);
    EXPECT_EQ("letter with Esc", shown.back());
    EXPECT_EQ("0", Registry.Find(kVersionKey, "ShowIntroLetter")->Text);
}

TEST_F(MainFormStartTest, NoLetterUnlessTheFlagIsExactlyOne) {
    Parts.Dialogs = &DialogsFake;
    Registry.PlantString(kVersionKey, "ShowIntroLetter", "yes");
    Start();
    EXPECT_EQ(0, std::count(DialogsFake.Shown.begin(), DialogsFake.Shown.end(), "letter"));
    EXPECT_EQ("yes", Registry.Find(kVersionKey, "ShowIntroLetter")->Text);
}

TEST_F(MainFormStartTest, StoredBoundsAreRestoredOneByOne) {
    Registry.PlantString(kDesktopKey, "Top", "120");
    Registry.PlantString(kDesktopKey, "Width", "700");
    Start();
    RECT bounds;
    GetWindowRect(Window(), &bounds);
    EXPECT_EQ(33, bounds.left);
    EXPECT_EQ(120, bounds.top);
    EXPECT_EQ(700, bounds.right - bounds.left);
    EXPECT_EQ(423, bounds.bottom - bounds.top);
}

TEST_F(MainFormStartTest, SavingOrderIsStateBoundsThenOptions) {
    Start();
    RECT bounds;
    GetWindowRect(Window(), &bounds);
    const size_t before = Registry.Writes().size();
    Close();
    const auto& writes = Registry.Writes();
    ASSERT_GE(writes.size(), before + 6);
    const std::vector<std::string> first = {"WindowState", "Left",   "Top",
                                            "Width",       "Height", "IncludeWastedInformation"};
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i], writes[before + i].Name) << i;
    }
    EXPECT_EQ(kDesktopKey, writes[before].Path);
    EXPECT_EQ("MinTextSectionAngle", writes.back().Name);
    EXPECT_EQ("0", Registry.Find(kDesktopKey, "WindowState")->Text);
    EXPECT_EQ(std::to_string(bounds.right - bounds.left), Registry.Find(kDesktopKey, "Width")->Text);
}

// Without a window manager Wine soon undoes a maximise, so the test watches
// the size messages the window receives.
std::vector<WPARAM>* SizeKinds = nullptr;

LRESULT CALLBACK RecordSizes(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SIZE && SizeKinds && !GetParent(call->hwnd))
        SizeKinds->push_back(call->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainFormStartTest, StoredMaximisedStateIsAppliedAtFirstActivation) {
    Registry.PlantString(kDesktopKey, "WindowState", "2");
    std::vector<WPARAM> kinds;
    SizeKinds = &kinds;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, RecordSizes, nullptr, GetCurrentThreadId());
    Start();
    UnhookWindowsHookEx(hook);
    SizeKinds = nullptr;
    ASSERT_FALSE(kinds.empty());
    EXPECT_EQ(SIZE_RESTORED, kinds.front());  // shown at the stored normal place first
    EXPECT_NE(kinds.end(), std::find(kinds.begin(), kinds.end(), WPARAM(SIZE_MAXIMIZED)));
}

TEST_F(MainFormStartTest, MaximisedAtExitKeepsTheOldBounds) {
    Registry.PlantString(kDesktopKey, "Left", "50");
    Registry.PlantString(kDesktopKey, "Top", "60");
    Registry.PlantString(kDesktopKey, "Width", "640");
    Registry.PlantString(kDesktopKey, "Height", "480");
    Start();
    RECT bounds;
    GetWindowRect(Window(), &bounds);
    EXPECT_EQ(50, bounds.left);
    EXPECT_EQ(480, bounds.bottom - bounds.top);
    ShowWindow(Window(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(Window()));
    const size_t before = Registry.Writes().size();
    Close();
    const auto& writes = Registry.Writes();
    ASSERT_GT(writes.size(), before);
    EXPECT_EQ("WindowState", writes[before].Name);
    for (size_t i = before; i < writes.size(); ++i)
        for (const char* bound : {"Left", "Top", "Width", "Height"}) EXPECT_NE(bound, writes[i].Name);
    EXPECT_EQ("2", Registry.Find(kDesktopKey, "WindowState")->Text);
    EXPECT_EQ("50", Registry.Find(kDesktopKey, "Left")->Text);
    EXPECT_EQ("640", Registry.Find(kDesktopKey, "Width")->Text);
}

TEST_F(MainFormStartTest, StateOutsideTheThreeIsIgnored) {
    Registry.PlantString(kDesktopKey, "WindowState", "3");
    Start();
    EXPECT_FALSE(IsZoomed(Window()));
    EXPECT_FALSE(IsIconic(Window()));
}

TEST_F(MainFormStartTest, FailedSaveIsReportedAndLaterValuesAreNotWritten) {
    Start();
    Registry.FailWritesOf("ViewToolbar");
    Close();
    ASSERT_EQ(1u, Boxes.Shown.size());
    EXPECT_EQ("Failed to set data for 'ViewToolbar'", Boxes.Shown[0].Text);
    EXPECT_EQ(nullptr, Registry.Find(std::string(kRegistryRoot) + "\\Options", "Colors"));
}

TEST_F(MainFormStartTest, ViewSettingsComeFromTheOptions) {
    const std::string options = std::string(kRegistryRoot) + "\\Options";
    Registry.PlantString(kDesktopKey, "ViewToolbar", "0");
    Registry.PlantString(kDesktopKey, "ViewFolderTree", "0");
    Registry.PlantString(kDesktopKey, "PieSectionSizeWindow", "0");
    Registry.PlantString(options, "SortAscending", "1");
    Registry.PlantString(options, "ShowPercentInPie", "2");
    Registry.PlantString(options, "ShowFileNames", "0");
    Start();
    EXPECT_FALSE(IsWindowVisible(Control(idToolbarSupport)));
    EXPECT_FALSE(MenuChecked(cmdViewToolbar));
    EXPECT_FALSE(IsWindowVisible(Control(idLeftPanel)));
    EXPECT_FALSE(IsWindowVisible(Control(idSplitter)));
    EXPECT_FALSE(MenuChecked(cmdViewFolderTree));
    EXPECT_TRUE(IsWindowVisible(Control(idStatusBar)));
    EXPECT_FALSE(MenuChecked(cmdViewPieSectionSizeWindow));
    EXPECT_TRUE(MenuChecked(cmdViewPieSortAscending));
    EXPECT_FALSE(MenuChecked(cmdViewPieSortDescending));
    EXPECT_TRUE(Form->IsToolDown(toolMB));
    EXPECT_FALSE(Form->IsToolDown(toolPercent));
    EXPECT_FALSE(Form->IsToolDown(toolShowFiles));
    EXPECT_TRUE(Form->IsToolDown(toolShowWasted));
    // The right-hand panel takes the tree's place.
    EXPECT_EQ(0, Bounds(Control(idRightPanel), Window()).left);
}

TEST_F(MainFormStartTest, DriveBoxShowsTheProgramsDriveAfterActivation) {
    Start();
    EXPECT_EQ('C', Form->DriveBox().SelectedLetter());
}

}  // namespace
