#include "controls/win32/DriveCheckListBox.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "controls/DriveItems.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WindowDpi.h"

namespace {

// At 96 DPI, scaled to the list's resolution.
const int kCheckBoxSize = 13;   // the classic check box square
const int kCheckBoxMargin = 2;  // on either side of the square

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

}  // namespace

TShExDriveCheckListBox::TShExDriveCheckListBox(IDriveEnumerator& drives, IShellInfo& shell)
    : TDriveListControl(drives, shell, ODT_LISTBOX) {}

void TShExDriveCheckListBox::Create(HWND parent, int x, int y, int width, int height, int id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    CreateControl(WC_LISTBOXW, WS_EX_CLIENTEDGE, style, x, y, width, height, parent, id, "drive list");
}

void TShExDriveCheckListBox::Refill() {
    // Empty the list before the old icons go, so that nothing draws with them.
    if (Window) SendMessageW(Window, LB_RESETCONTENT, 0, 0);
    Drives.Fill();
    Checks.assign(size_t(Drives.Count()), false);
    if (!Window) return;
    for (int i = 0; i < Drives.Count(); ++i)
        SendMessageW(Window, LB_ADDSTRING, 0, LPARAM(Widen(Drives.At(i)->Text).c_str()));
}

std::string TShExDriveCheckListBox::ItemText(int index) const {
    const TShellDrive* drive = Drives.At(index);
    return drive ? drive->Text : std::string();
}

bool TShExDriveCheckListBox::Checked(int index) const {
    return index >= 0 && index < int(Checks.size()) && Checks[size_t(index)];
}

void TShExDriveCheckListBox::SetChecked(int index, bool checked) {
    if (index < 0 || index >= int(Checks.size()) || Checks[size_t(index)] == checked) return;
    Checks[size_t(index)] = checked;
    RepaintItem(index);
}

void TShExDriveCheckListBox::SetAllChecked(bool checked) {
    for (int i = 0; i < int(Checks.size()); ++i) SetChecked(i, checked);
}

int TShExDriveCheckListBox::SelectedIndex() const {
    if (!Window) return -1;
    const LRESULT index = SendMessageW(Window, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : int(index);
}

void TShExDriveCheckListBox::SetSelectedIndex(int index) {
    if (Window) SendMessageW(Window, LB_SETCURSEL, WPARAM(index), 0);
}

int TShExDriveCheckListBox::IndexOfLetter(char letter) const { return FindDriveItem(Drives.Texts(), letter); }

std::string TShExDriveCheckListBox::CheckedLetters() const { return ::CheckedLetters(Drives.Texts(), Checks); }

std::vector<std::string> TShExDriveCheckListBox::CheckedItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i)
        if (Checked(i)) items.push_back(ItemText(i));
    return items;
}

void TShExDriveCheckListBox::PaintItem(const DRAWITEMSTRUCT& item) const {
    const int index = int(item.itemID);
    // An empty list with the focus asks for a focus rectangle only.
    if (!Drives.At(index)) {
        DrawDriveItem(item.hDC, item.rcItem, nullptr, item.itemState & ODS_FOCUS, SmallIcon);
        return;
    }
    // The check box stands left of the item proper, on the window colour.
    RECT checkArea = item.rcItem;
    checkArea.right = checkArea.left + CheckAreaWidth();
    FillRect(item.hDC, &checkArea, GetSysColorBrush(COLOR_WINDOW));
    RECT box;
    const int size = Scale(kCheckBoxSize);
    box.left = checkArea.left + Scale(kCheckBoxMargin);
    box.top = (checkArea.top + checkArea.bottom - size) / 2;
    box.right = box.left + size;
    box.bottom = box.top + size;
    UINT boxState = DFCS_BUTTONCHECK;
    if (Checked(index)) boxState |= DFCS_CHECKED;
    if (item.itemState & ODS_DISABLED) boxState |= DFCS_INACTIVE;
    DrawFrameControl(item.hDC, &box, DFC_BUTTON, boxState);

    RECT itemRect = item.rcItem;
    itemRect.left = checkArea.right;
    DrawDriveItem(item.hDC, itemRect, Drives.At(index), item.itemState, SmallIcon);
}

void TShExDriveCheckListBox::FontChanged() {
    // The drives are listed afresh; the ticks and the selection stay with
    // their drives.
    const std::string ticked = CheckedLetters();
    const char selected = DriveItemLetter(ItemText(SelectedIndex()));
    UpdateItemHeight();
    Refill();
    for (char letter : ticked) SetChecked(IndexOfLetter(letter), true);
    if (selected) SetSelectedIndex(IndexOfLetter(selected));
}

void TShExDriveCheckListBox::UpdateItemHeight() {
    SmallIcon = SmallIconMetrics(Window);
    Scale = TPixelScale(WindowDpi(Window));
    Height = std::max(DriveItemHeight(FontOf(Window), SmallIcon.Height), Scale(kCheckBoxSize));
    SendMessageW(Window, LB_SETITEMHEIGHT, 0, Height);
}

void TShExDriveCheckListBox::ToggleAt(int x, int y) {
    if (x < 0 || x >= CheckAreaWidth()) return;
    const LRESULT hit = SendMessageW(Window, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word is set when the point lies below the last item.
    if (HIWORD(hit) == 0) Toggle(int(LOWORD(hit)));
}

void TShExDriveCheckListBox::Toggle(int index) {
    if (index >= 0 && index < Count()) SetChecked(index, !Checked(index));
}

void TShExDriveCheckListBox::RepaintItem(int index) {
    if (!Window) return;
    RECT rect;
    if (SendMessageW(Window, LB_GETITEMRECT, WPARAM(index), LPARAM(&rect)) != LB_ERR)
        InvalidateRect(Window, &rect, FALSE);
}

int TShExDriveCheckListBox::CheckAreaWidth() const { return Scale(kCheckBoxSize + 2 * kCheckBoxMargin); }

LRESULT TShExDriveCheckListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The list selects the item first; a click on its check box also toggles it.
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            ToggleAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return result;
        }
        case WM_CHAR:
            if (wParam == L' ') {
                Toggle(SelectedIndex());
                return 0;
            }
            return DefaultHandling(message, wParam, lParam);
        default: return TDriveListControl::HandleMessage(message, wParam, lParam);
    }
}
