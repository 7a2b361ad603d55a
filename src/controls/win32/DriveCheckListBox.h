#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/PixelScale.h"
#include "controls/win32/DriveItemDrawing.h"
#include "controls/win32/ShellDriveList.h"

class IDriveEnumerator;
class IShellInfo;

// A list of the logical drives, each with a check box, the shell's small
// icon and display name. The list is filled when the window is created and
// again when its font changes (WM_SETFONT). A click on an item's check box
// or the space bar toggles its check.
//
// The items and their checks outlive the window, so a dialog's caller can
// read them after the dialog has closed. The parent must hand its
// WM_DRAWITEM messages to DrawItem; WM_MEASUREITEM needs no forwarding.
class TShExDriveCheckListBox {
public:
    TShExDriveCheckListBox(IDriveEnumerator& drives, IShellInfo& shell);
    ~TShExDriveCheckListBox();
    TShExDriveCheckListBox(const TShExDriveCheckListBox&) = delete;
    TShExDriveCheckListBox& operator=(const TShExDriveCheckListBox&) = delete;

    // Creates the window as a child of `parent`, with the parent's font (the
    // default GUI font when it has none), and fills it; a window made before
    // is destroyed first, so creating again is how the list is recreated.
    // Throws std::runtime_error when the window cannot be created.
    void Create(HWND parent, int x, int y, int width, int height, int id);
    // Null before Create and once the window is gone.
    HWND Handle() const { return Window; }

    // Fills the list anew from the drives present now, every item unchecked
    // and none selected.
    void Refill();

    int Count() const { return Drives.Count(); }
    // The drive item text; "" outside the list.
    std::string ItemText(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    void SetAllChecked(bool checked);
    // -1 when nothing is selected or the window is gone.
    int SelectedIndex() const;
    void SetSelectedIndex(int index);
    // The first item with this letter (either case); -1 when none.
    int IndexOfLetter(char letter) const;

    // The checked items' letters in list order: "CD" for C and D.
    std::string CheckedLetters() const;
    // The checked items' drive item texts in list order.
    std::vector<std::string> CheckedItems() const;

    const TShellDriveList& Items() const { return Drives; }
    int ItemHeight() const { return Height; }

    // The parent's WM_DRAWITEM: paints the item and returns true when the
    // message is for this list, returns false for any other control.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    void FontChanged();
    void UpdateItemHeight();
    void ToggleAt(int x, int y);
    void Toggle(int index);
    void RepaintItem(int index);
    int CheckAreaWidth() const;

    TShellDriveList Drives;
    std::vector<bool> Checks;
    TSmallIconSize SmallIcon;
    TPixelScale Scale;  // the list's resolution, for the check boxes
    int Height = 0;
    HWND Window = nullptr;
};
