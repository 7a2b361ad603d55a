#include "controls/win32/DriveCheckListBox.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <memory>
#include <string>
#include <vector>

#include "DrivePickerTestSupport.h"
#include "platform/memory/FakeDriveEnumerator.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiObjects.h"

namespace {

const int kListId = 77;

class DriveCheckListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        for (char letter : {'A', 'C', 'D', 'X'}) Drives.AddLetter(letter);
        Names.Names = {{'A', "Floppy (A:)"}, {'C', "System (C:)"}, {'D', "Data (D:)"}, {'X', "Extra (X:)"}};
        Host.DrawItem = [this](const DRAWITEMSTRUCT& item) { return List.DrawItem(item); };
        List.Create(Host.Handle(), 10, 10, 200, 120, kListId);
        ASSERT_NE(nullptr, List.Handle());
    }
    void TearDown() override {
        if (ComReady) CoUninitialize();
    }

    // A click on an item, on its check box or on its text.
    void Click(int index, bool onCheckBox, UINT message = WM_LBUTTONDOWN) {
        RECT rect = {};
        SendMessageW(List.Handle(), LB_GETITEMRECT, WPARAM(index), LPARAM(&rect));
        const LPARAM point = MAKELPARAM(onCheckBox ? rect.left + 6 : rect.left + 80, (rect.top + rect.bottom) / 2);
        SendMessageW(List.Handle(), message, MK_LBUTTON, point);
        SendMessageW(List.Handle(), WM_LBUTTONUP, 0, point);
    }
    void PressSpace() { SendMessageW(List.Handle(), WM_CHAR, L' ', 0); }

    bool ComReady = false;
    TFakeDriveEnumerator Drives;
    TNamedShellInfo Names;
    THostWindow Host;
    TShExDriveCheckListBox List{Drives, Names};
};

TEST_F(DriveCheckListBoxTest, ListsTheDrivesUncheckedInLetterOrder) {
    ASSERT_EQ(4, SendMessageW(List.Handle(), LB_GETCOUNT, 0, 0));
    EXPECT_EQ("AFloppy (A:)", List.ItemText(0));
    EXPECT_EQ("XExtra (X:)", List.ItemText(3));
    EXPECT_EQ("", List.CheckedLetters());
    EXPECT_EQ(-1, List.SelectedIndex());
    EXPECT_EQ(2, List.IndexOfLetter('d'));
    EXPECT_EQ(-1, List.IndexOfLetter('B'));
}

TEST_F(DriveCheckListBoxTest, CheckedLettersAndItemsFollowListOrderNotCheckOrder) {
    List.SetChecked(2, true);
    List.SetChecked(1, true);
    List.SetChecked(4, true);  // outside the list: ignored
    EXPECT_EQ("CD", List.CheckedLetters());
    EXPECT_EQ((std::vector<std::string>{"CSystem (C:)", "DData (D:)"}), List.CheckedItems());
    List.SetAllChecked(true);
    EXPECT_EQ("ACDX", List.CheckedLetters());
    List.SetAllChecked(false);
    EXPECT_EQ("", List.CheckedLetters());
}

TEST_F(DriveCheckListBoxTest, AClickOnTheCheckBoxTogglesAndAClickOnTheTextOnlySelects) {
    Click(1, true);
    EXPECT_EQ("C", List.CheckedLetters());
    EXPECT_EQ(1, List.SelectedIndex());
    Click(2, false);
    EXPECT_EQ(2, List.SelectedIndex());
    EXPECT_EQ("C", List.CheckedLetters());
    Click(1, true);
    Click(1, true, WM_LBUTTONDBLCLK);  // a fast second click toggles as well
    EXPECT_EQ("C", List.CheckedLetters());
}

TEST_F(DriveCheckListBoxTest, TheSpaceBarTogglesTheSelectedItem) {
    PressSpace();  // nothing selected: nothing to toggle
    EXPECT_EQ("", List.CheckedLetters());
    List.SetSelectedIndex(0);
    PressSpace();
    EXPECT_EQ("A", List.CheckedLetters());
    PressSpace();
    EXPECT_EQ("", List.CheckedLetters());
}

TEST_F(DriveCheckListBoxTest, FillingAgainShowsNewDrivesWithEveryCheckCleared) {
    List.SetAllChecked(true);
    Drives.AddLetter('E');
    List.Refill();
    ASSERT_EQ(5, SendMessageW(List.Handle(), LB_GETCOUNT, 0, 0));
    EXPECT_EQ("E", List.ItemText(3));  // the shell had no name for E
    EXPECT_EQ("", List.CheckedLetters());

    // A font change sets the item height and fills the list again.
    TFont font(CreateFontW(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    Drives.RemoveLetter('E');
    SendMessageW(List.Handle(), WM_SETFONT, WPARAM(font.Get()), FALSE);
    EXPECT_GE(List.ItemHeight(), 30);
    EXPECT_EQ(List.ItemHeight(), SendMessageW(List.Handle(), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(4, List.Count());
    SendMessageW(List.Handle(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

TEST_F(DriveCheckListBoxTest, AFontChangeKeepsTheTicksAndTheSelection) {
    // As on a move to a screen of another scaling: the ticks the user made
    // and the selected drive survive the list being filled again.
    List.SetChecked(List.IndexOfLetter('C'), true);
    List.SetChecked(List.IndexOfLetter('X'), true);
    List.SetSelectedIndex(List.IndexOfLetter('D'));
    TFont font(CreateFontW(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    SendMessageW(List.Handle(), WM_SETFONT, WPARAM(font.Get()), FALSE);
    EXPECT_GE(List.ItemHeight(), 30);
    EXPECT_EQ("CX", List.CheckedLetters());
    EXPECT_EQ(List.IndexOfLetter('D'), List.SelectedIndex());
    SendMessageW(List.Handle(), WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

TEST_F(DriveCheckListBoxTest, ItemsAndChecksOutliveTheWindow) {
    List.SetChecked(0, true);
    List.SetChecked(3, true);
    Host.Destroy();
    EXPECT_EQ(nullptr, List.Handle());
    EXPECT_EQ((std::vector<std::string>{"AFloppy (A:)", "XExtra (X:)"}), List.CheckedItems());
}

TEST_F(DriveCheckListBoxTest, TheCheckBoxIsDrawnLeftOfTheItem) {
    const int height = List.ItemHeight();
    auto draw = [&](bool checked) {
        List.SetChecked(1, checked);
        auto bitmap = std::make_unique<TGdiBitmap>(200, height);
        TSelection useFont(bitmap->Dc(), GetStockObject(DEFAULT_GUI_FONT));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.itemID = 1;
        item.hwndItem = List.Handle();
        item.hDC = bitmap->Dc();
        item.rcItem = RECT{0, 0, 200, height};
        EXPECT_TRUE(List.DrawItem(item));
        return bitmap;
    };
    const auto unchecked = draw(false);
    const auto checked = draw(true);
    int differentLeft = 0, differentRight = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 200; ++x)
            if (unchecked->Pixel(x, y) != checked->Pixel(x, y)) ++(x < 17 ? differentLeft : differentRight);
    EXPECT_GT(differentLeft, 0);
    EXPECT_EQ(0, differentRight);
}

}  // namespace
