#include "controls/win32/DriveComboBox.h"

#include <commctrl.h>

#include <stdexcept>

#include "controls/DriveItems.h"
#include "platform/win32/WideString.h"
#include "scan/DriveRecords.h"

namespace {

const int kVisibleItems = 12;  // items the dropped-down list shows without scrolling

}  // namespace

TShExDriveComboBox::TShExDriveComboBox(IDriveEnumerator& drives, IShellInfo& shell)
    : TDriveListControl(drives, shell, ODT_COMBOBOX) {}

void TShExDriveComboBox::Create(HWND parent, int x, int y, int width, int id) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    // The height is corrected once the item height is known.
    CreateControl(WC_COMBOBOXW, 0, style, x, y, width, 200, parent, id, "drive box");
}

void TShExDriveComboBox::Refill() {
    // Empty the box before the old icons go, so that nothing draws with them.
    if (Window) SendMessageW(Window, CB_RESETCONTENT, 0, 0);
    Drives.Fill();
    if (!Window) return;
    for (int i = 0; i < Drives.Count(); ++i)
        SendMessageW(Window, CB_ADDSTRING, 0, LPARAM(Widen(Drives.At(i)->Text).c_str()));
}

char TShExDriveComboBox::SelectedLetter() const { return DriveItemLetter(SelectedItem()); }

std::string TShExDriveComboBox::SelectedItem() const {
    if (!Window) return std::string();
    const TShellDrive* drive = Drives.At(int(SendMessageW(Window, CB_GETCURSEL, 0, 0)));
    return drive ? drive->Text : std::string();
}

void TShExDriveComboBox::SelectLetter(char letter) {
    if (!Window) return;
    letter = UpperDriveLetter(letter);
    if (letter == UpperDriveLetter(SelectedLetter())) return;
    const int index = FindDriveItem(Drives.Texts(), letter);
    if (index >= 0) SendMessageW(Window, CB_SETCURSEL, WPARAM(index), 0);
    NotifySelectionChange();
}

void TShExDriveComboBox::PaintItem(const DRAWITEMSTRUCT& item) const {
    // itemID is -1 for the closed box with nothing selected: At gives null.
    DrawDriveItem(item.hDC, item.rcItem, Drives.At(int(item.itemID)), item.itemState, SmallIcon);
}

void TShExDriveComboBox::FontChanged() {
    // The drives are listed afresh; the one shown stays shown, quietly.
    const char shown = SelectedLetter();
    UpdateItemHeight();
    Refill();
    const int index = shown ? FindDriveItem(Drives.Texts(), shown) : -1;
    if (index >= 0) SendMessageW(Window, CB_SETCURSEL, WPARAM(index), 0);
}

void TShExDriveComboBox::UpdateItemHeight() {
    SmallIcon = SmallIconMetrics(Window);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
    Height = DriveItemHeight(font, SmallIcon.Height);
    // -1 is the selection field, 0 every item of the list.
    SendMessageW(Window, CB_SETITEMHEIGHT, WPARAM(-1), Height);
    SendMessageW(Window, CB_SETITEMHEIGHT, 0, Height);
    // The window rectangle of a closed combo box is its selection field; the
    // height given to SetWindowPos is that of the field and its dropped list.
    RECT field = {};
    GetWindowRect(Window, &field);
    SetWindowPos(Window, nullptr, 0, 0, field.right - field.left,
                 field.bottom - field.top + kVisibleItems * Height + 2 * GetSystemMetrics(SM_CYBORDER),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TShExDriveComboBox::NotifySelectionChange() {
    SendMessageW(GetParent(Window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Window), CBN_SELCHANGE), LPARAM(Window));
}
