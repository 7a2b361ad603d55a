#include "controls/win32/DriveComboBox.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>

#include "DrivePickerTestSupport.h"
#include "controls/DriveItems.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/Win32DriveEnumerator.h"
#include "platform/win32/Win32ShellInfo.h"

namespace {

const int kBoxId = 321;

std::string ComboText(HWND combo, int index) {
    wchar_t text[300] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0) >= 300) return "<too long>";
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
    return Narrow(text);
}

int Count(const TShExDriveComboBox& box) { return int(SendMessageW(box.Handle(), CB_GETCOUNT, 0, 0)); }

class DriveComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        for (char letter : {'A', 'C', 'D'}) Drives.AddLetter(letter);
        Names.Names = {{'A', "Floppy (A:)"}, {'C', "System (C:)"}, {'D', "Data (D:)"}, {'E', "Late (E:)"}};
        Host.DrawItem = [this](const DRAWITEMSTRUCT& item) { return Box.DrawItem(item); };
        Box.Create(Host.Handle(), 4, 4, 169, kBoxId);
        ASSERT_NE(nullptr, Box.Handle());
    }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    int SelectionChanges() const { return Host.CountOf(CBN_SELCHANGE); }

    bool ComReady = false;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    THostWindow Host;
    TShExDriveComboBox Box{Drives, Names};
};

TEST_F(DriveComboBoxTest, ListsEveryDriveOfTheMaskInLetterOrderWithNothingSelected) {
    ASSERT_EQ(3, Count(Box));
    EXPECT_EQ("AFloppy (A:)", ComboText(Box.Handle(), 0));
    EXPECT_EQ("CSystem (C:)", ComboText(Box.Handle(), 1));
    EXPECT_EQ("DData (D:)", ComboText(Box.Handle(), 2));
    EXPECT_EQ('\0', Box.SelectedLetter());
    EXPECT_EQ("", Box.SelectedItem());
}

TEST_F(DriveComboBoxTest, SelectLetterAndSelectedLetterRoundTrip) {
    Box.SelectLetter('d');
    EXPECT_EQ('D', Box.SelectedLetter());
    EXPECT_EQ("DData (D:)", Box.SelectedItem());
    Box.SelectLetter('A');
    EXPECT_EQ('A', Box.SelectedLetter());
    ASSERT_EQ(2, SelectionChanges());
    EXPECT_EQ(kBoxId, Host.Notifications[0].Id);
}

TEST_F(DriveComboBoxTest, AFontChangeKeepsTheShownDriveWithoutTellingTheParent) {
    // A move to a screen of another scaling hands the box a larger font.
    Box.SelectLetter('D');
    const int changes = SelectionChanges();
    TFont font(CreateFontW(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    SendMessageW(Box.Handle(), WM_SETFONT, WPARAM(font.Get()), FALSE);
    EXPECT_EQ('D', Box.SelectedLetter());
    EXPECT_EQ(changes, SelectionChanges());
    EXPECT_GE(SendMessageW(Box.Handle(), CB_GETITEMHEIGHT, WPARAM(-1), 0), 30);
    SendMessageW(Box.Handle(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

TEST_F(DriveComboBoxTest, TheSelectedLetterAgainChangesNothingAndNotifiesNoOne) {
    Box.SelectLetter('C');
    Box.SelectLetter('c');
    EXPECT_EQ('C', Box.SelectedLetter());
    EXPECT_EQ(1, SelectionChanges());
}

TEST_F(DriveComboBoxTest, AnUnlistedLetterKeepsTheSelectionButStillNotifies) {
    Box.SelectLetter('C');
    Box.SelectLetter('Q');
    EXPECT_EQ('C', Box.SelectedLetter());
    EXPECT_EQ(2, SelectionChanges());
}

TEST_F(DriveComboBoxTest, ADriveAddedLaterAppearsOnlyWhenTheListIsFilledAgain) {
    Drives.AddLetter('E');
    EXPECT_EQ(3, Count(Box));
    Box.SelectLetter('C');
    Box.Refill();
    ASSERT_EQ(4, Count(Box));
    EXPECT_EQ("ELate (E:)", ComboText(Box.Handle(), 3));
    EXPECT_EQ('\0', Box.SelectedLetter());  // filling starts from an empty list

    Drives.RemoveLetter('A');
    Box.Create(Host.Handle(), 4, 4, 169, kBoxId);  // recreating the window
    EXPECT_EQ(3, Count(Box));
    Drives.RemoveLetter('C');
    SendMessageW(Box.Handle(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    EXPECT_EQ(2, Count(Box));
}

TEST_F(DriveComboBoxTest, ItemHeightIsTheLargerOfTheFontCellAndTheSmallIcon) {
    const int iconHeight = GetSystemMetrics(SM_CYSMICON);
    EXPECT_EQ(iconHeight, Box.ItemHeight());  // the default GUI font is smaller
    TFont bigFont(CreateFontW(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    const TMemoryDcHandle dc = MakeMemoryDc();
    TSelection useFont(dc.Get(), bigFont.Get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc.Get(), &metrics);
    SendMessageW(Box.Handle(), WM_SETFONT, WPARAM(bigFont.Get()), FALSE);
    EXPECT_EQ(metrics.tmHeight, Box.ItemHeight());
    EXPECT_EQ(metrics.tmHeight, SendMessageW(Box.Handle(), CB_GETITEMHEIGHT, 0, 0));
    SendMessageW(Box.Handle(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

TEST_F(DriveComboBoxTest, DrawsOnlyItsOwnItemsAndSurvivesItsParent) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.hwndItem = Host.Handle();
    EXPECT_FALSE(Box.DrawItem(item));
    Box.SelectLetter('C');
    Host.Destroy();
    EXPECT_EQ(nullptr, Box.Handle());
    EXPECT_EQ('\0', Box.SelectedLetter());
    Box.SelectLetter('D');  // no window: nothing to do, nothing to crash
}

TEST(DriveComboBoxSystemTest, ListsTheSystemDriveWithItsShellNameAndIcon) {
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    {
        TWin32DriveEnumerator drives;
        TWin32ShellInfo shell;
        THostWindow host;
        TShExDriveComboBox box(drives, shell);
        box.Create(host.Handle(), 0, 0, 169, kBoxId);
        EXPECT_EQ(int(DriveLettersOf(GetLogicalDrives()).size()), Count(box));
        box.SelectLetter('c');
        ASSERT_EQ('C', box.SelectedLetter());
        EXPECT_EQ("C" + shell.GetShellDisplayName("c:\\"), box.SelectedItem());
        EXPECT_TRUE(IsLiveIcon(box.Items().At(int(SendMessageW(box.Handle(), CB_GETCURSEL, 0, 0)))->Icon.Get()));
    }
    if (comReady) CoUninitialize();
}

}  // namespace
